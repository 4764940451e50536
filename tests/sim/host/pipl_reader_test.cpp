#include "sim/host/pipl_reader.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "plugin/pipl.h"

namespace {

// A module's PiPL is outside input: every damaged form raises an error, none reads past the end.
TEST(PiplReader, EveryTruncationIsRefused) {
    for (std::size_t size = 0; size < kPiplBytes.size(); ++size) {
        std::vector<unsigned char> part(kPiplBytes.begin(),
                                        kPiplBytes.begin() + static_cast<std::ptrdiff_t>(size));
        EXPECT_THROW(simhost::parsePipl(part.data(), part.size()), std::runtime_error) << size;
    }
}

TEST(PiplReader, DamagedFieldsAreRefused) {
    struct Damage {
        const char* what;
        std::size_t at;
        unsigned char value;
    };
    const Damage damages[] = {
        {"huge property count", 9, 0x7F},
        {"huge property length", 25, 0x7F},
        {"name longer than its data", 42, 0x40},
    };
    for (const Damage& d : damages) {
        std::vector<unsigned char> bytes(kPiplBytes.begin(), kPiplBytes.end());
        bytes[d.at] = d.value;
        EXPECT_THROW(
            {
                const simhost::Pipl pipl = simhost::parsePipl(bytes.data(), bytes.size());
                pipl.name();
            },
            std::runtime_error)
            << d.what;
    }
    std::vector<unsigned char> bytes(kPiplBytes.begin(), kPiplBytes.end());
    for (std::size_t i = bytes.size() - 3; i < bytes.size(); ++i) bytes[i] = 'x';
    const simhost::Pipl unterminated = simhost::parsePipl(bytes.data(), bytes.size());
    EXPECT_THROW(unterminated.entryPoint(), std::runtime_error);
}

// A host reads the code property of its own architecture only: the module's PiPL names its entry
// there and nowhere else, and a PiPL built for the other architecture names none for this host.
TEST(PiplReader, EntryComesFromTheHostsOwnCodeProperty) {
    const simhost::Pipl pipl = simhost::parsePipl(kPiplBytes.data(), kPiplBytes.size());
    const std::string own = simhost::Pipl::kHostCodeKey, other = own == "8664" ? "wx86" : "8664";
    EXPECT_EQ(pipl.entryPoint(), "GPMain_Skelda");
    EXPECT_EQ(pipl.entryPoint(other), "");

    std::vector<unsigned char> foreign(kPiplBytes.begin(), kPiplBytes.end());
    const std::size_t key = foreign.size() - 16 - 12;  // the last property's key, stored reversed
    for (std::size_t i = 0; i < 4; ++i) foreign[key + i] = static_cast<unsigned char>(other[3 - i]);
    const simhost::Pipl built = simhost::parsePipl(foreign.data(), foreign.size());
    EXPECT_EQ(built.entryPoint(), "");
    EXPECT_EQ(built.entryPoint(other), "GPMain_Skelda");
}

}  // namespace
