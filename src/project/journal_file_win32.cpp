#include <windows.h>

#include <atomic>
#include <stdexcept>

#include "project/journal_file.h"
#include "support/xtd_exception.h"

namespace {

const std::intptr_t kNoHandle = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

[[noreturn]] void throwSystemError(const std::string& action, DWORD code) {
    std::string text = "System error";
    char* message = nullptr;
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                          nullptr, code, 0, reinterpret_cast<char*>(&message), 0, nullptr);
    if (length != 0 && message != nullptr) text += ": " + std::string(message, length);
    if (message != nullptr) ::LocalFree(message);
    throw xtd::exception(text + "\nas a result of " + action);
}

std::string environment(const char* name) {
    char buffer[MAX_PATH];
    const DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
    return length != 0 && length < sizeof buffer ? std::string(buffer, length) : std::string();
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string withSeparator(std::string path) {
    if (!path.empty() && !isSeparator(path.back())) path += '\\';
    return path;
}

bool isDirectory(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Makes each missing directory of `path` (which ends with a separator).
void makeDirectories(const std::string& path) {
    DWORD lastError = ERROR_SUCCESS;
    for (std::size_t i = 1; i < path.size(); ++i) {
        if (!isSeparator(path[i]) || path[i - 1] == ':' || isSeparator(path[i - 1])) continue;
        const std::string part = path.substr(0, i);
        if (!::CreateDirectoryA(part.c_str(), nullptr)) lastError = ::GetLastError();
    }
    if (!isDirectory(path)) throwSystemError("CreateDirectory (" + path + ")", lastError);
}

void closeQuietly(HANDLE file) {
    if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
}

HANDLE asHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

std::string journalDirectory() {
    const std::string override = environment("SKELDA_STATE_DIR");
    if (!override.empty()) return withSeparator(override);
    std::string base = environment("LOCALAPPDATA");
    if (base.empty()) {
        const std::string profile = environment("USERPROFILE");
        if (profile.empty()) throw std::runtime_error("no user profile for the rename journal");
        base = withSeparator(profile) + "AppData\\Local";
    }
    return withSeparator(base) + "Skelda\\";
}

JournalFile JournalFile::create(const std::string& directory, const std::string& contents) {
    static std::atomic<unsigned> counter{0};
    const std::string folder = withSeparator(directory);
    makeDirectories(folder);
    for (;;) {
        const std::string path = folder + "rename-" + std::to_string(::GetCurrentProcessId()) + "-" +
                                 std::to_string(counter++) + ".journal";
        // Created and held in one call without write sharing: a recovery, which opens without any
        // sharing, cannot take it until this process closes it or dies.
        const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                          nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
            throwSystemError("CreateFile (" + path + ")", error);
        }
        DWORD written = 0;
        const bool ok =
            ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
            written == contents.size();
        if (!ok || !::FlushFileBuffers(file)) {
            const DWORD error = ::GetLastError();
            closeQuietly(file);
            ::DeleteFileA(path.c_str());
            throwSystemError((ok ? "FlushFileBuffers (" : "WriteFile (") + path + ")", error);
        }
        return JournalFile(path, reinterpret_cast<std::intptr_t>(file));
    }
}

std::optional<JournalFile> JournalFile::take(const std::string& path) {
    const HANDLE file =
        ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    return JournalFile(path, reinterpret_cast<std::intptr_t>(file));
}

// A journal is written under its own name while held, so no drafts are ever left.
void JournalFile::discardAbandonedDrafts(const std::string&) noexcept {}

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
    const HANDLE file = asHandle(handle_);
    if (::SetFilePointer(file, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return text;
    char buffer[4096];
    DWORD n = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
    return text;
}

bool JournalFile::remove() noexcept {
    // A file held open cannot be deleted here; between closing and deleting, a recovery that takes
    // it finds every file back and deletes it itself.
    close();
    return ::DeleteFileA(path_.c_str()) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
}

void JournalFile::close() noexcept {
    if (handle_ == kNoHandle) return;
    ::CloseHandle(asHandle(handle_));
    handle_ = kNoHandle;
}
