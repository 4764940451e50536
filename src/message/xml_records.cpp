#include "message/xml_records.h"

#include "message/pugixml.h"

namespace xml {
namespace detail {
namespace {

// A text as the interface gives it for a record's pointer.
bool sameText(const char* record, const char* api) {
    return record != nullptr ? record == api : *api == '\0';
}

bool sameNode(const pugi::xml_node& node, const node_record* r) {
    if (handleOf(r) != node.internal_object()) return false;
    if ((r->header & kNodeTypeMask) != static_cast<std::uintptr_t>(node.type())) return false;
    if (!sameText(r->name, node.name()) || !sameText(r->value, node.value())) return false;
    if (r->parent != recordOf(node.parent().internal_object())) return false;
    const attribute_record* a = r->firstAttribute;
    for (const pugi::xml_attribute& attribute : node.attributes()) {
        if (a == nullptr || handleOf(a) != attribute.internal_object()) return false;
        if (!sameText(a->name, attribute.name()) || !sameText(a->value, attribute.value())) return false;
        a = a->next;
    }
    if (a != nullptr) return false;
    const node_record* c = r->firstChild;
    for (const pugi::xml_node& child : node.children()) {
        if (c == nullptr || !sameNode(child, c)) return false;
        c = c->next;
    }
    return c == nullptr;
}

bool checkRecords() {
#ifdef PUGIXML_COMPACT
    // Compact records are packed in their own way: reading one as a usual record would read past it.
    return false;
#endif
    static const char kSample[] =
        "<a p='1' qq='two' e=''><b/>text<c r='3' s='4'><d/></c><!--note--><e t='5'/></a>";
    pugi::xml_document document;
    if (!document.load_string(kSample, pugi::parse_default | pugi::parse_comments)) return false;
    const pugi::xml_node root = document.document_element();
    if (static_cast<std::uintptr_t>(pugi::node_element) != kElementType) return false;
    return sameNode(root, recordOf(root.internal_object()));
}

bool layoutMatches() {
    static const bool matches = checkRecords();
    return matches;
}

bool& readable() {
    static bool flag = layoutMatches();
    return flag;
}

}  // namespace

bool recordsReadable() {
    return readable();
}

void readRecords(bool wanted) {
    readable() = wanted && layoutMatches();
}

}  // namespace detail
}  // namespace xml
