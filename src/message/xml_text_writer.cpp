#include "message/xml_text_writer.h"

#include <algorithm>
#include <stdexcept>

namespace xml {
namespace {

// What a saved tree writes for an element or attribute without name.
constexpr char kAnonymous[] = ":anonymous";
constexpr std::size_t kAnonymousSize = sizeof kAnonymous - 1;

constexpr char kDeclaration[] = "<?xml version=\"1.0\"?>";

inline bool isSpecial(char c) {
    return static_cast<unsigned char>(c) < 32 || c == '&' || c == '<' || c == '"';
}

// Attribute text as a saved tree writes it: "&", "<", the quote and control characters as references,
// every other byte as it is.
template <class Sink>
void escape(const char* text, std::size_t size, Sink&& sink) {
    const char* p = text;
    const char* const end = text + size;
    while (p < end) {
        const char* run = p;
        while (p < end && !isSpecial(*p)) ++p;
        if (p > run) sink(run, static_cast<std::size_t>(p - run));
        if (p == end) break;
        const char c = *p++;
        switch (c) {
            case '&':
                sink("&amp;", 5);
                break;
            case '<':
                sink("&lt;", 4);
                break;
            case '"':
                sink("&quot;", 6);
                break;
            default: {
                const char reference[] = {'&', '#', static_cast<char>('0' + c / 10),
                                          static_cast<char>('0' + c % 10), ';'};
                sink(reference, 5);
            }
        }
    }
}

// A text up to its first NUL, where a tree's copy of it ends.
inline std::size_t storedSize(const char* text, std::size_t size) {
    const void* nul = std::memchr(text, '\0', size);
    return nul == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(nul) - text);
}

}  // namespace

text_writer::text_writer(const char* rootName) {
    const std::size_t nameSize = std::strlen(rootName);
    const char* name = nameSize == 0 ? kAnonymous : rootName;
    const std::size_t written = nameSize == 0 ? kAnonymousSize : nameSize;
    char* p = reserve(sizeof kDeclaration + written);
    std::memcpy(p, kDeclaration, sizeof kDeclaration - 1);
    p[sizeof kDeclaration - 1] = '<';
    std::memcpy(p + sizeof kDeclaration, name, written);
    size_ += sizeof kDeclaration + written;
    open_.push_back({sizeof kDeclaration, written, 0, false, -1, 0});
}

void text_writer::checkOpen() const {
    if (open_.empty()) throw std::logic_error("the text is finished");
}

// Field by field into its place: a whole entry built aside and copied in would be read back before its
// parts are stored, a stall on every attribute.
void text_writer::record(int piece, std::size_t nameSize, std::size_t valueAt, std::size_t valueEnd) {
    attributes_.emplace_back();
    attribute_entry& entry = attributes_.back();
    entry.piece = piece;
    entry.nameSize = nameSize;
    entry.valueAt = valueAt;
    entry.valueEnd = valueEnd;
}

void text_writer::grow(std::size_t n) {
    buffer_.resize(std::max({buffer_.size() * 2, size_ + n, std::size_t(4096)}));
}

void text_writer::closeStartTag(open_element& element) {
    element.tagEnd = size_;
    element.hasContent = true;
    *reserve(1) = '>';
    ++size_;
}

void text_writer::startElement(const char* name) {
    checkOpen();
    open_element& parent = open_.back();
    if (!parent.hasContent) closeStartTag(parent);
    std::size_t nameSize = std::strlen(name);
    if (nameSize == 0) {
        name = kAnonymous;
        nameSize = kAnonymousSize;
    }
    char* p = reserve(nameSize + 1);
    *p = '<';
    std::memcpy(p + 1, name, nameSize);
    open_.push_back({size_ + 1, nameSize, 0, false, -1, attributes_.size()});
    size_ += nameSize + 1;
}

void text_writer::endElement() {
    if (open_.size() < 2) throw std::logic_error("the root element stays open until the text is finished");
    const open_element element = open_.back();
    writeEndTag(element);
    attributes_.resize(element.attributes);
    open_.pop_back();
}

void text_writer::writeEndTag(const open_element& element) {
    if (element.hasContent) {
        char* p = reserve(element.nameSize + 3);
        p[0] = '<';
        p[1] = '/';
        std::memcpy(p + 2, &buffer_[element.nameAt], element.nameSize);
        p[element.nameSize + 2] = '>';
        size_ += element.nameSize + 3;
    } else {
        std::memcpy(reserve(2), "/>", 2);
        size_ += 2;
    }
}

text_writer::attribute_entry* text_writer::findAttribute(const char* name, std::size_t nameSize) {
    for (std::size_t i = open_.back().attributes; i < attributes_.size(); ++i) {
        attribute_entry& entry = attributes_[i];
        if (entry.nameSize != nameSize) continue;
        const char* value =
            entry.piece < 0 ? &buffer_[entry.valueAt] : &late_[entry.piece].text[entry.valueAt];
        if (std::memcmp(value - 2 - nameSize, name, nameSize) == 0) return &entry;
    }
    return nullptr;
}

