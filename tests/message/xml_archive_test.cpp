#include "message/xml_archive.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "message/xml_tree.h"

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

TEST(XmlArchive, WritesOnlyWhatDiffersFromTheDefaults) {
    xml::tree tree;
    tree.create("S");
    Shape s;
    s.points.resize(2);
    s.points[1].x = -3;
    s.points[1].label = " a b ";
    serializeShape(XmlArchive::writer(tree.root()), s);
    const xml::node root = tree.root();
    std::string text;
    EXPECT_FALSE(root.attribute("count", text));
    EXPECT_FALSE(root.child("Centre").isNull());
    const auto points = root.children("Point");
    ASSERT_EQ(2u, points.size());
    EXPECT_FALSE(points[0].attribute("x", text));
    EXPECT_EQ("-3", points[1].get<std::string>("x"));
    EXPECT_EQ(" a b ", points[1].get<std::string>("label"));

    Shape back;
    back.count = 9;
    back.points.resize(7);
    back.points[0].x = 4;
    serializeShape(XmlArchive::reader(root), back);
    EXPECT_EQ(5u, back.count);
    ASSERT_EQ(2u, back.points.size());
    EXPECT_EQ(0, back.points[0].x);
    EXPECT_EQ(-3, back.points[1].x);
    EXPECT_EQ(" a b ", back.points[1].label);
}

TEST(XmlArchive, LenientReadsTakeTheDefault) {
    xml::tree tree;
    tree.parse("<S count='abc'><Point x='abc' weight=' 2.5 kg'/><Point x='2147483648'/></S>");
    Shape s;
    s.count = 1;
    s.centre.x = 8;
    serializeShape(XmlArchive::reader(tree.root()), s);
    EXPECT_EQ(5u, s.count);
    EXPECT_EQ(0, s.centre.x);  // no Centre element: the null node gives the defaults
    ASSERT_EQ(2u, s.points.size());
    EXPECT_EQ(0, s.points[0].x);
    EXPECT_EQ(2.5, s.points[0].weight);
    EXPECT_EQ(0, s.points[1].x);

    Shape fromNothing;
    fromNothing.points.resize(3);
    serializeShape(XmlArchive::reader(xml::node()), fromNothing);
    EXPECT_TRUE(fromNothing.points.empty());
}

TEST(XmlArchive, AttributesAreFoundInAnyOrder) {
    xml::tree tree;
    tree.parse("<S><Point label='l' other='o' weight='3' x='7'/><Point x='1' y='2' label='m'/></S>");
    Shape s;
    serializeShape(XmlArchive::reader(tree.root()), s);
    ASSERT_EQ(2u, s.points.size());
    EXPECT_EQ(7, s.points[0].x);
    EXPECT_EQ(3.0, s.points[0].weight);
    EXPECT_EQ("l", s.points[0].label);
    EXPECT_EQ(1, s.points[1].x);
    EXPECT_EQ(1.0, s.points[1].weight);
    EXPECT_EQ("m", s.points[1].label);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(XmlArchive, WritingAnAttributeAgainReplacesIt) {
    xml::tree tree;
    tree.create("S");
    const XmlArchive writer = XmlArchive::writer(tree.root());
    std::int32_t one = 1;
    std::int32_t two = 2;
    writer.attribute("x", one, 0);
    xml::node other = tree.root();
    other.set("y", 5);  // added beside the archive
    writer.attribute("y", two, 0).attribute("x", two, 0);
    const char* names[] = {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9"};
    for (const char* name : names) writer.attribute(name, one, 0);
    for (const char* name : names) writer.attribute(name, two, 0);
    const std::string text = tree.text();
    EXPECT_EQ(1u, occurrences(text, " x=\"2\""));
    EXPECT_EQ(1u, occurrences(text, " y=\"2\""));
    EXPECT_EQ(10u, occurrences(text, "=\"2\"") - 2);
    EXPECT_EQ(0u, occurrences(text, "=\"1\""));
    EXPECT_EQ(0u, occurrences(text, "=\"5\""));
}

TEST(XmlArchive, ReadingTwoUniqueChildrenIsAmbiguous) {
    xml::tree tree;
    tree.parse("<S><Centre/><Centre/></S>");
    Shape s;
    EXPECT_THROW(serializeShape(XmlArchive::reader(tree.root()), s), xml::ambiguous);
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

TEST(XmlArchive, RequiredAttributes) {
    xml::tree tree;
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
