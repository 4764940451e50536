#include "host/pipl_reader.h"

#include <gtest/gtest.h>

#include <stdexcept>
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

}  // namespace
