#include "message/xml_value_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <locale>
#include <sstream>

namespace xml {
namespace detail {
namespace {

// The powers of ten that a double holds exactly.
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPow10 = 22;

// The stream's white space in the classic locale.
inline bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* skipSpace(const char* p) {
    while (isSpace(*p)) ++p;
    return p;
}

// The sign set without a branch: signs of successive values follow no pattern a predictor could learn.
inline double withSign(double magnitude, bool negative) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    bits |= static_cast<std::uint64_t>(negative) << 63;
    std::memcpy(&magnitude, &bits, sizeof bits);
    return magnitude;
}

template <class T>
bool streamRead(const char* text, T& out) {
    std::istringstream in{std::string(text)};
    in.imbue(std::locale::classic());
    T value{};
    in >> value;
    if (in.fail()) return false;
    out = value;
    return true;
}

// An integer as the stream scans one: white space, an optional sign, at least one decimal digit. The
// magnitude saturates far above every 32-bit range so that an overflow stays visible.
bool scanInteger(const char* p, bool& negative, std::uint64_t& magnitude) {
    constexpr std::uint64_t kSaturated = std::uint64_t(1) << 40;
    p = skipSpace(p);
    negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    if (!isDigit(*p)) return false;
    magnitude = 0;
    for (; isDigit(*p); ++p) {
        if (magnitude < kSaturated) magnitude = magnitude * 10 + static_cast<unsigned>(*p - '0');
    }
    return true;
}

enum class Scan { Fail, Value, Unusual };

// A real as the stream collects one before converting it: an optional sign, digits with at most one
// decimal point (at least one digit), then an optional exponent, which needs at least one digit once
// the "e" is there. The value is mantissa * 10^exponent.
struct Decimal {
    bool negative = false;
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

Scan scanDecimal(const char* p, Decimal& d) {
    constexpr int kMaxDigits = 19;  // still fits 64 bits
    constexpr int kExponentCap = 100000;
    p = skipSpace(p);
    d.negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    bool anyDigit = false;
    bool unusual = false;
    int significant = 0;
    auto digit = [&](char c) {
        anyDigit = true;
        if (d.mantissa == 0 && c == '0') return;
        if (significant == kMaxDigits) {
            unusual = true;
            return;
        }
        d.mantissa = d.mantissa * 10 + static_cast<unsigned>(c - '0');
        ++significant;
    };
    for (; isDigit(*p); ++p) digit(*p);
    if (*p == '.') {
        for (++p; isDigit(*p); ++p) {
            digit(*p);
            --d.exponent;
        }
    }
    if (!anyDigit) return Scan::Fail;
    if (*p == 'e' || *p == 'E') {
        ++p;
        const bool negativeExponent = *p == '-';
        if (*p == '-' || *p == '+') ++p;
        if (!isDigit(*p)) return Scan::Fail;
        int value = 0;
        for (; isDigit(*p); ++p) {
            if (value < kExponentCap) value = value * 10 + (*p - '0');
        }
        d.exponent += negativeExponent ? -value : value;
    }
    return unusual ? Scan::Unusual : Scan::Value;
}

// The x87 unit rounds to 64 bits first and to 53 on storing, which is off by one unit now and then;
// SSE2 arithmetic rounds once, as the conversion of the text does.
#if defined(__i386__) && defined(__GNUC__)
#define SKELDA_DOUBLE_ARITHMETIC __attribute__((target("sse2,fpmath=sse")))
#else
#define SKELDA_DOUBLE_ARITHMETIC
#endif

// The quotient or product of two exact doubles, rounded once, is the correctly rounded value of the
// text, which is what the library's conversion gives.
SKELDA_DOUBLE_ARITHMETIC bool exactDouble(const Decimal& d, std::uint64_t mantissaLimit, int exponentLimit,
                                          double& out) {
    if (d.mantissa > mantissaLimit || d.exponent < -exponentLimit || d.exponent > exponentLimit) return false;
    const double m = static_cast<double>(d.mantissa);
    const double r = d.exponent < 0 ? m / kPow10[-d.exponent] : m * kPow10[d.exponent];
    out = d.negative ? -r : r;
    return true;
}

// Adds the decimal digits at p to the mantissa, two at a time, and returns where they end.
inline const char* addDigits(const char* p, std::uint64_t& mantissa) {
    for (;;) {
        const unsigned first = static_cast<unsigned char>(p[0]) - unsigned('0');
        if (first > 9) return p;
        const unsigned second = static_cast<unsigned char>(p[1]) - unsigned('0');  // p[0] was no terminator
        if (second > 9) {
            mantissa = mantissa * 10 + first;
            return p + 1;
        }
        mantissa = mantissa * 100 + first * 10 + second;
        p += 2;
    }
}

// The common texts (up to 19 digits, one point at most, no exponent) in one pass; the others through
// the full scan.
Scan scanReal(const char* text, Decimal& d) {
    const char* p = text;
    if (isSpace(*p)) p = skipSpace(p);
    d.negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    const char* digits = p;
    std::uint64_t mantissa = 0;  // wraps past 19 digits, and is then not used
    p = addDigits(p, mantissa);
    std::ptrdiff_t count = p - digits;
    std::ptrdiff_t fraction = 0;
    if (*p == '.') {
        const char* first = ++p;
        p = addDigits(p, mantissa);
        fraction = p - first;
        count += fraction;
    }
    if (count == 0 || count > 19 || *p == 'e' || *p == 'E') {
        d = Decimal();
        return scanDecimal(text, d);
    }
    d.mantissa = mantissa;
    d.exponent = -static_cast<int>(fraction);
    return Scan::Value;
}

template <class T>
bool readReal(const char* text, T& out, std::uint64_t mantissaLimit, int exponentLimit) {
    Decimal d;
    switch (scanReal(text, d)) {
        case Scan::Fail:
            return false;
        case Scan::Unusual:
            return streamRead(text, out);
        case Scan::Value:
            break;
    }
    if (d.mantissa == 0) {
        out = d.negative ? -T(0) : T(0);
        return true;
    }
    double r = 0;
    if (!exactDouble(d, mantissaLimit, exponentLimit, r)) return streamRead(text, out);
    out = static_cast<T>(r);
    return true;
}

// The three decimal digits of every number below 1000 as characters packed first to last from the
// lowest byte, so that six digits are assembled in a register.
struct threeDigits {
    std::uint32_t packed[1000];
    constexpr threeDigits() : packed{} {
        for (unsigned i = 0; i < 1000; ++i) {
            packed[i] = ('0' + i / 100) | ('0' + i / 10 % 10) << 8 | ('0' + i % 10) << 16;
        }
    }
};
constexpr threeDigits kThreeDigits;

// Stores the 8 characters packed first to last from the lowest byte of v.
inline void storePacked(char* p, std::uint64_t v) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    std::memcpy(p, &v, 8);
#else
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
#endif
}

// Six significant digits in fixed notation, the form the stream uses for values from 1e-4 up to below
// 1e6; returns the end of the text. Returns nullptr for every other value and for values too near a rounding
// tie to decide with one product; the caller then asks the stream.
char* fixedText(double v, char* out) {
    if (!(v > -1e6 && v < 1e6)) return nullptr;
    char* p = out;
    if (std::signbit(v)) *p++ = '-';
    const double a = std::fabs(v);
    if (a == 0) {
        *p++ = '0';
        *p = '\0';
        return p;
    }
    if (a < 0.99e-4) return nullptr;
    // Decimal exponent e such that a * 10^(5 - e) lies in [1e5, 1e6): from the binary exponent (times
    // log10(2) = 1233 / 4096), one too small at most.
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const int binaryExponent = static_cast<int>(bits >> 52) - 1023;
    int e = binaryExponent >= 0 ? (binaryExponent * 1233) >> 12 : -((-binaryExponent * 1233 + 4095) >> 12);
    double scaled = a * kPow10[5 - e];
    if (scaled >= 1e6) {
        ++e;
        scaled = a * kPow10[5 - e];
    }
    if (e < -4 || scaled < 1e5 || scaled >= 1e6) return nullptr;
    auto n = static_cast<std::uint32_t>(scaled);
    const double fraction = scaled - n;
    // The product is within 2e-10 of the exact value; leave anything near a tie to the stream.
    if (std::fabs(fraction - 0.5) < 1e-6) return nullptr;
    if (fraction > 0.5) ++n;
    if (n == 1000000) {
        n = 100000;
        if (++e > 5) return nullptr;
    }
    // The six digits in one register (built in memory, their reading back would wait for the stores);
    // whole 8-byte stores, as the buffer has room to spare.
    const std::uint32_t high = n / 1000;
    const std::uint64_t digits =
        std::uint64_t(kThreeDigits.packed[high]) | std::uint64_t(kThreeDigits.packed[n - high * 1000]) << 24;
    // Digits up to the last that is not 0: the first digit never is.
    const std::uint64_t values = digits ^ 0x303030303030u;
    int count = 6;
    while ((values >> (8 * (count - 1)) & 0xff) == 0) --count;
    if (e >= 0) {
        const int whole = e + 1;
        if (count > whole) {
            const std::uint64_t integer = digits & ((std::uint64_t(1) << (8 * whole)) - 1);
            storePacked(
                p, integer | std::uint64_t('.') << (8 * whole) | (digits >> (8 * whole)) << (8 * whole + 8));
            p += count + 1;
        } else {
            storePacked(p, digits);
            p += whole;
        }
    } else {
        std::memcpy(p, "0.000000", 8);  // "0." and the zeros after the point
        p += 1 - e;
        storePacked(p, digits);
        p += count;
    }
    *p = '\0';
    return p;
}

ValueText streamText(double value, ValueBuffer& buffer) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << value;
    const std::string text = out.str();
    const std::size_t n = text.size() < kValueTextSize - 1 ? text.size() : kValueTextSize - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return {buffer, n};
}

template <class T>
ValueText integerText(T value, ValueBuffer& buffer) {
    const auto result = std::to_chars(buffer, buffer + kValueTextSize - 1, value);
    *result.ptr = '\0';
    return {buffer, static_cast<std::size_t>(result.ptr - buffer)};
}

}  // namespace

