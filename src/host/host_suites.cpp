#include "host/host_suites.h"

#include "host/host_context.h"
#include "host/suite_acquire.h"

namespace {

// In the order of KnownSuite. The Item Suite is known here in version 3 although it is taken
// elsewhere in version 4; nothing takes it through this record.
constexpr KnownSuiteName kKnownSuites[] = {
    {"AEGP Comp Suite", 6},
    {"AEGP Proj Suite", 2},
    {"AEGP Layer Suite", 7},
    {"AEGP Stream Suite", 4},
    {"AEGP Keyframe Suite", 1},
    {"AEGP Canvas Suite", 6},
    {"AEGP Camera Suite", 2},
    {"AEGP Register Suite", 1},
    {"AEGP Memory Suite", 1},
    {"AEGP Item Suite", 3},
    {"AEGP Light Suite", 2},
    {"AEGP Effect Suite", 1},
    {"AEGP Layer Mask Suite", 3},
    {"AEGP Mask Outline Suite", 3},
    {"AEGP Footage Suite", 3},
    {"AEGP Command Suite", 1},
    {"AEGP Utility Suite", 3},
    {"PF ANSI Suite", 1},
    {"PF Handle Suite", 1},
    {"PF Fill Matte Suite", 1},
    {"PF World Transform Suite", 1},
    {"AEGP Composite Suite", 2},
    {"PF World Suite", 1},
    {"AEGP PF Interface Suite", 1},
    {"PF Path Query Suite", 1},
    {"PF Path Data Suite", 1},
    {"PF AE App Suite", 1},
    {"AEGP IO In Suite", 1},
    {"AEGP IO Out Suite", 1},
    {"AEGP Render Queue Suite", 1},
    {"AEGP File Import Manager Suite", 2},
    {"PF Sampling8 Suite", 1},
    {"PF Sampling16 Suite", 1},
    {"PF Iterate8 Suite", 1},
    {"PF iterate16 Suite", 1},
    {"AEGP Collection Suite", 1},
};
static_assert(sizeof kKnownSuites / sizeof kKnownSuites[0] == static_cast<std::size_t>(KnownSuite::Count),
              "one name per known suite");

}  // namespace

KnownSuiteName knownSuiteName(KnownSuite suite) {
    return kKnownSuites[static_cast<std::size_t>(suite)];
}

HostSuites::HostSuites() : HostSuites(hostContext().basicSuite) {}

HostSuites::HostSuites(const SPBasicSuite* basic) : basic_(basic) {
    if (basic_ == nullptr) throw kSuiteUnavailable;
}

HostSuites::~HostSuites() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        if (slots_[i] != nullptr) releaseHostSuite(basic_, kKnownSuites[i].name, kKnownSuites[i].version);
    }
}

const void* HostSuites::get(KnownSuite suite) {
    const auto index = static_cast<std::size_t>(suite);
    if (slots_[index] == nullptr) {
        slots_[index] = acquireHostSuite(basic_, kKnownSuites[index].name, kKnownSuites[index].version);
    }
    return slots_[index];
}
