#pragma once

#include <string>

namespace testkit {

// The same existing file or directory reached through another drive than the one `path` names,
// so that stored paths must stay absolute. Empty where the platform has no drive letters.
std::string otherDriveAlias(const std::string& path);

}  // namespace testkit