bool readValue(const char* text, std::int32_t& out) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!scanInteger(text, negative, magnitude)) return false;
    const std::uint64_t limit = negative ? std::uint64_t(1) << 31 : (std::uint64_t(1) << 31) - 1;
    if (magnitude > limit) return false;
    out = static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                             : static_cast<std::int64_t>(magnitude));
    return true;
}

// Like the stream, a minus sign on an unsigned value wraps it around.
bool readValue(const char* text, std::uint32_t& out) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!scanInteger(text, negative, magnitude)) return false;
    if (magnitude > std::numeric_limits<std::uint32_t>::max()) return false;
    const auto value = static_cast<std::uint32_t>(magnitude);
    out = negative ? static_cast<std::uint32_t>(0u - value) : value;
    return true;
}

// The texts writers produce (an optional minus, at most 15 digits with at most one point, no exponent)
// in one pass; anything else through the full scan.
SKELDA_DOUBLE_ARITHMETIC bool readValue(const char* text, double& out) {
    const char* p = text;
    const bool negative = *p == '-';
    if (negative) ++p;
    const char* digits = p;
    std::uint64_t mantissa = 0;  // wraps past 19 digits, and is then not used
    p = addDigits(p, mantissa);
    std::ptrdiff_t count = p - digits;
    std::ptrdiff_t fraction = 0;
    if (*p == '.') {
        const char* first = ++p;
        p = addDigits(p, mantissa);
        fraction = p - first;
        count += fraction;
    }
    if (count >= 1 && count <= 15 && *p != 'e' && *p != 'E') {
        // Below 10^15 < 2^53 and divided by an exact power: one rounding, as the library's conversion.
        const double r = static_cast<double>(mantissa) / kPow10[fraction];
        out = withSign(r, negative);
        return true;
    }
    return readReal(text, out, std::uint64_t(1) << 53, kMaxExactPow10);
}

