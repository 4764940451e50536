#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <pwd.h>
#include <stdlib.h>
#include <string.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>

#include "project/journal_file.h"
#include "support/xtd_exception.h"

namespace {

constexpr const char kDraftSuffix[] = ".draft";
constexpr std::intptr_t kNoHandle = -1;

[[noreturn]] void throwSystemError(const std::string& action) {
    throw xtd::exception(std::string("System error: ") + ::strerror(errno) + "\nas a result of " + action);
}

std::string environment(const char* name) {
    const char* value = ::getenv(name);
    return value != nullptr ? value : "";
}

std::string withSeparator(std::string path) {
    if (!path.empty() && path.back() != '/') path += '/';
    return path;
}

bool isDirectory(const std::string& path) {
    struct stat status;
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// Makes each missing directory of `path` (which ends with its separator), private to the user.
void makeDirectories(const std::string& path) {
    int lastError = 0;
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) lastError = errno;
    }
    if (isDirectory(path)) return;
    errno = lastError;
    throwSystemError("mkdir (" + path + ")");
}

// Writes all of `text`, resuming after partial writes and interruptions.
bool writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A directory's entry list reaches the disk only when the directory itself is flushed.
void syncDirectory(const std::string& directory) {
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) throwSystemError("open (" + directory + ")");
    const int result = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    errno = error;
    if (result != 0 && errno != EINVAL) throwSystemError("fsync (" + directory + ")");
}

// Closes a descriptor on every way out unless it is handed on.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

}  // namespace

std::string journalDirectory() {
    std::string base = environment("SKELDA_STATE_DIR");
    if (!base.empty()) return withSeparator(base);
    base = environment("XDG_STATE_HOME");
    if (base.empty()) {
        std::string home = environment("HOME");
        if (home.empty()) {
            if (const passwd* user = ::getpwuid(::getuid()))
                home = user->pw_dir != nullptr ? user->pw_dir : "";
        }
        if (home.empty()) throw std::runtime_error("no home directory for the rename journal");
        base = withSeparator(home) + ".local/state";
    }
    return withSeparator(base) + "skelda/";
}

JournalFile JournalFile::create(const std::string& directory, const std::string& contents) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = withSeparator(directory);
    makeDirectories(folder);
    // Written under a draft name and linked into place whole, locked all along, so that a
    // recovery never takes a journal that is still being written.
    for (;;) {
        const std::string stem =
            folder + "rename-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const std::string draft = stem + kDraftSuffix, path = stem + ".journal";
        Descriptor fd(::open(draft.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.get() < 0) {
            if (errno == EEXIST) continue;
            throwSystemError("open (" + draft + ")");
        }
        if (::flock(fd.get(), LOCK_EX) != 0) throwSystemError("flock (" + draft + ")");
        if (!writeAll(fd.get(), contents)) {
            const int error = errno;
            ::unlink(draft.c_str());
            errno = error;
            throwSystemError("write (" + draft + ")");
        }
        if (::fsync(fd.get()) != 0) {
            const int error = errno;
            ::unlink(draft.c_str());
            errno = error;
            throwSystemError("fsync (" + draft + ")");
        }
        // link() never replaces: a journal that an earlier process of this id left stays.
        if (::link(draft.c_str(), path.c_str()) != 0) {
            const int error = errno;
            ::unlink(draft.c_str());
            if (error == EEXIST) continue;
            errno = error;
            throwSystemError("link (" + path + ")");
        }
        ::unlink(draft.c_str());
        try {
            syncDirectory(folder);
        } catch (...) {
            ::unlink(path.c_str());
            throw;
        }
        return JournalFile(path, fd.release());
    }
}

std::optional<JournalFile> JournalFile::take(const std::string& path) {
    Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return std::nullopt;
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) return std::nullopt;
    return JournalFile(path, fd.release());
}

void JournalFile::discardAbandonedDrafts(const std::string& directory) noexcept {
    const std::string folder = withSeparator(directory);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    const std::string suffix = kDraftSuffix;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() <= suffix.size() ||
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const std::string path = folder + name;
        // A draft whose writer lives is locked; one that can be locked was abandoned.
        Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
        if (fd.get() >= 0 && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

JournalFile::JournalFile(JournalFile&& other) noexcept
    : path_(std::move(other.path_)), handle_(other.handle_) {
    other.handle_ = kNoHandle;
}

JournalFile::~JournalFile() {
    close();
}

std::string JournalFile::contents() const {
    std::string text;
    if (handle_ == kNoHandle) return text;
    const int fd = static_cast<int>(handle_);
    char buffer[4096];
    for (off_t offset = 0;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
        offset += n;
    }
    return text;
}

bool JournalFile::remove() noexcept {
    // Unlinked while still locked: no other process can take it in between.
    const bool removed = ::unlink(path_.c_str()) == 0 || errno == ENOENT;
    close();
    return removed;
}

void JournalFile::close() noexcept {
    if (handle_ == kNoHandle) return;
    ::close(static_cast<int>(handle_));
    handle_ = kNoHandle;
}
