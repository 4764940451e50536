#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include "message/xml_value_text.h"

namespace xml {

// Writes a document's text while its elements are made, into one growing buffer, without a tree: the
// same bytes that tree::text gives for the same elements and attributes made in the same order. As in a
// tree, an attribute may come after the element's children and setting one again replaces its text.
// Used by one thread at a time.
class text_writer {
public:
    // Starts the document with its root element, the innermost open element.
    explicit text_writer(const char* rootName);
    text_writer(const text_writer&) = delete;
    text_writer& operator=(const text_writer&) = delete;

    // Opens a child of the innermost open element, which it then is.
    void startElement(const char* name);
    // Closes the innermost open element; std::logic_error for the root, which finish closes.
    void endElement();

    // Sets an attribute of the innermost open element. The text ends at its first NUL, as in a tree,
    // and is escaped as a saved tree escapes it.
    void setAttribute(const char* name, const char* text, std::size_t size);
    void setAttribute(const char* name, const std::string& text) {
        setAttribute(name, text.data(), text.size());
    }

    // Typed attribute write, formatted as node::set formats it.
    template <class T>
    void set(const char* name, const T& value) {
        detail::ValueBuffer buffer;
        const detail::ValueText text = detail::valueText(value, buffer);
        if (std::is_arithmetic<T>::value) {
            setPlainAttribute(name, text.data, text.size);  // digits, signs, points and letters only
        } else {
            setAttribute(name, text.data, text.size);
        }
    }

    // Closes every open element and hands over the whole text; the writer is then spent, and further
    // writes raise std::logic_error.
    std::string finish();

private:
    struct open_element {
        std::size_t nameAt;    // where the name lies in the text
        std::size_t nameSize;  // 0 for an element without name
        std::size_t tagEnd;    // where the start tag's ">" is, once the element has content
        bool hasContent;
        int late;                // the piece that holds attributes set after content, or -1
        std::size_t attributes;  // the element's first entry in attributes_
    };
    // An attribute of an open element: where its value lies, in the text or in a late piece.
    struct attribute_entry {
        int piece;  // -1 for the text
        std::size_t nameSize;
        std::size_t valueAt;
        std::size_t valueEnd;
    };
    // Attributes set after the element's content, to be inserted before its start tag's ">".
    struct late_piece {
        std::size_t at;
        std::string text;
    };

    void checkOpen() const;
    void record(int piece, std::size_t nameSize, std::size_t valueAt, std::size_t valueEnd);
    void setPlainAttribute(const char* name, const char* text, std::size_t size);
    void closeStartTag(open_element& element);
    void writeEndTag(const open_element& element);
    attribute_entry* findAttribute(const char* name, std::size_t nameSize);
    void replaceValue(attribute_entry& entry, const char* text, std::size_t size, bool escape);
    // Room for n more bytes at the end of the text.
    char* reserve(std::size_t n) {
        if (buffer_.size() - size_ < n) grow(n);
        return &buffer_[size_];
    }
    void grow(std::size_t n);

    std::string buffer_;  // the text up to size_, then spare room
    std::size_t size_ = 0;
    std::vector<open_element> open_;
    std::vector<attribute_entry> attributes_;
    std::vector<late_piece> late_;
};

}  // namespace xml
