// The attribute texts must read and write exactly as standard stream extraction and insertion do, on
// every platform: compare with a real stream on tricky and on many random texts and values.
#include "message/xml_value_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "message/message_type.h"

namespace {

using xml::detail::readValue;
using xml::detail::ValueBuffer;
using xml::detail::valueText;

template <class T>
bool sameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

template <class T>
::testing::AssertionResult readsLikeStream(const std::string& text) {
    T fast{};
    const bool fastOk = readValue(text.c_str(), fast);
    std::istringstream in(text);
    T expected{};
    in >> expected;
    const bool streamOk = !in.fail();
    if (fastOk == streamOk && (!fastOk || sameBits(fast, expected))) return ::testing::AssertionSuccess();
    std::ostringstream why;
    why.precision(17);
    why << "text \"" << text << "\": read " << (fastOk ? "ok " : "fails ") << +fast << ", stream "
        << (streamOk ? "ok " : "fails ") << +expected;
    return ::testing::AssertionFailure() << why.str();
}

void expectAllReadLikeStream(const std::string& text) {
    EXPECT_TRUE(readsLikeStream<double>(text));
    EXPECT_TRUE(readsLikeStream<float>(text));
    EXPECT_TRUE(readsLikeStream<std::int32_t>(text));
    EXPECT_TRUE(readsLikeStream<std::uint32_t>(text));
    EXPECT_TRUE(readsLikeStream<bool>(text));
}

template <class T>
::testing::AssertionResult writesLikeStream(T value) {
    ValueBuffer buffer;
    const xml::detail::ValueText text = valueText(value, buffer);
    const std::string fast(text.data, text.size);
    if (text.data[text.size] != '\0') return ::testing::AssertionFailure() << "not terminated";
    std::ostringstream out;
    out << value;
    if (fast == out.str()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "wrote \"" << fast << "\", stream \"" << out.str() << "\"";
}

const std::vector<std::string>& trickyTexts() {
    // clang-format off
    static const std::vector<std::string> texts = {
        "", " ", "\t\n\v\f\r", "0", "-0", "+0", "-0.0", "00", "0e0", "-0e-5", "0e999999999999", ".", "-.",
        "+.", ".5", "5.", "-.5e1", ".e1", "e1", "E1", "1e", "1e+", "1e-", "1ex", "1E5", "1e+5", "1e-5",
        "1e5.5", "1e5e5", "1.2.3", "12abc", "abc", "  42  ", "\v7", "\f7", "\r\n8", "1,5", "0x1A", "0x1p3",
        "inf", "-inf", "nan", "INF", "infinity", "+-1", "-+1", "--1", "- 1", "+ 1", "1 2", "1\t2",
        "\xC2\xA0" "1", "1e308", "1.7976931348623157e308", "1.7976931348623159e308", "1e309", "-1e309",
        "4.9e-324", "2.4e-324", "1e-400", "-1e-400", "2.2250738585072011e-308", "2.2250738585072014e-308",
        "9007199254740992", "9007199254740993", "9007199254740993.0000000001", "18446744073709551615",
        "18446744073709551616", "123456789012345678901234567890", "0.1", "0.3", "0.2e1", "1e22", "1e23",
        "1e-22", "1e-23", "123456789012345e-22", "3.4028235e38", "3.4028236e38", "3.40282357e38", "1e39",
        "-1e39", "1e-46", "1.4e-45", "1.17549435e-38", "7.038531e-26", "16777216", "16777217",
        "0.999848", "-0.0174524", "1234.57", "0.333333", "2147483647", "2147483648", "-2147483648",
        "-2147483649", "4294967295", "4294967296", "-4294967295", "-4294967296", "99999999999999999999",
        "1", "01", "0001", "2", "-1", "+1", "1.5", "0.5", "true", "false",
        "00000000000000000000000000000000000001", "0.000000000000000000000000000001e30",
        std::string(400, '9'), "1" + std::string(400, '0'), "0." + std::string(400, '0') + "1",
        "1" + std::string(30, '0') + "e-30", "1e99999999999", "1e-99999999999"};
    // clang-format on
    return texts;
}

TEST(XmlValueText, TrickyAndRandomTextsReadLikeStream) {
    for (const std::string& text : trickyTexts()) expectAllReadLikeStream(text);
    std::mt19937_64 rng(20240607);
    const char alphabet[] = "0123456789000..eE+- \tx";
    for (int i = 0; i < 30000; ++i) {
        std::string text;
        const int length = static_cast<int>(rng() % 24);
        for (int k = 0; k < length; ++k) text += alphabet[rng() % (sizeof alphabet - 1)];
        expectAllReadLikeStream(text);
    }
}

// Reals as writers format them: every precision, fixed and exponent forms, near ties and limits.
TEST(XmlValueText, FormattedRealsReadLikeStream) {
    std::mt19937_64 rng(77);
    char text[64];
    for (int i = 0; i < 30000; ++i) {
        double values[3];
        const std::uint64_t bits = rng();
        std::memcpy(&values[0], &bits, sizeof bits);
        values[1] = std::ldexp(static_cast<double>(rng() % 2000000) - 1e6, -static_cast<int>(rng() % 40));
        values[2] = static_cast<double>(static_cast<std::int64_t>(rng() % 20000000) - 10000000) /
                    std::pow(10.0, static_cast<double>(rng() % 14));
        const int precision = 1 + static_cast<int>(rng() % 17);
        for (double v : values) {
            std::snprintf(text, sizeof text, "%.*g", precision, v);
            ASSERT_TRUE(readsLikeStream<double>(text));
            ASSERT_TRUE(readsLikeStream<float>(text));
            std::snprintf(text, sizeof text, "%.*f", precision % 9, v);
            ASSERT_TRUE(readsLikeStream<double>(text));
        }
    }
}

TEST(XmlValueText, RealsWriteLikeStream) {
    // clang-format off
    const double tricky[] = {
        0.0, -0.0, 0.5, 2.0, 0.1, 1234.5678, 1.0 / 3, 1e-4, 9.99999e-5, 9.999995e-5, 0.0001, 0.00010000049,
        99999.95, 999999.4, 999999.5, 999999.6, 1e6, 123456.5, 100000.5, 0.1234565, 2.5, 1e-5, -1e-300, 4.9e-324,
        1e300, std::numeric_limits<double>::max(), std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN()};
    // clang-format on
    for (double v : tricky) EXPECT_TRUE(writesLikeStream(v)) << v;

    std::mt19937_64 rng(31);
    for (int i = 0; i < 100000; ++i) {
        double v;
        const std::uint64_t bits = rng();
        std::memcpy(&v, &bits, sizeof bits);
        ASSERT_TRUE(writesLikeStream(v));
        const double scaled =
            std::ldexp(static_cast<double>(rng() % 4000000) - 2e6, -static_cast<int>(rng() % 40));
        ASSERT_TRUE(writesLikeStream(scaled));
        ASSERT_TRUE(writesLikeStream(static_cast<double>(static_cast<float>(scaled))));
        // Exact ties of six digits, where the rounding rule shows.
        const double tie =
            (static_cast<double>(rng() % 1000000) + 0.5) / std::pow(10.0, static_cast<double>(rng() % 6));
        ASSERT_TRUE(writesLikeStream(tie));
    }
}

TEST(XmlValueText, IntegersWriteLikeStream) {
    for (std::int32_t v :
         {0, 1, -1, 42, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()}) {
        EXPECT_TRUE(writesLikeStream(v));
    }
    for (std::uint32_t v : {0u, 7u, std::numeric_limits<std::uint32_t>::max()})
        EXPECT_TRUE(writesLikeStream(v));
    ValueBuffer buffer;
    EXPECT_STREQ("1", valueText(true, buffer).data);
    EXPECT_STREQ("0", valueText(false, buffer).data);
    EXPECT_STREQ("text", valueText("text", buffer).data);
}

TEST(XmlValueText, NamesAreWordsMatchedExactly) {
    struct Case {
        const char* text;
        bool ok;
        MessageType type;
    };
    const Case cases[] = {{"Overlay", true, MessageType::Overlay},
                          {" \tOverlay", true, MessageType::Overlay},
                          {"Overlay and more", true, MessageType::Overlay},
                          {"PossibleActions", true, MessageType::PossibleActions},
                          {"Overlay2", false, MessageType::Empty},
                          {"overlay", false, MessageType::Empty},
                          {"Over", false, MessageType::Empty},
                          {"", false, MessageType::Empty},
                          {"   ", false, MessageType::Empty}};
    for (const Case& c : cases) {
        MessageType type = MessageType::Empty;
        EXPECT_EQ(c.ok, readValue(c.text, type)) << c.text;
        EXPECT_EQ(c.type, type) << c.text;
    }
    ValueBuffer buffer;
    EXPECT_EQ(15u, valueText(MessageType::Transformations, buffer).size);
    EXPECT_STREQ("Transformations", valueText(MessageType::Transformations, buffer).data);
    EXPECT_THROW(valueText(static_cast<MessageType>(7), buffer), std::out_of_range);
}

}  // namespace
