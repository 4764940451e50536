#include "message/xml_node.h"

#include <new>
#include "message/pugixml.h"

#include "message/xml_records.h"

namespace xml {
namespace {

// The parser allocates records in document order, and a walk through many siblings would wait for
// memory at each one: ask for the records a little further on, which are most likely the next siblings.
inline void streamAhead(const detail::node_record* record) {
#if defined(__GNUC__)
    const char* at = reinterpret_cast<const char*>(record) + 2048;
    for (int line = 0; line < 5; ++line) __builtin_prefetch(at + 64 * line);
#else
    (void)record;
#endif
}

// A record's text as the interface gives it.
inline const char* textOf(const char* text) {
    return text != nullptr ? text : "";
}

// Names are short: comparing in line beats a library call per candidate.
inline bool sameName(const char* a, const char* b) {
    while (*a != '\0' && *a == *b) {
        ++a;
        ++b;
    }
    return *a == *b;
}

pugi::xml_attribute findAttribute(pugi::xml_node element, const char* name) {
    for (pugi::xml_attribute a = element.first_attribute(); a; a = a.next_attribute()) {
        if (sameName(a.name(), name)) return a;
    }
    return pugi::xml_attribute();
}

// The next element after `from` (itself included) with that name; any element for an empty name.
pugi::xml_node findElement(pugi::xml_node from, const char* name) {
    const bool any = *name == '\0';
    for (pugi::xml_node c = from; c; c = c.next_sibling()) {
        // Text and comments have no name; only a match needs its type checked.
        if ((any || sameName(c.name(), name)) && c.type() == pugi::node_element) return c;
    }
    return pugi::xml_node();
}

}  // namespace

std::string node::name() const {
    return pugi::xml_node(handle_).name();
}

bool node::attribute(const char* name, std::string& text) const {
    const char* value = attributeText(name);
    if (value == nullptr) return false;
    text = value;
    return true;
}

const char* node::attributeText(const char* name) const {
    if (handle_ == nullptr) return nullptr;
    if (detail::recordsReadable()) {
        for (const detail::attribute_record* a = detail::recordOf(handle_)->firstAttribute; a; a = a->next) {
            if (sameName(textOf(a->name), name)) return textOf(a->value);
        }
        return nullptr;
    }
    const pugi::xml_attribute attribute = findAttribute(pugi::xml_node(handle_), name);
    return attribute ? attribute.value() : nullptr;
}

const char* node::attributeText(const char* name, attribute_cursor& cursor) const {
    if (handle_ == nullptr) return nullptr;
    if (detail::recordsReadable()) {
        // From the hint to the end, then from the first attribute up to the hint.
        const detail::attribute_record* hint =
            cursor.element_ == handle_ ? detail::recordOf(cursor.next_) : nullptr;
        const detail::attribute_record* found = nullptr;
        for (const detail::attribute_record* a = hint; a != nullptr && found == nullptr; a = a->next) {
            if (sameName(textOf(a->name), name)) found = a;
        }
        for (const detail::attribute_record* a = detail::recordOf(handle_)->firstAttribute;
             a != hint && found == nullptr; a = a->next) {
            if (sameName(textOf(a->name), name)) found = a;
        }
        if (found == nullptr) return nullptr;
        cursor.element_ = handle_;
        cursor.next_ = detail::handleOf(found->next);
        return textOf(found->value);
    }
    if (cursor.element_ == handle_ && cursor.next_ != nullptr) {
        const pugi::xml_attribute hinted(cursor.next_);
        if (sameName(hinted.name(), name)) {
            cursor.next_ = hinted.next_attribute().internal_object();
            return hinted.value();
        }
    }
    const pugi::xml_attribute attribute = findAttribute(pugi::xml_node(handle_), name);
    if (!attribute) return nullptr;
    cursor.element_ = handle_;
    cursor.next_ = attribute.next_attribute().internal_object();
    return attribute.value();
}

void node::setAttribute(const char* name, const char* text, std::size_t size) {
    if (handle_ == nullptr) return;
    pugi::xml_node element(handle_);
    pugi::xml_attribute attribute = findAttribute(element, name);
    if (!attribute) attribute = element.append_attribute(name);
    if (!attribute || !attribute.set_value(text, size)) throw std::bad_alloc();
}

void node::setAttribute(const char* name, const char* text, std::size_t size, attribute_cursor& cursor) {
    if (handle_ == nullptr) return;
    pugi::xml_node element(handle_);
    if (cursor.element_ != handle_) {
        cursor = attribute_cursor();
        cursor.element_ = handle_;
        cursor.tracking_ = !element.first_attribute();
    } else if (cursor.tracking_ && element.last_attribute().internal_object() != cursor.last_) {
        cursor.tracking_ = false;  // attributes were added by other means
    }
    pugi::xml_attribute attribute;
    if (cursor.tracking_) {
        for (int i = 0; i < cursor.count_; ++i) {
            if (sameName(cursor.names_[i], name)) {
                attribute = pugi::xml_attribute(cursor.attributes_[i]);
                break;
            }
        }
    } else {
        attribute = findAttribute(element, name);
    }
    if (!attribute) {
        attribute = element.append_attribute(name);
        if (!attribute) throw std::bad_alloc();
        if (cursor.tracking_ && cursor.count_ < attribute_cursor::kKnown) {
            cursor.names_[cursor.count_] = attribute.name();
            cursor.attributes_[cursor.count_++] = attribute.internal_object();
            cursor.last_ = attribute.internal_object();
        } else {
            cursor.tracking_ = false;
        }
    }
    if (!attribute.set_value(text, size)) throw std::bad_alloc();
}

std::vector<node> node::children(const char* name) const {
    std::vector<node> result;
    if (handle_ == nullptr) return result;
    for (pugi::xml_node c = findElement(pugi::xml_node(handle_).first_child(), name); c;
         c = findElement(c.next_sibling(), name)) {
        result.push_back(node(c.internal_object()));
    }
    return result;
}

node node::addChild(const char* name) {
    if (handle_ == nullptr) return node();
    const pugi::xml_node c = pugi::xml_node(handle_).append_child(name);
    if (!c) throw std::bad_alloc();
    return node(c.internal_object());
}

node node::child(const char* name) const {
    if (handle_ == nullptr) return node();
    const pugi::xml_node first = findElement(pugi::xml_node(handle_).first_child(), name);
    if (!first) return node();
    if (findElement(first.next_sibling(), name)) throw ambiguous(std::string("tag = ") + name);
    return node(first.internal_object());
}

child_index::child_index(const node& parent) {
    if (parent.handle_ == nullptr) return;
    if (detail::recordsReadable()) {
        for (const detail::node_record* c = detail::recordOf(parent.handle_)->firstChild; c; c = c->next) {
            streamAhead(c);
            if ((c->header & detail::kNodeTypeMask) == detail::kElementType)
                add(textOf(c->name), node(detail::handleOf(c)));
        }
        return;
    }
    for (pugi::xml_node c = pugi::xml_node(parent.handle_).first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element) add(c.name(), node(c.internal_object()));
    }
}

