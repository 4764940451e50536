#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace pipl_detail {

template <std::size_t N>
struct Bytes {
    std::array<unsigned char, N> data{};
};

constexpr Bytes<2> word(std::uint32_t v) {
    return {{{static_cast<unsigned char>(v & 0xFF), static_cast<unsigned char>((v >> 8) & 0xFF)}}};
}

constexpr Bytes<4> dword(std::uint32_t v) {
    return {{{static_cast<unsigned char>(v & 0xFF), static_cast<unsigned char>((v >> 8) & 0xFF),
              static_cast<unsigned char>((v >> 16) & 0xFF), static_cast<unsigned char>((v >> 24) & 0xFF)}}};
}

// The characters of a literal without its terminating NUL.
template <std::size_t N>
constexpr Bytes<N - 1> text(const char (&s)[N]) {
    Bytes<N - 1> out{};
    for (std::size_t i = 0; i + 1 < N; ++i) out.data[i] = static_cast<unsigned char>(s[i]);
    return out;
}

template <std::size_t... N>
constexpr Bytes<(N + ... + 0)> concat(const Bytes<N>&... parts) {
    Bytes<(N + ... + 0)> out{};
    std::size_t at = 0;
    auto append = [&out, &at](const auto& part) {
        for (std::size_t i = 0; i < part.data.size(); ++i) out.data[at++] = part.data[i];
    };
    (append(parts), ...);
    return out;
}

#define PIPL_WORD(v) pipl_detail::word(v),
#define PIPL_LONG(v) pipl_detail::dword(v),
#define PIPL_TEXT(s) pipl_detail::text(s),

inline constexpr auto kModulePipl = concat(
#include "plugin/pipl_definition.h"
    Bytes<0>{});

#undef PIPL_WORD
#undef PIPL_LONG
#undef PIPL_TEXT

}  // namespace pipl_detail

// The PiPL bytes exactly as the module carries them.
inline constexpr const auto& kPiplBytes = pipl_detail::kModulePipl.data;

// Name of the ELF section that holds the PiPL in the Linux module.
constexpr const char kPiplSectionName[] = ".skelda_pipl";
// Type name and id of the PiPL resource in the Windows module.
constexpr const char kPiplResourceType[] = "PIPL";
constexpr int kPiplResourceId = 16000;
