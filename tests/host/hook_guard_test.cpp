#include "host/hook_guard.h"

#include <stdexcept>
#include <string>

#include "host/ae_exception.h"
#include "tests/host/host_fixture.h"

namespace {

struct GuardCase {
    const char* name;
    std::function<A_Err()> body;
    A_Err result;
    std::vector<std::string> reports;
};

class HookGuardTest : public HostLayerTest {};

TEST_F(HookGuardTest, EachKindOfThrowGivesItsResultAndMessage) {
    const GuardCase cases[] = {
        {"success", [] { return A_Err(0); }, 0, {}},
        {"host failure",
         []() -> A_Err { throw AE_Exception(-23, "getting active layer"); },
         -23,
         {"Error while getting active layer."}},
        {"standard exception",
         []() -> A_Err { throw std::runtime_error("pipe broke"); },
         1,
         {"Exception: pipe broke"}},
        {"suite unavailable", []() -> A_Err { throw 512; }, 1, {}},
        {"anything else", []() -> A_Err { throw "text"; }, 1, {}},
    };
    for (const GuardCase& c : cases) {
        host.reports().clear();
        EXPECT_EQ(HookGuard(c.body), c.result) << c.name;
        EXPECT_EQ(host.reports(), c.reports) << c.name;
    }
}

// A report that cannot be shown changes nothing: the host's code is returned all the same.
TEST_F(HookGuardTest, ReportThatCannotBeShownChangesNothing) {
    host.faults().fail("AEGP_ReportInfo", 1, -1);
    EXPECT_EQ(HookGuard([]() -> A_Err { throw std::runtime_error("x"); }), 1);
    host.suites().withdraw(kPFANSISuite, -1);
    EXPECT_EQ(HookGuard([]() -> A_Err { throw AE_Exception(-4, "disposing stream"); }), -4);
    EXPECT_TRUE(host.reports().empty());
}

// An action is cut to the report buffer; an exception's text of any length is shown whole.
TEST_F(HookGuardTest, LongTexts) {
    static const std::string longAction(3000, 'a');
    const std::string text(5000, 'x');
    EXPECT_EQ(HookGuard([]() -> A_Err { throw AE_Exception(-2, longAction.c_str()); }), -2);
    EXPECT_EQ(HookGuard([&]() -> A_Err { throw std::runtime_error(text); }), 1);
    ASSERT_EQ(host.reports().size(), 2u);
    EXPECT_EQ(host.reports()[0].size(), 1023u);
    EXPECT_EQ(host.reports()[0].rfind("Error while aaa", 0), 0u);
    EXPECT_EQ(host.reports()[1], "Exception: " + text);
}

}  // namespace
