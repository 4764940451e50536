#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "support/file_system.h"
#include "support/wildcard_match.h"

namespace {

// Paths arrive in Windows form; the system wants "/".
std::string nativePath(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

[[noreturn]] void throwRenameError(const std::string& from, const std::string& to) {
    throw std::runtime_error("failed to rename \"" + from + "\" into \"" + to + "\"");
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

}  // namespace

namespace detail {

// For file systems without RENAME_NOREPLACE: link() refuses an existing target atomically.
bool renameByLink(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) != 0) return false;
    if (::unlink(from.c_str()) == 0) return true;
    const int error = errno;
    ::unlink(to.c_str());  // both names lead to the same file: dropping the new one restores the start
    errno = error;
    return false;
}

}  // namespace detail

std::string systemPath(const std::string& path) {
    return nativePath(path);
}

bool fileExists(const std::string& path) {
    return ::access(nativePath(path).c_str(), F_OK) == 0;
}

bool isRegularFile(const std::string& path) {
    struct stat status;
    return ::stat(nativePath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool isDirectoryEntry(const std::string& path) {
    struct stat status;
    return ::lstat(nativePath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

void renameFile(const std::string& from, const std::string& to) {
    const std::string source = nativePath(from), target = nativePath(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return;
    if ((errno == EINVAL || errno == ENOSYS) && detail::renameByLink(source, target)) return;
    throwRenameError(from, to);
}

std::vector<std::string> findFiles(const std::string& pattern) {
    const std::string native = nativePath(pattern);
    const std::size_t slash = native.find_last_of('/');
    const std::string directory = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? native : native.substr(slash + 1);

    std::vector<std::string> names;
    std::unique_ptr<DIR, DirCloser> dir(::opendir(directory.c_str()));
    if (!dir) {
        if (errno == ENOENT || errno == ENOTDIR) return names;
        throw std::runtime_error("cannot list \"" + pattern + "\": " + ::strerror(errno));
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (matchesWildcard(entry->d_name, namePattern)) names.emplace_back(entry->d_name);
        errno = 0;
    }
    if (errno != 0) throw std::runtime_error("cannot list \"" + pattern + "\": " + ::strerror(errno));
    std::sort(names.begin(), names.end());
    return names;
}
