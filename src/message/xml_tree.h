#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>

#include "message/xml_node.h"

namespace pugi {
class xml_document;
}

namespace xml {

// An XML document owning its element tree. Nodes taken from it are valid while it lives and until its
// content is replaced.
class tree {
public:
    tree();
    ~tree();
    tree(const tree&) = delete;
    tree& operator=(const tree&) = delete;

    // Replaces the content by a new empty root element.
    void create(const char* rootName);
    // Replaces the content by the parsed text; xml::parse_error (the parser's description and byte
    // offset) when it is not well-formed, and then the former content stays.
    void parse(const char* data, std::size_t size);
    void parse(const std::string& text) { parse(text.data(), text.size()); }
    // The same, taking the text over: it is parsed in place and becomes the document's own
    // storage, so that a large document never holds its text twice. On failure the text is gone
    // and the former content stays.
    void parse(std::string&& text);
    // The same for the text of a file; xml::parse_error also when the file cannot be read.
    void read(const std::string& path);

    // The whole document as text: an XML declaration and the elements without added white space,
    // so that the text grows only with the content.
    void write(std::ostream& out) const;
    std::string text() const;

    // The root element; the null node while the tree is empty.
    node root() const;

private:
    std::unique_ptr<pugi::xml_document> document_;
    // The text a document parsed in place points into; a string of its own on the heap, so that
    // no move of the tree moves the characters.
    std::unique_ptr<std::string> text_;
};

}  // namespace xml
