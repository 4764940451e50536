// A plug-in pipe that cannot be made on POSIX: the module loads anyway, without its server.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "link/pipe.h"
#include "tests/plugin/plugin_fixture.h"

namespace {

// The module loads (result 0) without a server, says why once in the host's message area, and
// its menu still works.
TEST_F(PluginTest, PipeThatCannotBeMadeLeavesTheModuleRunningWithoutServer) {
    enum class Fault { directoryAtSocketPath, openToOthers, anotherUsers };
    const std::string notPrivate = "is not private to this user\nas a result of CreateNamedPipe";
    const struct {
        const char* what;
        Fault fault;
        std::string reason;
    } cases[] = {
        {"a directory at the socket path", Fault::directoryAtSocketPath, "as a result of CreateNamedPipe"},
        {"a pipe directory open to others", Fault::openToOthers, notPrivate},
        {"another user's pipe directory", Fault::anotherUsers, notPrivate},
    };
    for (const auto& c : cases) {
        // Only root can give the directory away.
        if (c.fault == Fault::anotherUsers && ::geteuid() != 0) continue;
        SCOPED_TRACE(c.what);
        testkit::PipeSandbox sandbox;
        freshHost();
        const std::string dir = std::getenv("SKELDA_PIPE_DIR");
        ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
        const int made = c.fault == Fault::directoryAtSocketPath ? ::mkdir((dir + "/SKPlugin").c_str(), 0700)
                         : c.fault == Fault::openToOthers        ? ::chmod(dir.c_str(), 0777)
                                                                 : ::chown(dir.c_str(), 65534, 65534);
        ASSERT_EQ(made, 0);
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
