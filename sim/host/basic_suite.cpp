#include "sim/host/basic_suite.h"

#include "sim/host/host_call.h"
#include "sim/host/sim_host.h"

namespace simhost {

namespace {

SPErr AEGP_API AcquireSuite(const char* name, A_long version, const void** suite) {
    const detail::HostCallMark mark;
    SimHost* host = SimHost::current();
    if (host == nullptr || name == nullptr || suite == nullptr) return kSPSuiteNotFoundError;
    try {
        auto guard = host->lock();
        *suite = host->suites().acquire(name, version);
        return *suite != nullptr ? kSPNoError : kSPSuiteNotFoundError;
    } catch (...) {
        *suite = nullptr;
        return kSPSuiteNotFoundError;
    }
}

SPErr AEGP_API ReleaseSuite(const char* name, A_long version) {
    const detail::HostCallMark mark;
    SimHost* host = SimHost::current();
    if (host == nullptr || name == nullptr) return kSPSuiteNotFoundError;
    try {
        auto guard = host->lock();
        host->suites().release(name, version);
        return kSPNoError;
    } catch (...) {
        return kSPSuiteNotFoundError;
    }
}

const SPBasicSuite kBasicSuite = {AcquireSuite, ReleaseSuite, nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace

const SPBasicSuite* simBasicSuite() {
    return &kBasicSuite;
}

}  // namespace simhost
