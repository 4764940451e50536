#include "plugin/hooks.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "host/ae_exception.h"
#include "plugin/host_context.h"
#include "plugin/plugin_fixture.h"

namespace {

std::vector<std::string> g_log;

class RecordedTask : public DeferredTask {
public:
    explicit RecordedTask(std::string name, int throws = 0) : name_(std::move(name)), throws_(throws) {}
    ~RecordedTask() override { g_log.push_back("destroy " + name_); }
    void execute() override {
        g_log.push_back("run " + name_);
        if (throws_ == 1) throw AE_Exception(-9, "applying effect");
        if (throws_ == 2) throw std::runtime_error("no layer");
    }

private:
    std::string name_;
    int throws_;
};

class HooksTest : public PluginTest {
protected:
    void SetUp() override {
        PluginTest::SetUp();
        g_log.clear();
        ASSERT_EQ(enter(), 0);
    }
};

// One task per idle call in push order; a failing one is reported and destroyed, never run
// again; what is left at a reset is destroyed unrun.
TEST_F(HooksTest, IdleRunsOneTaskPerCallInPushOrder) {
    deferredTaskQueue().push(std::make_unique<RecordedTask>("a"));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("host", 1));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("std", 2));
    deferredTaskQueue().push(std::make_unique<RecordedTask>("left"));
    EXPECT_EQ(host->idle(), 0);
    EXPECT_EQ(g_log, (std::vector<std::string>{"run a", "destroy a"}));
    EXPECT_EQ(host->idle(), -9);
    EXPECT_EQ(host->idle(), 1);
    ResetPluginState();
    EXPECT_EQ(g_log, (std::vector<std::string>{"run a", "destroy a", "run host", "destroy host", "run std",
                                               "destroy std", "destroy left"}));
    EXPECT_EQ(host->reports(),
              (std::vector<std::string>{"Error while applying effect.", "Exception: no layer"}));
    EXPECT_TRUE(host->suites().outstanding().empty());
}

TEST_F(HooksTest, VerifyAcceptsEveryFileAndImportFailsCleanly) {
    A_Boolean importable = 0;
    EXPECT_EQ(VerifyProjectFile(nullptr, "anything.txt", &importable), 0);
    EXPECT_EQ(importable, 1);
    EXPECT_EQ(VerifyProjectFile(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(ImportProjectFile(nullptr, "a.skp", nullptr), 1);
    ASSERT_EQ(host->reports().size(), 1u);
    EXPECT_EQ(host->reports()[0].rfind("Exception: ", 0), 0u);
}

}  // namespace
