#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "message/xml_exceptions.h"
#include "message/xml_value_text.h"

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
}  // namespace pugi

namespace xml {

// What a record routine's accesses to one element's attributes have learnt: where the next lookup
// begins, so that attributes read in the order they were written are found at the first try; and, for an
// element that started without attributes, which ones it holds, so that writing a new one needs no
// search. A fresh cursor for each element; one that meets another element starts over.
class attribute_cursor {
private:
    friend class node;
    static constexpr int kKnown = 8;
    const pugi::xml_node_struct* element_ = nullptr;
    pugi::xml_attribute_struct* next_ = nullptr;
    // While `tracking_`, the element holds exactly these attributes, the last of them `last_`.
    bool tracking_ = false;
    int count_ = 0;
    pugi::xml_attribute_struct* last_ = nullptr;
    const char* names_[kKnown] = {};
    pugi::xml_attribute_struct* attributes_[kKnown] = {};
};

// A handle to one element of a tree, or the null node. Copies are handles to the same element: a change
// through one is seen through all. A node is valid while its tree lives and holds the element; it is
// used by one thread at a time.
class node {
public:
    node() = default;

    bool isNull() const { return handle_ == nullptr; }
    // The element's name; empty for the null node.
    std::string name() const;

    // The raw text of an attribute; false when the node is null or has no such attribute.
    bool attribute(const char* name, std::string& text) const;
    // The same without a copy: the text, or nullptr. Valid until the attribute changes.
    const char* attributeText(const char* name) const;
    // The same, trying the attribute after the last one found first. An element that carries the same
    // attribute twice (not well-formed XML, which the parser lets pass) may then give either text.
    const char* attributeText(const char* name, attribute_cursor& cursor) const;
    // Adds the attribute or replaces its text. Does nothing on the null node.
    void setAttribute(const char* name, const char* text, std::size_t size);
    void setAttribute(const char* name, const char* text) { setAttribute(name, text, std::strlen(text)); }
    void setAttribute(const char* name, const std::string& text) {
        setAttribute(name, text.data(), text.size());
    }
    // The same, learning and using what the cursor knows of the element.
    void setAttribute(const char* name, const char* text, std::size_t size, attribute_cursor& cursor);

    // The child elements of that name, every child element for an empty name, in document order.
    std::vector<node> children(const char* name = "") const;
    // Appends a new child element and returns it; the null node on the null node.
    node addChild(const char* name);
    // The unique child element of that name, or the null node when there is none;
    // xml::ambiguous ("Node is ambiguous (tag = NAME)") when there are two or more.
    node child(const char* name) const;

    // Typed attribute read, as stream extraction reads the text (see xml_value_text.h): integers,
    // reals, booleans, named enumerations and text. xml::attribute_not_found when the node is null or
    // the attribute is absent; xml::attribute_parse_error when the text holds no such value.
    template <class T>
    T get(const char* name) const {
        const char* text = attributeText(name);
        if (text == nullptr) throw attribute_not_found();
        T value{};
        if (!detail::readValue(text, value)) throw attribute_parse_error();
        return value;
    }

    // Typed attribute write, as stream insertion formats the value; xml::attribute_not_found on the
    // null node.
    template <class T>
    void set(const char* name, const T& value) {
        if (isNull()) throw attribute_not_found();
        detail::ValueBuffer buffer;
        const detail::ValueText text = detail::valueText(value, buffer);
        setAttribute(name, text.data, text.size);
    }
    template <class T>
    void set(const char* name, const T& value, attribute_cursor& cursor) {
        if (isNull()) throw attribute_not_found();
        detail::ValueBuffer buffer;
        const detail::ValueText text = detail::valueText(value, buffer);
        setAttribute(name, text.data, text.size, cursor);
    }

    friend bool operator==(const node& a, const node& b) { return a.handle_ == b.handle_; }
    friend bool operator!=(const node& a, const node& b) { return a.handle_ != b.handle_; }

private:
    friend class tree;
    friend class child_index;
    explicit node(pugi::xml_node_struct* handle) : handle_(handle) {}

    pugi::xml_node_struct* handle_ = nullptr;
};

// The child elements of one element with their names, gathered in one pass: several lookups among many
// children then need no further walk through the tree. Valid while the element's children stay.
class child_index {
public:
    explicit child_index(const node& parent);
    // As node::children and node::child.
    std::vector<node> children(const char* name) const;
    node child(const char* name) const;
    // The number of children of that name (of every name for an empty one), and visit(element) for each
    // in document order.
    std::size_t count(const char* name) const;
    template <class Visit>
    void forEach(const char* name, Visit&& visit) const {
        const int id = listed(name);
        if (id == kAbsent) return;
        for (const entry& e : entries_) {
            if (matches(e, id, name)) visit(e.element);
        }
    }

private:
    // Names as ids: the first kListed distinct names are listed, and a lookup compares numbers without
    // reading the children's names again.
    static constexpr std::size_t kListed = 16;
    static constexpr int kAny = -1;       // a lookup of every name
    static constexpr int kAbsent = -2;    // a lookup of a name no child has
    static constexpr int kUnlisted = -3;  // a name beyond the listed ones, or a lookup of one
    struct entry {
        int name;
        const char* text;
        node element;
    };

    static bool sameName(const char* a, const char* b) {
        while (*a != '\0' && *a == *b) {
            ++a;
            ++b;
        }
        return *a == *b;
    }
    void add(const char* name, node element);
    int listed(const char* name) const;
    static bool matches(const entry& e, int id, const char* name) {
        return id >= 0 ? e.name == id : id == kAny || (e.name == kUnlisted && sameName(e.text, name));
    }

    std::vector<const char*> names_;
    std::vector<entry> entries_;
    int last_ = kUnlisted;  // the id of the latest child, tried first for the next
};

}  // namespace xml
