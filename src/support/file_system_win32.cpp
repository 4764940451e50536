#include <errno.h>
#include <io.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <windows.h>

#include <algorithm>
#include <stdexcept>

#include "support/file_system.h"

namespace {

// Closes a directory search on every way out.
class FindHandle {
public:
    explicit FindHandle(intptr_t handle) : handle_(handle) {}
    ~FindHandle() {
        if (valid()) ::_findclose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;

    bool valid() const { return handle_ != -1; }
    intptr_t get() const { return handle_; }

private:
    intptr_t handle_;
};

}  // namespace

std::string systemPath(const std::string& path) {
    return path;
}

bool fileExists(const std::string& path) {
    return ::_access(path.c_str(), 0) == 0;
}

bool isRegularFile(const std::string& path) {
    // The 64-bit form: the plain one fails on movies larger than 2 GB.
    struct __stat64 status;
    return ::_stat64(path.c_str(), &status) == 0 && (status.st_mode & _S_IFREG) != 0;
}

bool isDirectoryEntry(const std::string& path) {
    // A directory link or junction is a reparse point: renaming it moves the link.
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

void renameFile(const std::string& from, const std::string& to) {
    // No MOVEFILE_REPLACE_EXISTING: an existing target makes the call fail and stay intact.
    if (!::MoveFileExA(from.c_str(), to.c_str(), 0))
        throw std::runtime_error("failed to rename \"" + from + "\" into \"" + to + "\"");
}

std::vector<std::string> findFiles(const std::string& pattern) {
    std::vector<std::string> names;
    struct __finddata64_t entry;
    FindHandle search(::_findfirst64(pattern.c_str(), &entry));
    if (!search.valid()) {
        if (errno == ENOENT) return names;
        throw std::runtime_error("cannot list \"" + pattern + "\": " + ::strerror(errno));
    }
    do {
        names.emplace_back(entry.name);
    } while (::_findnext64(search.get(), &entry) == 0);
    if (errno != ENOENT) throw std::runtime_error("cannot list \"" + pattern + "\": " + ::strerror(errno));
    std::sort(names.begin(), names.end());
    return names;
}
