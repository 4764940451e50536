#pragma once

#include <cstdint>

namespace pugi {
struct xml_node_struct;
struct xml_attribute_struct;
}  // namespace pugi

namespace xml {
namespace detail {

// pugixml's node and attribute records as its usual (not compact) build lays them out. Reading them in
// place spares a library call per step on the paths taken for every attribute of a large document. The
// layout is checked once against the library's interface; where it differs, only the interface is used.
struct attribute_record {
    std::uintptr_t header;
    const char* name;   // nullptr for an empty name
    const char* value;  // nullptr for an empty text
    attribute_record* previous;
    attribute_record* next;
};

struct node_record {
    std::uintptr_t header;  // the node type in the low bits
    const char* name;
    const char* value;
    node_record* parent;
    node_record* firstChild;
    node_record* previous;
    node_record* next;
    attribute_record* firstAttribute;
};

constexpr std::uintptr_t kNodeTypeMask = 15;
constexpr std::uintptr_t kElementType = 2;  // pugi::node_element

// True when the records read as the library's interface reads them.
bool recordsReadable();
// Makes reads go through the interface (false) or back to the records where they are readable (true),
// as tests of the interface path need; not while another thread reads.
void readRecords(bool wanted);

inline const node_record* recordOf(const pugi::xml_node_struct* handle) {
    return reinterpret_cast<const node_record*>(handle);
}
inline const attribute_record* recordOf(const pugi::xml_attribute_struct* handle) {
    return reinterpret_cast<const attribute_record*>(handle);
}
inline pugi::xml_node_struct* handleOf(const node_record* record) {
    return reinterpret_cast<pugi::xml_node_struct*>(const_cast<node_record*>(record));
}
inline pugi::xml_attribute_struct* handleOf(const attribute_record* record) {
    return reinterpret_cast<pugi::xml_attribute_struct*>(const_cast<attribute_record*>(record));
}

}  // namespace detail
}  // namespace xml
