#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace simhost {

struct PiplProperty {
    std::string vendor;  // four-character code as read, e.g. "8BIM"
    std::string key;     // e.g. "kind"
    std::uint32_t id = 0;
    std::vector<unsigned char> data;  // padded length
};

struct Pipl {
    std::uint16_t reserved1 = 0;
    std::uint32_t reserved2 = 0;
    std::vector<PiplProperty> properties;

    const PiplProperty* find(const std::string& key) const;
    // 'kind' data as a four-character code ("AEgx").
    std::string kind() const;
    // 'name' and 'catg': length-prefixed strings.
    std::string name() const;
    std::string category() const;
    std::uint32_t version() const;
    // The entry point's name from the code property of `codeKey` ("8664" on 64-bit hosts,
    // "wx86" on 32-bit ones); empty when the PiPL has none for it.
    std::string entryPoint(const std::string& codeKey = kHostCodeKey) const;

    // The code property this host reads, by its own architecture.
    static const std::string kHostCodeKey;
};

// Parses a PiPL; a malformed one raises std::runtime_error saying what is wrong.
Pipl parsePipl(const unsigned char* data, std::size_t size);

}  // namespace simhost
