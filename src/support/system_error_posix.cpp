#include <errno.h>
#include <string.h>

#include "support/system_error.h"

void throwSystemError(const char* action) {
    const int code = errno;
    char buffer[256];
    // The GNU variant may return a static text instead of filling the buffer.
    const char* text = ::strerror_r(code, buffer, sizeof buffer);
    throwSystemErrorText(text ? text : "", action);
}

void throwTimeoutError(const char* action) {
    errno = ETIMEDOUT;
    throwSystemError(action);
}

void throwClosedError(const char* action) {
    errno = EPIPE;
    throwSystemError(action);
}

void throwStoppedError(const char* action) {
    errno = ECANCELED;
    throwSystemError(action);
}
