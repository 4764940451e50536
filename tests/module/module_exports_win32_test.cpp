#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/common/program_path.h"

namespace {

// The names in a PE file's export directory, read from the file.
std::vector<std::string> exportedNames(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    auto u16 = [&](std::size_t at) { return static_cast<std::uint32_t>(b.at(at) | (b.at(at + 1) << 8)); };
    auto u32 = [&](std::size_t at) { return u16(at) | (u16(at + 2) << 16); };
    const std::size_t pe = u32(0x3C);
    EXPECT_EQ(u32(pe), 0x00004550u);
    const bool x64 = sizeof(void*) == 8;
    EXPECT_EQ(u16(pe + 4), x64 ? 0x8664u : 0x014Cu);  // AMD64 / i386
    const std::size_t optional = pe + 24;
    EXPECT_EQ(u16(optional), x64 ? 0x020Bu : 0x010Bu);  // PE32+ / PE32
    const std::uint32_t exportRva = u32(optional + (x64 ? 112 : 96));
    const std::size_t sections = optional + u16(pe + 20);
    auto fileOffset = [&](std::uint32_t rva) -> std::size_t {
        for (std::size_t s = 0; s < u16(pe + 6); ++s) {
            const std::size_t h = sections + s * 40;
            const std::uint32_t va = u32(h + 12), size = u32(h + 8), raw = u32(h + 20);
            if (rva >= va && rva < va + size) return rva - va + raw;
        }
        throw std::runtime_error("address outside every section");
    };
    std::vector<std::string> names;
    if (exportRva == 0) return names;
    const std::size_t directory = fileOffset(exportRva);
    const std::uint32_t count = u32(directory + 24);
    const std::size_t nameTable = fileOffset(u32(directory + 32));
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name;
        for (std::size_t at = fileOffset(u32(nameTable + 4 * i)); b.at(at) != 0; ++at)
            name += static_cast<char>(b[at]);
        names.push_back(name);
    }
    return names;
}

TEST(BuiltModule, DllExportsTheEntryPointAlone) {
    EXPECT_EQ(exportedNames(testkit::besideTests("Skelda.aex")), std::vector<std::string>{"GPMain_Skelda"});
}

}  // namespace
