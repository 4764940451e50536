#include "host/report.h"

#include <cstring>
#include <string>

#include "host/host_context.h"
#include "host/host_suites.h"

namespace {

constexpr std::size_t kReportBufferSize = 1024;
constexpr const char kHostErrorFormat[] = "Error while %s.";

}  // namespace

A_Err ReportHostError(const AE_Exception& error) {
    HostSuites suites;
    const PF_ANSICallbacksSuite1& ansi = suites.ansi();
    const AEGP_UtilitySuite1& utility = suites.utility();
    // The host's sprintf knows no buffer size: an action too long for the buffer is cut short.
    constexpr std::size_t room = kReportBufferSize - (sizeof kHostErrorFormat - 3);
    std::string action = error.action() != nullptr ? error.action() : "";
    if (action.size() >= room) action.resize(room - 1);
    // A host sprintf that fails then shows an empty text rather than stale bytes.
    char buffer[kReportBufferSize] = {};
    ansi.sprintf(buffer, kHostErrorFormat, action.c_str());
    buffer[kReportBufferSize - 1] = '\0';
    utility.AEGP_ReportInfo(hostContext().pluginId, buffer);
    return error.code();
}

A_Err ReportException(const std::exception& error) {
    HostSuites suites;
    const std::string text = std::string("Exception: ") + error.what();
    suites.utility().AEGP_ReportInfo(hostContext().pluginId, text.c_str());
    return 1;
}

void reportMessage(const std::string& text) {
    HostSuites suites;
    suites.utility().AEGP_ReportInfo(hostContext().pluginId, text.c_str());
}
