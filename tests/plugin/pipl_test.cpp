#include "plugin/pipl.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The bytes as the host reads them, field by field.
TEST(Pipl, BytesHoldTheFivePropertiesInOrder) {
    const auto& b = kPiplBytes;
    ASSERT_EQ(b.size(), 138u);
    auto u32 = [&](std::size_t at) {
        return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (unsigned(b[at + 3]) << 24);
    };
    auto text = [&](std::size_t at, std::size_t n) {
        return std::string(reinterpret_cast<const char*>(&b[at]), n);
    };
    EXPECT_EQ(b[0] | (b[1] << 8), 1);
    EXPECT_EQ(u32(2), 0u);
    EXPECT_EQ(u32(6), 5u);
    struct Property {
        const char* key;
        unsigned length;
        std::string data;
    };
    const Property properties[] = {
        {"dnik", 4, "xgEA"},
        {"eman", 8, std::string("\6Skelda\0", 8)},
        {"gtac", 16, std::string("\16General Plugin\0", 16)},
        {"srev", 4, std::string("\0\0\3\0", 4)},
        // The code property of the module's own architecture: '8664' on 64-bit, 'wx86' on 32-bit.
        {sizeof(void*) == 8 ? "4668" : "68xw", 16, std::string("GPMain_Skelda\0\0\0", 16)},
    };
    std::size_t at = 10;
    for (const Property& p : properties) {
        EXPECT_EQ(text(at, 4), "MIB8") << p.key;
        EXPECT_EQ(text(at + 4, 4), p.key);
        EXPECT_EQ(u32(at + 8), 0u) << p.key;
        EXPECT_EQ(u32(at + 12), p.length) << p.key;
        EXPECT_EQ(text(at + 16, p.length), p.data) << p.key;
        at += 16 + p.length;
    }
    EXPECT_EQ(at, b.size());
}

}  // namespace
