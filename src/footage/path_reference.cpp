#include "footage/path_reference.h"

#include <algorithm>
#include <stdexcept>

#include "support/file_system.h"
#include "support/path_parts.h"

namespace {

std::string withBackslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string asDirectory(const std::string& base) {
    std::string directory = withBackslashes(base);
    if (directory.empty() || directory.back() != '\\') directory += '\\';
    return directory;
}

std::string driveOf(const std::string& path) {
    std::string drive;
    splitPath(path, &drive, nullptr, nullptr, nullptr);
    return drive;
}

}  // namespace

PathReference makePathReference(const std::string& path, const std::string& base) {
    if (base.empty() || driveOf(base) != driveOf(path)) return PathReference{path, true};
    return PathReference{makeRelativePath(path, base), false};
}

std::string makeRelativePath(const std::string& path, const std::string& base) {
    if (path.empty()) return std::string();
    const std::string target = withBackslashes(path);
    const std::string directory = asDirectory(base);

    // Only whole components, each with its closing backslash, count as shared.
    std::size_t common = 0;
    while (common < directory.size()) {
        const std::size_t end = directory.find('\\', common) + 1;
        if (target.compare(common, end - common, directory, common, end - common) != 0) break;
        common = end;
    }
    std::string relative;
    for (std::size_t i = common; i < directory.size(); ++i) {
        if (directory[i] == '\\') relative += "..\\";
    }
    return relative + target.substr(common);
}

std::string joinRelativePath(const std::string& relative, const std::string& base) {
    if (relative.empty()) return base;
    const std::string steps = withBackslashes(relative);
    const std::string directory = asDirectory(base);

    std::size_t cut = directory.size() - 1;
    std::size_t i = 0;
    while (steps.compare(i, 3, "..\\") == 0) {
        // Climbing past the first directory would silently name a different file.
        if (cut == 0 || (cut = directory.find_last_of('\\', cut - 1)) == std::string::npos)
            throw std::runtime_error("relative path \"" + relative + "\" leads above the base path \"" +
                                     base + "\"");
        i += 3;
    }
    return directory.substr(0, cut + 1) + steps.substr(i);
}

std::string resolvePathReference(const PathReference& reference, const std::string& base) {
    if (reference.abs) {
        if (!fileExists(reference.path)) throw std::runtime_error("path does not exist - " + reference.path);
        return reference.path;
    }
    if (base.empty()) throw std::runtime_error("absolute path expected");
    const std::string resolved = joinRelativePath(reference.path, base);
    if (!fileExists(resolved))
        throw std::runtime_error("path does not exist - " + resolved + "\n(base path is " + base +
                                 ", relative path is " + reference.path + ")");
    return resolved;
}