void text_writer::setPlainAttribute(const char* name, const char* text, std::size_t size) {
    checkOpen();
    const std::size_t nameSize = std::strlen(name);
    open_element& element = open_.back();
    if (element.attributes != attributes_.size()) {
        if (attribute_entry* entry = findAttribute(name, nameSize)) {
            replaceValue(*entry, text, size, false);
            return;
        }
    }
    if (element.hasContent) {
        setAttribute(name, text, size);  // a late piece; the text needs no escaping, and gets none
        return;
    }
    const char* written = nameSize == 0 ? kAnonymous : name;
    const std::size_t writtenSize = nameSize == 0 ? kAnonymousSize : nameSize;
    char* p = reserve(writtenSize + size + 4);
    p[0] = ' ';
    std::memcpy(p + 1, written, writtenSize);
    p[writtenSize + 1] = '=';
    p[writtenSize + 2] = '"';
    std::memcpy(p + writtenSize + 3, text, size);
    p[writtenSize + 3 + size] = '"';
    const std::size_t valueAt = size_ + writtenSize + 3;
    record(-1, nameSize, valueAt, valueAt + size);
    size_ = valueAt + size + 1;
}

void text_writer::setAttribute(const char* name, const char* text, std::size_t size) {
    checkOpen();
    size = storedSize(text, size);
    const std::size_t nameSize = std::strlen(name);
    if (attribute_entry* entry = findAttribute(name, nameSize)) {
        replaceValue(*entry, text, size, true);
        return;
    }
    const char* written = nameSize == 0 ? kAnonymous : name;
    const std::size_t writtenSize = nameSize == 0 ? kAnonymousSize : nameSize;
    open_element& element = open_.back();
    if (!element.hasContent) {
        char* p = reserve(writtenSize + 3);
        p[0] = ' ';
        std::memcpy(p + 1, written, writtenSize);
        p[writtenSize + 1] = '=';
        p[writtenSize + 2] = '"';
        size_ += writtenSize + 3;
        const std::size_t valueAt = size_;
        escape(text, size, [this](const char* run, std::size_t n) {
            std::memcpy(reserve(n), run, n);
            size_ += n;
        });
        record(-1, nameSize, valueAt, size_);
        *reserve(1) = '"';
        ++size_;
        return;
    }
    if (element.late < 0) {
        element.late = static_cast<int>(late_.size());
        late_.push_back({element.tagEnd, std::string()});
    }
    std::string& piece = late_[element.late].text;
    piece += ' ';
    piece.append(written, writtenSize);
    piece += "=\"";
    const std::size_t valueAt = piece.size();
    escape(text, size, [&piece](const char* run, std::size_t n) { piece.append(run, n); });
    record(element.late, nameSize, valueAt, piece.size());
    piece += '"';
}

// Rare: a record that sets an attribute twice. The text after the old value moves, and with it every
// position recorded behind it.
void text_writer::replaceValue(attribute_entry& entry, const char* text, std::size_t size, bool escaped) {
    std::string value;
    if (escaped) {
        escape(text, size, [&value](const char* run, std::size_t n) { value.append(run, n); });
    } else {
        value.assign(text, size);
    }
    const std::size_t oldSize = entry.valueEnd - entry.valueAt;
    const std::size_t at = entry.valueAt;
    const int piece = entry.piece;
    auto shift = [&](std::size_t& position) {
        if (position > at) position = position - oldSize + value.size();
    };
    if (piece >= 0) {
        late_[piece].text.replace(at, oldSize, value);
    } else {
        if (value.size() > oldSize) reserve(value.size() - oldSize);
        std::memmove(&buffer_[at + value.size()], &buffer_[at + oldSize], size_ - at - oldSize);
        std::memcpy(&buffer_[at], value.data(), value.size());
        size_ = size_ - oldSize + value.size();
        open_element& element = open_.back();
        if (element.hasContent) shift(element.tagEnd);
        for (late_piece& late : late_) shift(late.at);
    }
    for (std::size_t i = open_.back().attributes; i < attributes_.size(); ++i) {
        attribute_entry& other = attributes_[i];
        if (&other == &entry || other.piece != piece) continue;
        shift(other.valueAt);
        shift(other.valueEnd);
    }
    entry.valueEnd = at + value.size();
}

std::string text_writer::finish() {
    while (open_.size() > 1) endElement();
    if (!open_.empty()) {
        writeEndTag(open_.back());
        open_.clear();
        attributes_.clear();
    }
    // The late attributes go in from the back, so that each part of the text moves once.
    std::size_t extra = 0;
    for (const late_piece& late : late_) extra += late.text.size();
    if (extra > 0) {
        std::sort(late_.begin(), late_.end(),
                  [](const late_piece& a, const late_piece& b) { return a.at < b.at; });
        reserve(extra);
        std::size_t end = size_;
        std::size_t shift = extra;
        for (std::size_t i = late_.size(); i-- > 0;) {
            const late_piece& late = late_[i];
            std::memmove(&buffer_[late.at + shift], &buffer_[late.at], end - late.at);
            shift -= late.text.size();
            std::memcpy(&buffer_[late.at + shift], late.text.data(), late.text.size());
            end = late.at;
        }
        size_ += extra;
        late_.clear();
    }
    buffer_.resize(size_);
    size_ = 0;
    return std::move(buffer_);
}

}  // namespace xml
