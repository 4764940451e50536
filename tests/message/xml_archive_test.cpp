#include "message/xml_archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "message/xml_tree.h"
#include "tests/message/read_paths.h"

namespace {

struct Point {
    std::int32_t x = 0;
    double weight = 1;
    std::string label;
};

void serializePoint(const XmlArchive& archive, Point& p) {
    archive.attribute("x", p.x, 0)
        .attribute("weight", p.weight, 1.0)
        .attribute("label", p.label, std::string());
}

struct Shape {
    std::uint32_t count = 5;
    Point centre;
    std::vector<Point> points;
};

void serializeShape(const XmlArchive& archive, Shape& s) {
    archive.attribute("count", s.count, 5u)
        .child("Centre", [&](const XmlArchive& a) { serializePoint(a, s.centre); })
        .sequence("Point", s.points, serializePoint);
}

// Both writers: on a tree's root, and straight to text.
TEST(XmlArchive, WritesOnlyWhatDiffersFromTheDefaults) {
    Shape s;
    s.points.resize(2);
    s.points[1].x = -3;
    s.points[1].label = " a b ";
    xml::tree tree;
    tree.create("S");
    serializeShape(XmlArchive::writer(tree.root()), s);
    xml::text_writer out("S");
    serializeShape(XmlArchive::writer(out), s);
    EXPECT_EQ("<?xml version=\"1.0\"?><S><Centre/><Point/><Point x=\"-3\" label=\" a b \"/></S>",
              tree.text());
    EXPECT_EQ(tree.text(), out.finish());
}

// Shapes told as "count centre.x | x weight label | ...".
std::string told(const Shape& s) {
    std::string text = std::to_string(s.count) + " " + std::to_string(s.centre.x);
    for (const Point& p : s.points) {
        std::ostringstream weight;
        weight << p.weight;
        text += " | " + std::to_string(p.x) + " " + weight.str() + " " + p.label;
    }
    return text;
}

TEST(XmlArchive, ReadsAreLenientAndFindAttributesInAnyOrder) {
    const struct {
        const char* text;
        const char* shape;
    } cases[] = {
        // An unreadable or out-of-range text gives the default; no Centre element gives its defaults.
        {"<S count='abc'><Point x='abc' weight=' 2.5 kg'/><Point x='2147483648'/></S>",
         "5 0 | 0 2.5  | 0 1 "},
        {"<S count='7'><Point label='l' other='o' weight='3' x='7'/><Point x='1' y='2' label='m'/></S>",
         "7 0 | 7 3 l | 1 1 m"},
        {"<S><Centre x='4' x='5'/></S>", "5 4"},  // an attribute twice (the parser lets it pass): the first
    };
    for (bool interface : {false, true}) {
        std::optional<ThroughInterface> path;
        if (interface) path.emplace();
        for (const auto& c : cases) {
            xml::tree tree;
            tree.parse(c.text);
            Shape s;
            s.count = 1;
            s.centre.x = 8;
            s.points.resize(3);
            serializeShape(XmlArchive::reader(tree.root()), s);
            EXPECT_EQ(c.shape, told(s)) << c.text << (interface ? " through the interface" : "");
        }
    }
    Shape fromNothing;
    fromNothing.points.resize(3);
    serializeShape(XmlArchive::reader(xml::node()), fromNothing);
    EXPECT_EQ("5 0", told(fromNothing));
}

// The archive remembers the attributes it wrote, up to a number: an attribute set again, also one added
// beside it or beyond that number, is replaced in place.
TEST(XmlArchive, WritingAnAttributeAgainReplacesIt) {
    xml::tree tree;
    tree.create("S");
    const XmlArchive writer = XmlArchive::writer(tree.root());
    std::int32_t one = 1;
    std::int32_t two = 2;
    writer.attribute("x", one, 0);
    tree.root().set("y", 5);
    writer.attribute("y", two, 0).attribute("x", two, 0);
    const char* names[] = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
    for (const char* name : names) writer.attribute(name, one, 0);
    for (const char* name : names) writer.attribute(name, two, 0);
    EXPECT_EQ(
        "<?xml version=\"1.0\"?><S x=\"2\" y=\"2\" a0=\"2\" a1=\"2\" a2=\"2\" a3=\"2\" a4=\"2\" a5=\"2\" "
        "a6=\"2\" a7=\"2\" a8=\"2\" a9=\"2\"/>",
        tree.text());
}

TEST(XmlArchive, WritingOnNoElementRaisesAtTheFirstValue) {
    Shape defaults;
    defaults.points.clear();
    const XmlArchive none = XmlArchive::writer(xml::node());
    EXPECT_NO_THROW(none.attribute("count", defaults.count, 5u));
    Shape changed;
    changed.count = 6;
    EXPECT_THROW(serializeShape(none, changed), xml::attribute_not_found);
}

TEST(XmlArchive, ReadingRaisesOnlyForRequiredOrAmbiguous) {
    xml::tree tree;
    tree.parse("<S><Centre/><Centre/></S>");
    Shape s;
    EXPECT_THROW(serializeShape(XmlArchive::reader(tree.root()), s), xml::ambiguous);

    tree.parse("<R num='10' den='x'/>");
    const XmlArchive reader = XmlArchive::reader(tree.root());
    std::int32_t num = 0;
    std::uint32_t den = 0;
    reader.required("num", num);
    EXPECT_EQ(10, num);
    EXPECT_THROW(reader.required("den", den), xml::attribute_parse_error);
    EXPECT_THROW(reader.required("missing", den), xml::attribute_not_found);

    tree.create("R");
    num = 0;
    XmlArchive::writer(tree.root()).required("num", num);
    EXPECT_EQ("0", tree.root().get<std::string>("num"));
}

}  // namespace
