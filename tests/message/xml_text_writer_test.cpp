// The text writer must give the very bytes of a tree made by the same steps and saved: compare both on
// random steps and records (fixed seeds) and on the values that format or escape unusually.
#include "message/xml_text_writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "message/message.h"
#include "message/possible_actions.h"
#include "message/xml_tree.h"
#include "tests/message/read_paths.h"
#include "tracking/transformations_xml.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::vector<double>& unusualReals() {
    // clang-format off
    static const std::vector<double> reals = {
        -0.0, 0.0, 1e300, -1e-300, 5e-324, std::numeric_limits<double>::max(), -std::numeric_limits<double>::min(),
        kInf, -kInf, kNaN, -kNaN, 999999.5, 999999.4, 1e6, 0.0001, 0.00009999995, 123456.5, 0.5, 1e-5, 2.5e-5,
        1234567, -0.1, 0.30000000000000004, 1.0000005, 9.9999949999};
    // clang-format on
    return reals;
}

double randomReal(std::mt19937& rng) {
    switch (rng() % 4) {
        case 0:
            return unusualReals()[rng() % unusualReals().size()];
        case 1:
            return std::ldexp(static_cast<double>(rng()) - 2147483648.0, static_cast<int>(rng() % 80) - 60);
        default:
            return std::uniform_real_distribution<double>(-5000, 5000)(rng);
    }
}

// The same steps on a tree and on a text writer.
class BothWriters {
public:
    explicit BothWriters(const char* root) : writer_(root) {
        tree_.create(root);
        open_.push_back(tree_.root());
    }
    void start(const char* name) {
        open_.push_back(open_.back().addChild(name));
        writer_.startElement(name);
    }
    void end() {
        open_.pop_back();
        writer_.endElement();
    }
    void text(const char* name, const std::string& value) {
        open_.back().setAttribute(name, value);
        writer_.setAttribute(name, value);
    }
    template <class T>
    void typed(const char* name, const T& value) {
        open_.back().set(name, value);
        writer_.set(name, value);
    }
    std::size_t depth() const { return open_.size(); }
    std::string treeText() const { return tree_.text(); }
    std::string writerText() { return writer_.finish(); }

private:
    xml::tree tree_;
    std::vector<xml::node> open_;
    xml::text_writer writer_;
};

std::string randomText(std::mt19937& rng) {
    static const char kUnusual[] = {'&', '<', '>', '"', '\'', '\t', '\n', '\r', '\0', '\x01', '\x1f', '\x7f'};
    std::string text(rng() % 12, 'a');
    for (char& c : text) {
        const unsigned pick = rng() % 4;
        c = pick == 0 ? kUnusual[rng() % sizeof kUnusual]
                      : static_cast<char>(pick == 1 ? rng() % 256 : 'a' + rng() % 26);
    }
    return text;
}

TEST(XmlTextWriter, RandomStepsGiveTheTreesBytes) {
    // Few names, so that attributes are set again; some after their element's children.
    const char* names[] = {"a", "b", "ab", "ba", "", ":anonymous", "x-y"};
    for (unsigned seed = 1; seed <= 300; ++seed) {
        std::mt19937 rng(seed);
        BothWriters both(rng() % 8 == 0 ? "" : "Root");
        const int steps = static_cast<int>(rng() % 60);
        for (int i = 0; i < steps; ++i) {
            const char* name = names[rng() % std::size(names)];
            switch (rng() % 8) {
                case 0:
                case 1:
                    if (both.depth() < 6) both.start(name);
                    break;
                case 2:
                    if (both.depth() > 1) both.end();
                    break;
                case 3:
                    both.text(name, randomText(rng));
                    break;
                case 4:
                case 5:
                    both.typed(name, randomReal(rng));
                    break;
                case 6:
                    both.typed(name, static_cast<std::int32_t>(rng()));
                    break;
                default:
                    both.typed(name, MessageType(rng() % 7));
            }
        }
        const std::string expected = both.treeText();
        EXPECT_EQ(expected, both.writerText()) << "seed " << seed;
    }
}

TEST(XmlTextWriter, TransformationsMessagesGiveTheTreesBytes) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        Transformations t;
        t.first = static_cast<std::int32_t>(rng() % 3 == 0 ? 0 : rng());
        t.exportInaccuracy = rng() % 3 == 0 ? 0.0f : static_cast<float>(randomReal(rng));
        t.task = Task(rng() % 2);
        t.exportModel = ExportModel(rng() % 8);
        t.frames.resize(rng() % 50 + 1);
        for (Transform& f : t.frames) {
            for (double* field : {&f.x, &f.y, &f.xx, &f.xy, &f.yx, &f.yy}) {
                if (rng() % 4 != 0) *field = randomReal(rng);  // else the default, not written
            }
        }
        if (rng() % 2 == 0) t.initial = t.frames.back();
        Message tree(MessageType::Transformations);
        serializeTransformations(XmlArchive::writer(tree.root()), t);
        const std::string streamed = messageBytes(
            MessageType::Transformations, [&t](const XmlArchive& a) { serializeTransformations(a, t); });
        EXPECT_EQ(tree.toBytes(), streamed) << "seed " << seed;
        // Read back from pugixml's records and through its interface: the same record.
        std::string again[2];
        for (bool interface : {false, true}) {
            std::optional<ThroughInterface> path;
            if (interface) path.emplace();
            Message received;
            received.fromBytes(streamed);
            Transformations back;
            serializeTransformations(XmlArchive::reader(received.root()), back);
            again[interface] = messageBytes(MessageType::Transformations, [&back](const XmlArchive& a) {
                serializeTransformations(a, back);
            });
        }
        EXPECT_EQ(again[0], again[1]) << "seed " << seed;
    }
}

TEST(XmlTextWriter, OtherMessagesGiveTheTreesBytes) {
    PossibleActions actions;
    actions.overlay = true;
    actions.project = true;
    Message tree(MessageType::PossibleActions);
    serializePossibleActions(XmlArchive::writer(tree.root()), actions);
    EXPECT_EQ(tree.toBytes(), messageBytes(MessageType::PossibleActions, [&](const XmlArchive& a) {
                  serializePossibleActions(a, actions);
              }));

    EXPECT_EQ(Message(MessageType::Empty).toBytes(),
              messageBytes(MessageType::Empty, [](const XmlArchive&) {}));
    EXPECT_EQ(
        "<?xml version=\"1.0\"?><Message type=\"Error\" what=\"a &amp; &lt;b> &quot;c&quot; 'd'&#10;\"/>",
        messageBytes(MessageType::Error, [](const XmlArchive& a) {
            std::string what = "a & <b> \"c\" 'd'\n";
            a.attribute("what", what, std::string());
        }));
}

TEST(XmlTextWriter, OnlyChildElementsClose) {
    xml::text_writer out("R");
    EXPECT_THROW(out.endElement(), std::logic_error);
    out.startElement("C");
    out.endElement();
    EXPECT_EQ("<?xml version=\"1.0\"?><R><C/></R>", out.finish());
    EXPECT_THROW(out.startElement("D"), std::logic_error);
    EXPECT_THROW(out.set("x", 1), std::logic_error);
}

}  // namespace
