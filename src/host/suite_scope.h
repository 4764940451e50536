#pragma once

#include "host/host_context.h"
#include "host/suite_acquire.h"
#include "host/suite_traits.h"

// One suite held for the length of a block and released by the same name and version when the
// block ends, also when an exception leaves it.
template <class Suite>
class SuiteScope {
public:
    SuiteScope() : SuiteScope(hostContext().basicSuite) {}
    explicit SuiteScope(const SPBasicSuite* basic)
        : basic_(basic),
          suite_(static_cast<const Suite*>(
              acquireHostSuite(basic, SuiteTraits<Suite>::name, SuiteTraits<Suite>::version))) {}
    ~SuiteScope() { releaseHostSuite(basic_, SuiteTraits<Suite>::name, SuiteTraits<Suite>::version); }

    SuiteScope(const SuiteScope&) = delete;
    SuiteScope& operator=(const SuiteScope&) = delete;

    const Suite* operator->() const { return suite_; }
    const Suite& operator*() const { return *suite_; }

private:
    const SPBasicSuite* basic_;
    const Suite* suite_;
};
