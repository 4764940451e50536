#include "sim/host/elf_sections.h"

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace simhost {

namespace {

class Image {
public:
    explicit Image(const std::string& path) : path_(path) {
        std::ifstream in(path, std::ios::binary | std::ios::ate);
        if (!in) throw std::runtime_error("cannot open module " + path);
        // One read: a debug module is tens of megabytes, too many to take a character at a time.
        const std::streamoff size = in.tellg();
        bytes_.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
        in.seekg(0);
        if (!in.read(reinterpret_cast<char*>(bytes_.data()), static_cast<std::streamsize>(bytes_.size())))
            throw std::runtime_error("cannot read module " + path);
    }

    std::uint64_t get(std::uint64_t offset, unsigned width) const {
        if (offset > bytes_.size() || width > bytes_.size() - offset) fail("is truncated");
        std::uint64_t value = 0;
        for (unsigned i = 0; i < width; ++i)
            value |= static_cast<std::uint64_t>(bytes_[offset + i]) << (8 * i);
        return value;
    }
    std::vector<unsigned char> slice(std::uint64_t offset, std::uint64_t size) const {
        if (offset > bytes_.size() || size > bytes_.size() - offset) fail("has a section beyond its end");
        return std::vector<unsigned char>(bytes_.begin() + static_cast<std::ptrdiff_t>(offset),
                                          bytes_.begin() + static_cast<std::ptrdiff_t>(offset + size));
    }
    std::string cstring(std::uint64_t offset) const {
        std::string text;
        for (; offset < bytes_.size() && bytes_[offset] != 0; ++offset)
            text += static_cast<char>(bytes_[offset]);
        return text;
    }
    std::size_t size() const { return bytes_.size(); }
    [[noreturn]] void fail(const std::string& what) const {
        throw std::runtime_error("module " + path_ + " " + what);
    }

private:
    std::string path_;
    std::vector<unsigned char> bytes_;
};

}  // namespace

std::vector<unsigned char> readElfSection(const std::string& path, const std::string& section) {
    const Image image(path);
    if (image.size() < 16 || image.get(0, 4) != 0x464C457Fu) image.fail("is not an ELF file");
    const bool wide = image.get(4, 1) == 2;
    if (image.get(5, 1) != 1) image.fail("is not little-endian");
    const unsigned word = wide ? 8 : 4;
    const std::uint64_t sectionTable = image.get(wide ? 0x28 : 0x20, word);
    const std::uint64_t entrySize = image.get(wide ? 0x3A : 0x2E, 2);
    const std::uint64_t count = image.get(wide ? 0x3C : 0x30, 2);
    const std::uint64_t namesIndex = image.get(wide ? 0x3E : 0x32, 2);
    if (namesIndex >= count || entrySize < (wide ? 0x40u : 0x28u)) image.fail("has no section names");

    auto header = [&](std::uint64_t index) { return sectionTable + index * entrySize; };
    auto offsetOf = [&](std::uint64_t h) { return image.get(h + (wide ? 0x18 : 0x10), word); };
    auto sizeOf = [&](std::uint64_t h) { return image.get(h + (wide ? 0x20 : 0x14), word); };
    const std::uint64_t names = offsetOf(header(namesIndex));
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t h = header(i);
        if (image.cstring(names + image.get(h, 4)) == section) return image.slice(offsetOf(h), sizeOf(h));
    }
    image.fail("has no section " + section);
}

}  // namespace simhost
