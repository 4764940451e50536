#include "host/hook_guard.h"

#include <exception>

#include "host/ae_exception.h"
#include "host/report.h"

namespace detail {

A_Err reportCurrentException() noexcept {
    try {
        throw;
    } catch (const AE_Exception& error) {
        // The host gets its own code back even when the message cannot be shown.
        try {
            ReportHostError(error);
        } catch (...) {
        }
        return error.code();
    } catch (const std::exception& error) {
        try {
            ReportException(error);
        } catch (...) {
        }
        return 1;
    } catch (...) {
        return 1;
    }
}

}  // namespace detail
