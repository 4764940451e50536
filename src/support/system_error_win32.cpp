#include <windows.h>

#include "support/system_error.h"

namespace {

// Releases the buffer FormatMessage allocated.
struct LocalBuffer {
    char* text = nullptr;
    ~LocalBuffer() {
        if (text) ::LocalFree(text);
    }
};

}  // namespace

void throwSystemError(const char* action) {
    const DWORD code = ::GetLastError();
    LocalBuffer buffer;
    const DWORD length =
        ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0,
                         reinterpret_cast<char*>(&buffer.text), 0, nullptr);
    throwSystemErrorText(length && buffer.text ? std::string(buffer.text, length) : std::string(), action);
}

void throwTimeoutError(const char* action) {
    ::SetLastError(ERROR_TIMEOUT);
    throwSystemError(action);
}

void throwClosedError(const char* action) {
    ::SetLastError(ERROR_BROKEN_PIPE);
    throwSystemError(action);
}

void throwStoppedError(const char* action) {
    ::SetLastError(ERROR_OPERATION_ABORTED);
    throwSystemError(action);
}
