#pragma once

#include <string>

// Whether a file name matches a wildcard pattern as the Windows directory search does:
// "*" matches any run of characters (also none), "?" exactly one, other characters match
// themselves ignoring ASCII letter case; "*.*" matches every name.
bool matchesWildcard(const std::string& name, const std::string& pattern);
