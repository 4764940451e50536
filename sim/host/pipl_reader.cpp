#include "sim/host/pipl_reader.h"

#include <stdexcept>

namespace simhost {

namespace {

class Reader {
public:
    Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}

    std::uint32_t u16(const char* what) { return static_cast<std::uint32_t>(bytes(2, what)); }
    std::uint32_t u32(const char* what) { return static_cast<std::uint32_t>(bytes(4, what)); }
    // A four-character code stored as a little-endian value: the characters reversed.
    std::string code(const char* what) {
        need(4, what);
        std::string text{static_cast<char>(data_[at_ + 3]), static_cast<char>(data_[at_ + 2]),
                         static_cast<char>(data_[at_ + 1]), static_cast<char>(data_[at_])};
        at_ += 4;
        return text;
    }
    std::vector<unsigned char> block(std::size_t length, const char* what) {
        need(length, what);
        std::vector<unsigned char> out(data_ + at_, data_ + at_ + length);
        at_ += length;
        return out;
    }
    std::size_t remaining() const { return size_ - at_; }

private:
    void need(std::size_t length, const char* what) const {
        if (length > size_ - at_) throw std::runtime_error(std::string("PiPL ends inside the ") + what);
    }
    std::uint64_t bytes(std::size_t count, const char* what) {
        need(count, what);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= static_cast<std::uint64_t>(data_[at_ + i]) << (8 * i);
        at_ += count;
        return value;
    }

    const unsigned char* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::string pascalString(const PiplProperty* property) {
    if (property == nullptr || property->data.empty()) return "";
    const std::size_t length = property->data[0];
    if (length + 1 > property->data.size()) throw std::runtime_error("PiPL string longer than its property");
    return std::string(property->data.begin() + 1,
                       property->data.begin() + 1 + static_cast<std::ptrdiff_t>(length));
}

}  // namespace

const PiplProperty* Pipl::find(const std::string& key) const {
    for (const PiplProperty& property : properties) {
        if (property.key == key) return &property;
    }
    return nullptr;
}

std::string Pipl::kind() const {
    const PiplProperty* property = find("kind");
    if (property == nullptr || property->data.size() < 4) return "";
    const auto& d = property->data;
    return std::string{static_cast<char>(d[3]), static_cast<char>(d[2]), static_cast<char>(d[1]),
                       static_cast<char>(d[0])};
}

std::string Pipl::name() const {
    return pascalString(find("name"));
}

std::string Pipl::category() const {
    return pascalString(find("catg"));
}

std::uint32_t Pipl::version() const {
    const PiplProperty* property = find("vers");
    if (property == nullptr || property->data.size() < 4) return 0;
    const auto& d = property->data;
    return d[0] | (d[1] << 8) | (d[2] << 16) | (static_cast<std::uint32_t>(d[3]) << 24);
}

const std::string Pipl::kHostCodeKey = sizeof(void*) == 8 ? "8664" : "wx86";

std::string Pipl::entryPoint(const std::string& codeKey) const {
    const PiplProperty* property = find(codeKey);
    if (property == nullptr) return "";
    std::string name;
    for (unsigned char c : property->data) {
        if (c == 0) return name;
        name += static_cast<char>(c);
    }
    throw std::runtime_error("PiPL entry point name is not terminated");
}

Pipl parsePipl(const unsigned char* data, std::size_t size) {
    Reader reader(data, size);
    Pipl pipl;
    pipl.reserved1 = static_cast<std::uint16_t>(reader.u16("header"));
    pipl.reserved2 = reader.u32("header");
    const std::uint32_t count = reader.u32("property count");
    // Every property takes at least 16 bytes: a count beyond that is not believed.
    if (count > reader.remaining() / 16) throw std::runtime_error("PiPL property count exceeds its size");
    for (std::uint32_t i = 0; i < count; ++i) {
        PiplProperty property;
        property.vendor = reader.code("property vendor");
        property.key = reader.code("property key");
        property.id = reader.u32("property id");
        const std::uint32_t length = reader.u32("property length");
        property.data = reader.block(length, "property data");
        pipl.properties.push_back(std::move(property));
    }
    return pipl;
}

}  // namespace simhost
