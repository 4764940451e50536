#pragma once

#include <string>

// The stored form of one path: relative to a base directory where it can be, so that a
// project folder can be moved as a whole; absolute (`abs` set) on another drive or without base.
struct PathReference {
    std::string path;
    bool abs = false;
};

// `path` relative to `base`, or absolute when `base` is empty or on another drive. Never raises.
PathReference makePathReference(const std::string& path, const std::string& base);

// The full path a reference stands for. Raises std::runtime_error "absolute path expected" for a
// relative reference without base, and "path does not exist - ..." when the result is missing.
std::string resolvePathReference(const PathReference& reference, const std::string& base);

// `path` relative to the directory `base` (same drive), in backslashes, with "..\" steps for the
// directories of `base` that `path` does not share. Never raises.
std::string makeRelativePath(const std::string& path, const std::string& base);

// `relative` appended to the directory `base`, leading "..\" steps taking one directory off `base`
// each. An empty `relative` gives `base` as it stands. Raises std::runtime_error naming both texts
// when the steps climb above the first directory of `base`.
std::string joinRelativePath(const std::string& relative, const std::string& base);
