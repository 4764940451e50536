#pragma once

#include <string>

// Windows-style path texts ("C:\job\plate\p0000.png"), handled the same way on every build.
// A path is an optional drive ("C:"), a directory that ends with its separator, a file name
// and an extension that starts with its dot. Both "\" and "/" separate directories.

// Fills each output that is not null with that part of `path`; never raises.
void splitPath(const std::string& path, std::string* drive, std::string* directory, std::string* fileName,
               std::string* extension);

// Joins the parts that are not empty: a drive letter gets its colon, a directory its trailing
// backslash and an extension its dot where they lack one. Raises std::runtime_error with
// "drive too long", "path too long", "file name too long" or "extension too long" when a
// part, or the joined path, exceeds what the platform accepts; nothing is joined then.
std::string makePath(const std::string& drive, const std::string& directory, const std::string& fileName,
                     const std::string& extension);

// Drive and directory of `path` ("C:\job\plate\p0000.png" gives "C:\job\plate\"); empty
// for a bare file name. Never raises.
std::string directoryOf(const std::string& path);

// The file name without directory and extension ("C:\a\b.c.d" gives "b.c"). Never raises.
std::string fileNameOf(const std::string& path);

// Limits of the platform's path parts, in characters.
constexpr std::size_t kMaxDriveLength = 3;
constexpr std::size_t kMaxPartLength = 256;
constexpr std::size_t kMaxPathLength = 259;
