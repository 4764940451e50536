#include "sim/host/image_size.h"

#include <cstring>
#include <fstream>

namespace simhost {

namespace {

A_long bigEndian(const unsigned char* bytes) {
    return static_cast<A_long>((static_cast<unsigned long>(bytes[0]) << 24) | (bytes[1] << 16) |
                               (bytes[2] << 8) | bytes[3]);
}

}  // namespace

bool readPngSize(const std::string& path, A_long& width, A_long& height) {
    // Signature, then the IHDR chunk: length, type, width, height.
    static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    unsigned char header[24];
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header)) return false;
    if (std::memcmp(header, kSignature, sizeof kSignature) != 0 || std::memcmp(header + 12, "IHDR", 4) != 0)
        return false;
    const A_long w = bigEndian(header + 16), h = bigEndian(header + 20);
    if (w <= 0 || h <= 0) return false;
    width = w;
    height = h;
    return true;
}

}  // namespace simhost
