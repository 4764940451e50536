#include "message/xml_node.h"

#include <cstring>
#include <new>
#include <pugixml.hpp>

namespace xml {

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
    const pugi::xml_attribute attribute = pugi::xml_node(handle_).attribute(name);
    return attribute ? attribute.value() : nullptr;
}

void node::setAttribute(const char* name, const char* text) {
    if (handle_ == nullptr) return;
    pugi::xml_node element(handle_);
    pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute) attribute = element.append_attribute(name);
    if (!attribute || !attribute.set_value(text)) throw std::bad_alloc();
}

std::vector<node> node::children(const char* name) const {
    std::vector<node> result;
    const bool any = *name == '\0';
    for (pugi::xml_node c = pugi::xml_node(handle_).first_child(); c; c = c.next_sibling()) {
        if (c.type() == pugi::node_element && (any || std::strcmp(c.name(), name) == 0)) {
            result.push_back(node(c.internal_object()));
        }
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
    const pugi::xml_node parent(handle_);
    const pugi::xml_node first = parent.child(name);
    if (!first) return node();
    if (first.next_sibling(name)) throw ambiguous(std::string("tag = ") + name);
    return node(first.internal_object());
}

}  // namespace xml
