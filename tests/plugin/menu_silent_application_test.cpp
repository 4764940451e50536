// The menu while the application is silent: the question ends within its limit, the commands
// that need the application are greyed out and nothing is reported; once the application answers
// again, the next opening offers them.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "plugin/application_offer.h"
#include "plugin/command_table.h"
#include "sim/app/sim_app.h"
#include "tests/link/link_test_kit.h"
#include "tests/plugin/read_transformations_fixture.h"

namespace {

using linktest::SilentServer;

// The menu offers the application's commands for an active layer, as the fixture makes.
class MenuSilentApplicationTest : public ReadTransformationsTest {
protected:
    void SetUp() override {
        ReadTransformationsTest::SetUp();
        activate();
    }
    bool enabled(CommandIndex index) { return host->menus().find(hostContext().commands[index])->enabled; }
    // Load Transformations, Read Transformations and Import Project as "1" or "0".
    std::string openMenu() {
        EXPECT_EQ(host->updateMenus(), 0);
        return std::string(enabled(LoadTransformationsCommand) ? "1" : "0") +
               (enabled(ReadTransformationsCommand) ? "1" : "0") +
               (enabled(ImportProjectCommand) ? "1" : "0");
    }
};

TEST_F(MenuSilentApplicationTest, SilenceGreysOutTheApplicationsCommandsUntilItAnswers) {
    for (const auto kind : {SilentServer::Kind::accepting, SilentServer::Kind::neverAccepting}) {
        SCOPED_TRACE(kind == SilentServer::Kind::accepting ? "accepting" : "never accepting");
        {
            const SilentServer silent(kApplicationPipeName, kind);
            const auto start = std::chrono::steady_clock::now();
            // Only reading from a file stays: it needs no application.
            EXPECT_EQ(openMenu(), "010");
            // Within the limit, not the ten seconds a command may wait for its reply.
            EXPECT_LT(std::chrono::steady_clock::now() - start, 10 * kMenuQueryLimit);
            EXPECT_TRUE(host->reports().empty());
        }
        simapp::AppSettings settings;
        settings.actions.transformations = settings.actions.project = true;
        const simapp::SimApplication application(settings, [](const std::string&) {});
        EXPECT_EQ(openMenu(), "111");
        EXPECT_TRUE(host->reports().empty());
    }
}

// An answer the plug-in cannot use offers nothing either, and is not reported.
TEST_F(MenuSilentApplicationTest, AnErrorAnswerOffersNothingAndIsNotReported) {
    Message refusal;
    writeErrorMessage(refusal, "busy tracking");
    const linktest::TestServer application(kApplicationPipeName, refusal.toBytes());
    EXPECT_EQ(openMenu(), "010");
    EXPECT_TRUE(host->reports().empty());
}

}  // namespace
