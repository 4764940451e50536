#pragma once

#include <string>
#include <vector>

// The few calls that touch the file system. Paths are Windows-style texts; the POSIX build
// accepts "\" as well as "/" as a separator.

// The form of `path` that the system's own calls accept: "\" turned into "/" on POSIX, unchanged
// on Windows. For the few calls made outside this file (reading a document).
std::string systemPath(const std::string& path);

// True when something (file or directory) exists at `path`. Never raises.
bool fileExists(const std::string& path);

// True when `path` names an existing regular file (not a directory). Never raises.
bool isRegularFile(const std::string& path);

// True when `path` itself is a directory; a symbolic link, even to a directory, is not. Never raises.
bool isDirectoryEntry(const std::string& path);

// Renames `from` to `to`, never replacing an existing `to`. On failure raises std::runtime_error
// "failed to rename "FROM" into "TO"" and leaves the file system as it was.
void renameFile(const std::string& from, const std::string& to);

// Names (without directory) of the entries of a directory that match the last component of
// `pattern`, e.g. "C:\plate\*.png": "*" matches any run of characters, "?" any one, letter case
// is ignored. Sorted by name; "." and ".." are listed when they match. A missing directory
// gives no names; any other failure raises std::runtime_error naming the pattern.
std::vector<std::string> findFiles(const std::string& pattern);
