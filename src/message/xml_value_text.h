#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <type_traits>

namespace xml {

// Enumerations travel as names. A specialisation lists them, indexed by the value:
//   template <> struct xml::name_table<Task> {
//       static constexpr const char* names[] = {"Tracking", "Compensation"};
//   };
template <class E>
struct name_table;

namespace detail {

template <class T>
struct identity {
    using type = T;
};

// Reads attribute text exactly as `std::istringstream(text) >> value` would at default settings: leading
// white space skipped, text after the value ignored. True with `out` set on success; false (and `out`
// untouched) wherever the stream would fail. Common texts are parsed directly; the rare texts whose
// conversion would need more than plain double arithmetic go through a stream.
bool readValue(const char* text, std::int32_t& out);
bool readValue(const char* text, std::uint32_t& out);
bool readValue(const char* text, double& out);
bool readValue(const char* text, float& out);
bool readValue(const char* text, bool& out);
// Text fields take the whole text unchanged.
bool readValue(const char* text, std::string& out);

// The index of the first word of `text` (after leading white space, up to the next white space) in
// `names`, compared byte for byte.
bool readName(const char* text, const char* const* names, std::size_t count, std::size_t& index);

template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
bool readValue(const char* text, E& out) {
    std::size_t index = 0;
    if (!readName(text, name_table<E>::names, std::size(name_table<E>::names), index)) return false;
    out = static_cast<E>(index);
    return true;
}

// The text that `std::ostringstream() << value` gives at default settings: integers in decimal, reals
// in general notation with 6 significant digits, booleans as 1 and 0, a float widened to double. The
// text lies in `buffer` or is a constant.
constexpr std::size_t kValueTextSize = 32;
using ValueBuffer = char[kValueTextSize];

struct ValueText {
    const char* data;
    std::size_t size;
};

ValueText valueText(std::int32_t value, ValueBuffer& buffer);
ValueText valueText(std::uint32_t value, ValueBuffer& buffer);
ValueText valueText(double value, ValueBuffer& buffer);
inline ValueText valueText(float value, ValueBuffer& buffer) {
    return valueText(static_cast<double>(value), buffer);
}
inline ValueText valueText(bool value, ValueBuffer&) {
    return {value ? "1" : "0", 1};
}
inline ValueText valueText(const std::string& value, ValueBuffer&) {
    return {value.c_str(), value.size()};
}
// A literal must not turn into a boolean.
inline ValueText valueText(const char* value, ValueBuffer&) {
    return {value, std::strlen(value)};
}

template <class E, std::enable_if_t<std::is_enum<E>::value, int> = 0>
ValueText valueText(E value, ValueBuffer&) {
    const auto index = static_cast<std::size_t>(static_cast<std::underlying_type_t<E>>(value));
    if (index >= std::size(name_table<E>::names)) throw std::out_of_range("enumeration value has no name");
    const char* name = name_table<E>::names[index];
    return {name, std::strlen(name)};
}

}  // namespace detail
}  // namespace xml
