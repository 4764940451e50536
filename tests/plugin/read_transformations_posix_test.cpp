// "Read Transformations from Skelda File..." with the source dialog answered through the host's
// window services, and the server's errors in the host's message box.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/error_report.h"
#include "link/pipe.h"
#include "message/message.h"
#include "tests/common/fault_walk.h"
#include "tests/plugin/read_transformations_fixture.h"

namespace {

using simhost::DialogAnswer;

// The source dialog accepts only an existing regular file and offers the last path it accepted;
// the chosen file's result goes onto the active layer.
TEST_F(ReadTransformationsTest, TheChosenFilesResultGoesOntoTheActiveLayer) {
    const auto path = [](const std::string& chosen) {
        return DialogAnswer{DialogAnswer::Kind::Path, chosen, 0};
    };
    const DialogAnswer cancel{DialogAnswer::Kind::Cancel, "", 0}, none{DialogAnswer::Kind::CancelAt, "", 3};
    const struct {
        const char* name;
        bool activeLayer;
        DialogAnswer answer;
        const char* record;  // the end of the dialog's record line
        bool written;
        const char* report;  // the start of what the user is told, with result 1; null: nothing, result 0
    } cases[] = {
        {"applied", true, path(job), "apply=enabled result=apply", true, nullptr},
        {"missing", true, path(files.file("missing.skp")), "apply=disabled result=cancel", false, nullptr},
        {"a directory", true, path(files.path()), "apply=disabled result=cancel", false, nullptr},
        {"cancelled", true, cancel, "answer=cancel result=cancel", false, nullptr},
        {"nothing answered", true, none, "answer=none result=cancel", false, nullptr},
        {"no active layer", false, path(job), "result=apply", false, nullptr},
        {"not a project", true, path(files.file("plate/notes.png")), "apply=enabled result=apply", false,
         "Exception: "},
    };
    std::string accepted;
    for (const auto& c : cases) {
        host->model().layer(layer)->streams.clear();
        host->reports().clear();
        host->windows().shown().clear();
        activate(c.activeLayer);
        host->windows().queueAnswer(c.answer);
        const auto outcome = read();
        EXPECT_TRUE(outcome.handled) << c.name;
        EXPECT_EQ(outcome.result, c.report ? 1 : 0) << c.name;
        EXPECT_EQ(keys() > 0, c.written) << c.name;
        ASSERT_FALSE(host->windows().shown().empty()) << c.name;
        const std::string& line = host->windows().shown()[0];
        EXPECT_EQ(line.rfind("path title=\"Skelda\" prompt=\"Transformations Source:\"", 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - std::string(c.record).size()), c.record) << line;
        if (!accepted.empty()) {
            EXPECT_NE(line.find("initial=\"" + accepted + "\""), std::string::npos) << line;
        }
        if (std::string(c.record).find("result=apply") != std::string::npos) accepted = c.answer.path;
        if (c.report == nullptr) {
            EXPECT_TRUE(host->reports().empty()) << c.name << ": " << host->reports()[0];
        } else {
            ASSERT_EQ(host->reports().size(), 1u) << c.name;
            EXPECT_EQ(host->reports()[0].rfind(c.report, 0), 0u) << host->reports()[0];
        }
        EXPECT_EQ(host->model().openUndoGroups(), 0) << c.name;
        EXPECT_TRUE(host->suites().outstanding().empty()) << c.name;
    }
}

// Every host call of the command failed in turn: the failure is reported with its code and
// nothing is left open but the one release the host refused.
TEST_F(ReadTransformationsTest, EveryHostCallOfTheCommandFailedInTurn) {
    activate();
    host->faults().clearCalls();
    host->windows().queueAnswer({DialogAnswer::Kind::Path, job, 0});
    ASSERT_EQ(read().result, 0);
    ASSERT_GT(keys(), 0u);
    const auto points = testkit::failurePoints(host->faults().calls());
    ASSERT_GT(points.size(), 10u);
    for (const testkit::FailurePoint& point : points) {
        const std::string step = point.name();
        host->reports().clear();
        host->references().clear();
        host->model().undoGroups().clear();
        // A bare layer each time, so that no question about earlier keys comes first.
        host->model().layer(layer)->streams.clear();
        host->model().layer(layer)->effects.clear();
        host->faults().fail(point.operation, point.k, -15);
        host->windows().queueAnswer({DialogAnswer::Kind::Path, job, 0});
        EXPECT_EQ(read().result, -15) << step;
        host->faults().clear();
        ASSERT_EQ(host->reports().size(), 1u) << step;
        EXPECT_EQ(host->reports()[0].rfind("Error while ", 0), 0u) << host->reports()[0];
        EXPECT_EQ(host->model().openUndoGroups(), 0) << step;
        // Unless the host refused to enable it again.
        EXPECT_EQ(host->windows().mainWindowEnabled(), step != "AEGP_EnableMainWindow #2") << step;
        EXPECT_EQ(host->windows().openProgressWindows(), 0) << step;
        const bool release =
            point.operation == "AEGP_DisposeStream" || point.operation == "AEGP_DisposeEffect";
        EXPECT_EQ(host->references().outstanding().size(), release ? 1u : 0u) << step;
        EXPECT_TRUE(host->suites().outstanding().empty()) << step;
        host->windows().setMainWindowEnabled(true);
    }
}

// At its entry the plug-in shows the server's errors in the host's message box, and a reset
// puts the default back.
TEST_F(ReadTransformationsTest, TheEntryShowsServerErrorsInTheHostsMessageBox) {
    activate();
    std::string reply;
    ClientPipe(kPluginPipeName)
        .transact("<Message type=\"Transformations\"><InitialTransform/><InitialTransform/></Message>",
                  reply);
    Message answer;
    answer.fromBytes(reply);
    EXPECT_EQ(answer.type(), MessageType::Error);
    EXPECT_TRUE(testkit::waitFor([&] {
        auto guard = host->lock();
        for (const std::string& line : host->windows().shown())
            if (line.rfind("message style=48 caption=\"Skelda\" text=\"", 0) == 0 &&
                line.find("InitialTransform") != std::string::npos)
                return true;
        return false;
    }));
    resetPluginState();
    EXPECT_EQ(setErrorBox(nullptr), nullptr);
}

}  // namespace