void child_index::add(const char* name, node element) {
    int id = last_;
    if (id < 0 || !sameName(names_[id], name)) {
        id = listed(name);
        if (id < 0) {
            id = kUnlisted;
            if (names_.size() < kListed) {
                id = static_cast<int>(names_.size());
                names_.push_back(name);
            }
        }
    }
    last_ = id;
    entries_.push_back({id, name, element});
}

int child_index::listed(const char* name) const {
    if (*name == '\0') return kAny;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (sameName(names_[i], name)) return static_cast<int>(i);
    }
    return names_.size() < kListed ? kAbsent : kUnlisted;
}

std::vector<node> child_index::children(const char* name) const {
    std::vector<node> result;
    forEach(name, [&result](const node& element) { result.push_back(element); });
    return result;
}

std::size_t child_index::count(const char* name) const {
    const int id = listed(name);
    if (id == kAbsent) return 0;
    std::size_t n = 0;
    for (const entry& e : entries_) n += matches(e, id, name) ? 1 : 0;
    return n;
}

node child_index::child(const char* name) const {
    const int id = listed(name);
    if (id == kAbsent) return node();
    node found;
    for (const entry& e : entries_) {
        if (!matches(e, id, name)) continue;
        if (!found.isNull()) throw ambiguous(std::string("tag = ") + name);
        found = e.element;
    }
    return found;
}

}  // namespace xml
