#include "common/test_drives.h"

namespace testkit {

std::string otherDriveAlias(const std::string&) {
    return std::string();
}

}  // namespace testkit
