#include "host/suite_acquire.h"

const void* acquireHostSuite(const SPBasicSuite* basic, const char* name, A_long version) {
    if (basic == nullptr || basic->AcquireSuite == nullptr) throw kSuiteUnavailable;
    const void* table = nullptr;
    if (basic->AcquireSuite(name, version, &table) != kSPNoError || table == nullptr) throw kSuiteUnavailable;
    return table;
}

void releaseHostSuite(const SPBasicSuite* basic, const char* name, A_long version) noexcept {
    if (basic != nullptr && basic->ReleaseSuite != nullptr) basic->ReleaseSuite(name, version);
}
