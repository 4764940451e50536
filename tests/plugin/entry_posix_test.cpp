// A plug-in pipe that cannot be made on POSIX: the module loads anyway, without its server.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "link/pipe.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

// The module loads (result 0) without a server, says why once in the host's message area, and
// its menu still works.
TEST_F(PluginTest, PipeThatCannotBeMadeLeavesTheModuleRunningWithoutServer) {
    struct Case {
        const char* what;
        std::function<void(const std::string& dir)> prepare;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"a directory at the socket path",
         [](const std::string& dir) {
             ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
             ASSERT_EQ(::mkdir((dir + "/SKPlugin").c_str(), 0700), 0);
         },
         "as a result of CreateNamedPipe"},
        {"a pipe directory open to others",
         [](const std::string& dir) {
             ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
             ASSERT_EQ(::chmod(dir.c_str(), 0777), 0);
         },
         "is not private to this user\nas a result of CreateNamedPipe"},
    };
    if (::geteuid() == 0)
        cases.push_back({"another user's pipe directory",
                         [](const std::string& dir) {
                             ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
                             ASSERT_EQ(::chown(dir.c_str(), 65534, 65534), 0);
                         },
                         "is not private to this user\nas a result of CreateNamedPipe"});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testkit::PipeSandbox sandbox;
        freshHost();
        c.prepare(std::getenv("SKELDA_PIPE_DIR"));
        ASSERT_EQ(enter(), 0);
        EXPECT_FALSE(pluginApp().hasServer());
        ASSERT_EQ(host->reports().size(), 1u);
        const std::string& report = host->reports()[0];
        EXPECT_EQ(report.rfind("The Skelda application cannot reach this plug-in: ", 0), 0u) << report;
        EXPECT_NE(report.find(c.reason), std::string::npos) << report;
        EXPECT_EQ(host->updateMenus(), 0);
        EXPECT_EQ(host->menus().items(AEGP_Menu_ANIMATION).size(), 6u);
        EXPECT_EQ(host->updateMenus(), 0);
        EXPECT_EQ(host->reports().size(), 1u);
        EXPECT_TRUE(host->suites().outstanding().empty());
    }
}

}  // namespace
