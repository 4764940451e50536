#pragma once

#include <string>

#include "aegp_suites.h"

namespace simhost {

// The pixel size a PNG file's header gives; false for any other file.
bool readPngSize(const std::string& path, A_long& width, A_long& height);

}  // namespace simhost
