// The platform-independent part of the fault guard.
#include "support/fault_guard.h"

#include <cstdio>
#include <mutex>

#include "support/crash_report.h"
#include "support/fault_guard_parts.h"

namespace {

std::mutex gReportMutex;
std::string gLastReport;

}  // namespace

namespace detail {

bool runCatching(const std::function<void()>& body, std::string& text,
                 const std::function<std::string()>& describeForeign) {
    try {
        body();
        return true;
    } catch (const std::exception& e) {
        text = e.what();
    } catch (...) {
        text = describeForeign();
    }
    return false;
}

void keepCrashReport(const std::string& report) {
    std::lock_guard<std::mutex> lock(gReportMutex);
    gLastReport = report;
}

std::string faultName(std::uint32_t code) {
    if (const char* name = faultTableName(code)) return name;
    std::string name = systemFaultText(code);
    if (!name.empty()) return name;
    char text[32];
    std::snprintf(text, sizeof text, "exception 0x%08lX", static_cast<unsigned long>(code));
    return text;
}

}  // namespace detail

std::string lastCrashReport() {
    std::lock_guard<std::mutex> lock(gReportMutex);
    return gLastReport;
}

bool runGuarded(const std::function<void()>& body, const std::function<void(const std::string&)>& onError) {
    std::string text;
    if (detail::guardBody(body, text)) return true;
    onError(text);
    return false;
}
