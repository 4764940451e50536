// The built module in skelda-host: a result applied again to the same layer, the question asked
// through the host's window services (POSIX) or in the module's own message box (Windows), which
// the host's `answer button` presses.
#include <gtest/gtest.h>

#include <string>

#include "tests/common/child_process.h"
#include "tests/common/program_path.h"
#include "tests/common/test_dirs.h"
#include "tests/module/host_session.h"

namespace {

using hostsession::count;
using hostsession::Host;

// Load Transformations applied again to the same layer: the question, and what each answer does.
TEST(ModuleApply, ApplyingAgainAsksAndReplacesAddsOrCancels) {
    testkit::PipeSandbox pipes;
    testkit::ChildProcess app(
        testkit::programPath("skelda-app"),
        {"serve", "--actions", "Transformations", "--motion", "dx=1.5,rotate=0.2", "--frames", "12"});
    ASSERT_TRUE(hostsession::serving(app));

    Host host;
    host.load();
    EXPECT_EQ(host.ask("project new"), "");
    const std::string source = host.say("comp Source 320 240 30 12").substr(5);
    const std::string comp = host.say("comp Main 320 240 30 12").substr(5);
    const std::string layer = host.say("layer " + comp + " " + source).substr(6);
    EXPECT_EQ(host.ask("activate layer " + layer), "");
    // The command is acknowledged at once; the pushed result is keyed at the next idle call only.
    std::size_t keyed = 0;
    const auto load = [&](const std::string& answer) {
        if (!answer.empty()) {
            EXPECT_EQ(host.ask("answer button " + answer), "");
        }
        EXPECT_EQ(host.say("command \"Load Transformations from Skelda\""), "command result=0 handled=1");
        EXPECT_EQ(app.readLine().value_or(""), "pushed Transformations: ok");
        EXPECT_EQ(count(host.ask("dump"), "key stream="), keyed);
        const std::string out =
            host.ask("idle 1\ndump\nundo\ndialogs\ndialogs clear\nreports\nsuites\nreferences");
        keyed = count(out, "key stream=");
        return out;
    };
    const std::string once = load("");
    const std::size_t keys = count(once, "key stream=");
    ASSERT_GT(keys, 0u);
    EXPECT_EQ(count(once, "question "), 0u) << once;
    EXPECT_EQ(count(once, "undo \"Apply Transform to Layer\" closed"), 1u) << once;
    EXPECT_EQ(once.find("undo none"), std::string::npos) << once;
    EXPECT_NE(once.find("suites balanced\nreferences balanced\n"), std::string::npos) << once;

    const std::string replaced = load("Replace");
    EXPECT_EQ(count(replaced, "question "), 1u) << replaced;
    EXPECT_NE(replaced.find(
                  "The layer already has keyframes in frames 0 to 11 on: Position, Rotation. Replace them?"),
              std::string::npos)
        << replaced;
    EXPECT_EQ(count(replaced, "key stream="), keys) << replaced;
    EXPECT_EQ(count(replaced, "undo \"Apply Transform to Layer\" closed"), 2u) << replaced;

    const std::string cancelled = load("Cancel");
    EXPECT_EQ(count(cancelled, "key stream="), keys);
    EXPECT_EQ(count(cancelled, "undo \"Apply Transform to Layer\""), 2u) << cancelled;  // no step added

    app.write("model CornerPin\n");
    EXPECT_EQ(app.readLine().value_or(""), "model CornerPin");
    const std::string pinned = load("");  // Rigid's streams are not CornerPin's: nothing asked
    EXPECT_EQ(count(pinned, "question "), 0u) << pinned;
    const std::string added = load("Add");
    EXPECT_EQ(count(added, "question "), 1u) << added;
    EXPECT_EQ(count(added, "name=\"Corner Pin\""), 2u) << added;
    const std::string beforeReplace = host.ask("dump");
    const std::string again = load("Replace");
    EXPECT_EQ(count(again, "name=\"Corner Pin\""), 2u) << again;  // the last one keyed anew
    EXPECT_EQ(count(again, "references balanced"), 1u) << again;

    // One undo brings the effect's earlier keys back exactly.
    EXPECT_EQ(host.ask("undo last"), "");
    EXPECT_EQ(host.ask("dump"), beforeReplace);
    EXPECT_EQ(host.ask("reports"), "");
    EXPECT_EQ(hostsession::quit(app), 0);
}

}  // namespace
