#include "project/recovery_at_load.h"

#include <exception>
#include <string>

#include "host/host_context.h"
#include "host/host_suites.h"
#include "host/report.h"
#include "project/isolation_recovery.h"

void recoverInterruptedImports() noexcept {
    try {
        const std::string text = recoveryReportText(recoverIsolatedFiles());
        if (text.empty()) return;
        HostSuites suites;
        suites.utility().AEGP_ReportInfo(hostContext().pluginId, text.c_str());
    } catch (const std::exception& error) {
        try {
            ReportException(error);
        } catch (...) {
        }
    } catch (...) {
    }
}
