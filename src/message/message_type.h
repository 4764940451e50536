#pragma once

#include <cstdint>

#include "message/xml_value_text.h"

// The kind of a pipe message; the value is the index of its name, the text of the "type" attribute.
enum class MessageType : std::int32_t {
    Empty = 0,
    Error = 1,
    Underlay = 2,
    Overlay = 3,
    Transformations = 4,
    Project = 5,
    PossibleActions = 6,
};

namespace xml {
template <>
struct name_table<MessageType> {
    static constexpr const char* names[] = {"Empty",           "Error",   "Underlay",       "Overlay",
                                            "Transformations", "Project", "PossibleActions"};
};
}  // namespace xml
