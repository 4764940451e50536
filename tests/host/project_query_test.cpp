#include "host/project_query.h"

#include "host/host_suites.h"
#include "host/main_window.h"
#include "host/suite_scope.h"
#include "tests/host/host_fixture.h"

namespace {

class ProjectQueryTest : public HostLayerTest {};

TEST_F(ProjectQueryTest, OpenWhenTheHostReportsAProject) {
    EXPECT_FALSE(IsProjectOpen());
    host.model().newProject();
    EXPECT_TRUE(IsProjectOpen());
    host.model().closeProject();
    EXPECT_FALSE(IsProjectOpen());
    host.faults().fail("AEGP_GetNumProjects", 1, -8);
    EXPECT_EQ(hostFailureOf([] { IsProjectOpen(); }),
              std::make_pair(A_Err(-8), std::string("getting the number of projects")));
}

TEST_F(ProjectQueryTest, MainWindowIsTheHostsHandle) {
    int window = 0;
    host.setMainWindow(&window);
    EXPECT_EQ(getMainWindow(), &window);
}

TEST_F(ProjectQueryTest, SuitesAreReleasedByNameAndVersionOnEveryPath) {
    {
        HostSuites suites;
        suites.utility();
        suites.proj();
        suites.utility();  // taken once only
        EXPECT_EQ(host.suites().acquisitions(kAEGPUtilitySuite, 3), 1);
    }
    EXPECT_TRUE(host.suites().outstanding().empty());
    try {
        SuiteScope<AEGP_CommandSuite1> commands;
        throw std::runtime_error("leaving");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(host.suites().outstanding().empty());
}

TEST_F(ProjectQueryTest, UnavailableSuiteThrowsTheInteger512) {
    host.suites().withdraw(kAEGPProjSuite, 2);
    EXPECT_THROW(IsProjectOpen(), int);
    EXPECT_THROW(HostSuites(nullptr), int);
    try {
        SuiteScope<AEGP_ProjSuite1> proj;
    } catch (int code) {
        EXPECT_EQ(code, 512);
    }
}

}  // namespace
