#pragma once

#include <string>
#include <vector>

namespace simhost {

// The contents of the named section of an ELF file (32 or 64 bits, little-endian). Raises
// std::runtime_error when the file cannot be read, is not such an ELF file or has no section of
// that name.
std::vector<unsigned char> readElfSection(const std::string& path, const std::string& section);

}  // namespace simhost
