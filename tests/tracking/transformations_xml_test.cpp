#include "tracking/transformations_xml.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

#include "message/message.h"
#include "message/pugixml.h"
#include "tests/tracking/model_fixtures.h"

namespace {

std::string writeMessage(Transformations& t) {
    Message m(MessageType::Transformations);
    serializeTransformations(XmlArchive::writer(m.root()), t);
    return m.toBytes();
}

Transformations readMessage(const std::string& bytes) {
    Message m;
    m.fromBytes(bytes);
    Transformations t;
    t.frames.resize(5);  // reading replaces whatever was there
    t.initial = Transform{9, 9};
    serializeTransformations(XmlArchive::reader(m.root()), t);
    return t;
}

// An element told as "Name a=1 b=2", attributes in document order, read by an independent parser.
std::string told(const pugi::xml_node& element) {
    std::string text = element.name();
    for (const pugi::xml_attribute& a : element.attributes())
        text += std::string(" ") + a.name() + "=" + a.value();
    return text;
}

std::vector<std::string> elementsOf(const std::string& bytes) {
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(bytes.data(), bytes.size()));
    std::vector<std::string> elements{told(document.document_element())};
    for (const pugi::xml_node& c : document.document_element().children()) elements.push_back(told(c));
    return elements;
}

Transformations example() {
    Transformations t;
    t.first = 12;
    t.exportInaccuracy = 0.5f;
    t.task = Task::Compensation;
    t.exportModel = ExportModel::RigidScale;
    t.initial = Transform{4, -2};
    t.frames = {Transform(), Transform{1.25, 0.5},
                Transform{2.5, 1, 0.999848, -0.0174524, 0.0174524, 0.999848}};
    return t;
}

void expectSame(const Transformations& expected, const Transformations& back) {
    EXPECT_EQ(expected.first, back.first);
    EXPECT_EQ(expected.exportInaccuracy, back.exportInaccuracy);
    EXPECT_EQ(expected.task, back.task);
    EXPECT_EQ(expected.exportModel, back.exportModel);
    EXPECT_EQ(expected.initial, back.initial);
    EXPECT_EQ(expected.frames, back.frames);
}

TEST(TransformationsXml, TheWorkedExampleElementByElement) {
    Transformations t = example();
    const std::vector<std::string> expected = {
        "Message type=Transformations first=12 ExportInaccuracy=0.5 Task=Compensation ExportModel=RigidScale",
        "InitialTransform x=4 y=-2", "Transform", "Transform x=1.25 y=0.5",
        "Transform x=2.5 y=1 xx=0.999848 xy=-0.0174524 yx=0.0174524 yy=0.999848"};
    const std::string bytes = writeMessage(t);
    EXPECT_EQ(expected, elementsOf(bytes));

    expectSame(example(), readMessage(bytes));
}

TEST(TransformationsXml, DefaultsWriteNothing) {
    Transformations t;
    EXPECT_EQ(std::vector<std::string>{"Message type=Transformations"}, elementsOf(writeMessage(t)));
    expectSame(t, readMessage(writeMessage(t)));  // over a record that held other values
}

TEST(TransformationsXml, LenientReading) {
    const Transformations t = readMessage(
        "<Message type='Transformations' Task='compensation' ExportModel='Rigid and more' "
        "ExportInaccuracy='x'>"
        "<Transform x='12abc' xx='abc' yy=' 2'/><Transform/>"
        "<InitialTransform y='1e400'/>"
        "<Transform first='3' y='-.5e1'/></Message>");
    EXPECT_EQ(0, t.first);
    EXPECT_EQ(Task::Tracking, t.task);
    EXPECT_EQ(ExportModel::Rigid, t.exportModel);
    EXPECT_EQ(0.0f, t.exportInaccuracy);
    EXPECT_EQ(Transform(), t.initial);  // an unreadable value takes its identity value
    ASSERT_EQ(3u, t.frames.size());
    EXPECT_EQ((Transform{12, 0, 1, 0, 0, 2}), t.frames[0]);
    EXPECT_TRUE(t.frames[1].isIdentity());
    EXPECT_EQ((Transform{0, -5}), t.frames[2]);

    EXPECT_EQ(ExportModel::Auto, readMessage("<M type='Empty' ExportModel='cornerpin'/>").exportModel);
    EXPECT_EQ(ExportModel::CornerPin, readMessage("<M type='Empty' ExportModel='CornerPin'/>").exportModel);
    EXPECT_THROW(readMessage("<M type='Empty'><InitialTransform/><InitialTransform/></M>"), xml::ambiguous);
}

TEST(TransformationsXml, SixSignificantDigits) {
    Transformations t;
    t.frames = {Transform{1.0 / 3, 1234.5678, 1e-7, -0.0}};
    const std::string bytes = writeMessage(t);
    EXPECT_EQ("Transform x=0.333333 y=1234.57 xx=1e-07", elementsOf(bytes)[1]);
    EXPECT_EQ((Transform{0.333333, 1234.57, 1e-7, -0.0}), readMessage(bytes).frames[0]);
}

// The stream's own round trip of a value through its six-digit text.
template <class T>
T throughText(T value) {
    std::ostringstream out;
    out << value;
    std::istringstream in(out.str());
    T back{};
    in >> back;
    return back;
}

Transform throughText(const Transform& f) {
    return {throughText(f.x),  throughText(f.y),  throughText(f.xx),
            throughText(f.xy), throughText(f.yx), throughText(f.yy)};
}

TEST(TransformationsXml, RandomRecordsRoundTrip) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> coordinate(-5000, 5000);
    std::uniform_real_distribution<double> coefficient(-2, 2);
    for (int record = 0; record < 50; ++record) {
        Transformations t;
        t.first = static_cast<std::int32_t>(rng()) / 3;
        t.exportInaccuracy = static_cast<float>(coefficient(rng) * 10);
        t.task = static_cast<Task>(rng() % 2);
        t.exportModel = static_cast<ExportModel>(rng() % 8);
        t.initial = rng() % 2 ? Transform() : Transform{coordinate(rng), coordinate(rng)};
        t.frames.resize(rng() % 40);
        for (Transform& f : t.frames) {
            if (rng() % 5 == 0) continue;  // some identity frames in between
            f = Transform{coordinate(rng),  coordinate(rng),  coefficient(rng),
                          coefficient(rng), coefficient(rng), rng() % 2 ? 1.0 : coefficient(rng)};
        }
        const std::string bytes = writeMessage(t);
        Transformations back = readMessage(bytes);
        t.exportInaccuracy = throughText(t.exportInaccuracy);
        t.initial = throughText(t.initial);
        for (Transform& f : t.frames) f = throughText(f);
        expectSame(t, back);
        EXPECT_EQ(bytes, writeMessage(back));  // the text is a fixed point
    }
}

TEST(TransformationsXml, WritingOnNoElementRaises) {
    Transformations t;
    EXPECT_NO_THROW(serializeTransformations(XmlArchive::writer(xml::node()), t));
    t.first = 1;
    EXPECT_THROW(serializeTransformations(XmlArchive::writer(xml::node()), t), xml::attribute_not_found);
}

}  // namespace