// Both operands are exact floats and a double keeps more than twice a float's digits, so rounding the
// double result to float rounds the exact value correctly.
bool readValue(const char* text, float& out) {
    return readReal(text, out, std::uint64_t(1) << 24, 10);
}

// The stream reads a boolean as an integer that must be 0 or 1.
bool readValue(const char* text, bool& out) {
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!scanInteger(text, negative, magnitude)) return false;
    if (magnitude > 1 || (negative && magnitude == 1)) return false;
    out = magnitude == 1;
    return true;
}

bool readValue(const char* text, std::string& out) {
    out = text;
    return true;
}

bool readName(const char* text, const char* const* names, std::size_t count, std::size_t& index) {
    const char* word = skipSpace(text);
    std::size_t length = 0;
    while (word[length] != '\0' && !isSpace(word[length])) ++length;
    if (length == 0) return false;
    for (std::size_t i = 0; i < count; ++i) {
        if (std::strlen(names[i]) == length && std::memcmp(names[i], word, length) == 0) {
            index = i;
            return true;
        }
    }
    return false;
}

ValueText valueText(std::int32_t value, ValueBuffer& buffer) {
    return integerText(value, buffer);
}
ValueText valueText(std::uint32_t value, ValueBuffer& buffer) {
    return integerText(value, buffer);
}

ValueText valueText(double value, ValueBuffer& buffer) {
    if (const char* end = fixedText(value, buffer)) return {buffer, static_cast<std::size_t>(end - buffer)};
    return streamText(value, buffer);
}

}  // namespace detail
}  // namespace xml
