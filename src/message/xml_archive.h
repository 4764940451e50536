#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "message/xml_node.h"
#include "message/xml_text_writer.h"

// An element with a direction: one routine per record both reads and writes its fields through it.
// Writing emits only what differs from the defaults; reading is lenient (an absent or unreadable
// attribute gives the default) except where a field is required. A writer stands either on an element
// of a tree or on the innermost open element of a text writer, which makes the same text without a tree.
class XmlArchive {
public:
    XmlArchive(xml::node node, bool reading) : node_(node), reading_(reading) {}
    explicit XmlArchive(xml::text_writer& out) : reading_(false), out_(&out) {}
    static XmlArchive reader(xml::node node) { return XmlArchive(node, true); }
    static XmlArchive writer(xml::node node) { return XmlArchive(node, false); }
    static XmlArchive writer(xml::text_writer& out) { return XmlArchive(out); }

    // The element; the null node for a text writer's archive.
    const xml::node& node() const { return node_; }
    bool reading() const { return reading_; }
    bool writing() const { return !reading_; }

    // Writing: nothing when the field equals the default, else a typed write (xml::attribute_not_found
    // on the null node). Reading: the parsed value, or the default when the node is null, the attribute
    // is absent or its text holds no value; never raises. A text field takes the whole text.
    template <class T>
    const XmlArchive& attribute(const char* name, T& field,
                                const typename xml::detail::identity<T>::type& defaultValue) const {
        if (reading_) {
            const char* text = node_.attributeText(name, cursor_);
            if (text == nullptr || !xml::detail::readValue(text, field)) field = defaultValue;
        } else if (!(field == defaultValue)) {
            write(name, field);
        }
        return *this;
    }

    // An attribute that must be there: always written; reading raises xml::attribute_not_found or
    // xml::attribute_parse_error.
    template <class T>
    const XmlArchive& required(const char* name, T& field) const {
        if (reading_) {
            field = node_.get<T>(name);
        } else {
            write(name, field);
        }
        return *this;
    }

    // A child element, handled by routine(const XmlArchive&). Writing appends it; reading finds the
    // unique one (xml::ambiguous for two or more) or stands on the null node when there is none.
    template <class Routine>
    const XmlArchive& child(const char* name, Routine&& routine) const {
        if (out_ != nullptr) {
            out_->startElement(name);
            routine(XmlArchive(*out_));
            out_->endElement();
            return *this;
        }
        xml::node element = node_;
        element = reading_ ? index().child(name) : element.addChild(name);
        routine(XmlArchive(element, reading_));
        return *this;
    }

    // One child element per entry, in order, each handled by routine(const XmlArchive&, entry&).
    // Reading makes the sequence one entry per such child, entry i from the i-th, each from a default.
    template <class Sequence, class Routine>
    const XmlArchive& sequence(const char* name, Sequence& entries, Routine&& routine) const {
        if (reading_) {
            // Each entry made just before it is read, so that a long sequence is not written twice.
            const xml::child_index& children = index();
            entries.clear();
            entries.reserve(children.count(name));
            children.forEach(name, [&](const xml::node& element) {
                entries.emplace_back();
                routine(XmlArchive(element, true), entries.back());
            });
        } else if (out_ != nullptr) {
            for (auto& entry : entries) {
                out_->startElement(name);
                routine(XmlArchive(*out_), entry);
                out_->endElement();
            }
        } else {
            xml::node element = node_;
            for (auto& entry : entries) routine(XmlArchive(element.addChild(name), false), entry);
        }
        return *this;
    }

private:
    template <class T>
    void write(const char* name, const T& field) const {
        if (out_ != nullptr) {
            out_->set(name, field);
        } else {
            xml::node element = node_;
            element.set(name, field, cursor_);
        }
    }

    // The element's children, gathered at the first lookup for all lookups of this archive.
    const xml::child_index& index() const {
        if (!index_) index_ = std::make_shared<const xml::child_index>(node_);
        return *index_;
    }

    xml::node node_;
    bool reading_;
    xml::text_writer* out_ = nullptr;
    mutable xml::attribute_cursor cursor_;
    mutable std::shared_ptr<const xml::child_index> index_;
};
