// The plug-in's dialogs through the host's window services, and on the terminal without them.
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "common/test_dirs.h"
#include "common/test_files.h"
#include "host/ae_exception.h"
#include "host/sim_host.h"
#include "plugin/apply_progress_dialog.h"
#include "plugin/message_box.h"
#include "plugin/transformations_source_dialog.h"

namespace {

using simhost::DialogAnswer;

class WindowServicesTest : public ::testing::Test {
protected:
    void* services() const { return host.mainWindow(); }
    const simhost::ProgressRecord& progress(int id = 1) { return *host.windows().progress(id); }
    std::vector<std::string>& shown() { return host.windows().shown(); }

    simhost::SimHost host;
};

// Captures what the plug-in writes to the terminal.
class CapturedError {
public:
    CapturedError() : previous_(std::cerr.rdbuf(text_.rdbuf())) {}
    ~CapturedError() { std::cerr.rdbuf(previous_); }
    std::string text() const { return text_.str(); }

private:
    std::ostringstream text_;
    std::streambuf* previous_;
};

TEST_F(WindowServicesTest, ProgressRunsToItsEndWithTheMainWindowDisabledMeanwhile) {
    {
        ApplyProgressDialog dialog(services(), 3);
        EXPECT_FALSE(host.windows().mainWindowEnabled());
        for (int step = 1; step < 3; ++step) EXPECT_FALSE(dialog.advance(step));
        EXPECT_EQ(dialog.text(), "2 / 3");
        dialog.close();
    }
    EXPECT_TRUE(host.windows().mainWindowEnabled());
    EXPECT_EQ(progress().texts, (std::vector<std::string>{"0 / 3", "1 / 3", "2 / 3"}));
    EXPECT_EQ(shown(), (std::vector<std::string>{
                           "progress open id=1 title=\"Application of transforms to layer...\" total=3",
                           "main-window disabled",
                           "main-window enabled",
                           "progress close id=1 steps=3 last=\"2 / 3\"",
                       }));
}

TEST_F(WindowServicesTest, CancelIsNoticedAtTheStepItWasPressedAndTheUserIsTold) {
    host.windows().queueAnswer({DialogAnswer::Kind::CancelAt, "", 17});
    ApplyProgressDialog dialog(services(), 40);
    int step = 1;
    while (!dialog.advance(step)) ++step;
    EXPECT_EQ(step, 17);
    EXPECT_EQ(dialog.text(), "17 / 40");
    dialog.showInterruption();
    dialog.close();
    EXPECT_EQ(shown().at(2), "progress cancel id=1 step=17 text=\"17 / 40\"");
    EXPECT_EQ(shown().at(3),
              "message style=48 caption=\"Skelda\" text=\"Application of transforms to layer interrupted by "
              "user.\\n\"");
    EXPECT_TRUE(host.windows().mainWindowEnabled());
}

TEST_F(WindowServicesTest, ARefusedWindowCallLeavesNoWindowOpenAndTheMainWindowEnabled) {
    const std::pair<const char*, const char*> opening[] = {
        {"AEGP_OpenProgress", "opening progress window"},
        {"AEGP_EnableMainWindow", "disabling main window"},
        {"AEGP_StepProgress", "updating progress window"},
    };
    for (const auto& [operation, action] : opening) {
        host.faults().fail(operation, 1, -4);
        try {
            ApplyProgressDialog dialog(services(), 5);
            ADD_FAILURE() << operation;
        } catch (const AE_Exception& e) {
            EXPECT_STREQ(e.action(), action);
            EXPECT_EQ(e.code(), -4);
        }
        EXPECT_EQ(host.windows().openProgressWindows(), 0) << operation;
        EXPECT_TRUE(host.windows().mainWindowEnabled()) << operation;
    }
    // Closing does both halves even when the first is refused, then tells.
    const std::pair<const char*, const char*> closing[] = {
        {"AEGP_EnableMainWindow", "enabling main window"},
        {"AEGP_CloseProgress", "closing progress window"},
    };
    for (const auto& [operation, action] : closing) {
        ApplyProgressDialog dialog(services(), 5);
        host.faults().fail(operation, 1, -6);
        try {
            dialog.close();
            ADD_FAILURE() << operation;
        } catch (const AE_Exception& e) {
            EXPECT_STREQ(e.action(), action);
        }
        EXPECT_EQ(host.windows().openProgressWindows(), 0) << operation;
    }
}

TEST_F(WindowServicesTest, ProgressWithoutWindowsGoesToTheTerminal) {
    CapturedError terminal;
    {
        ApplyProgressDialog dialog(nullptr, 2);
        EXPECT_FALSE(dialog.advance(1));
        dialog.showInterruption();
    }
    EXPECT_NE(terminal.text().find("Application of transforms to layer... 0 / 2"), std::string::npos);
    EXPECT_NE(terminal.text().find("1 / 2"), std::string::npos);
    EXPECT_NE(terminal.text().find("Skelda: Application of transforms to layer interrupted by user.\n"),
              std::string::npos);
    EXPECT_TRUE(shown().empty());
}

TEST_F(WindowServicesTest, SourceDialogAcceptsOnlyAnExistingRegularFile) {
    testkit::TempDir dir;
    const std::string file = dir.file("shot.skp");
    testkit::writeFile(file, "<Message/>");
    TransformationsSourceDialog dialog;
    struct Case {
        DialogAnswer answer;
        int result;
        const char* record;  // the end of the dialog's record line
    };
    const Case cases[] = {
        {{DialogAnswer::Kind::Path, dir.file("missing.skp"), 0},
         TransformationsSourceDialog::kCancelled,
         "apply=disabled result=cancel"},
        {{DialogAnswer::Kind::Path, dir.path(), 0},
         TransformationsSourceDialog::kCancelled,
         "apply=disabled result=cancel"},
        {{DialogAnswer::Kind::Cancel, "", 0},
         TransformationsSourceDialog::kCancelled,
         "answer=cancel result=cancel"},
        {{DialogAnswer::Kind::Path, file, 0},
         TransformationsSourceDialog::kApplied,
         "apply=enabled result=apply"},
        // Shown again with the path kept; nothing answered is a cancel.
        {{DialogAnswer::Kind::CancelAt, "", 3},
         TransformationsSourceDialog::kCancelled,
         "answer=none result=cancel"},
    };
    for (const Case& c : cases) {
        host.windows().queueAnswer(c.answer);
        shown().clear();
        EXPECT_EQ(dialog.run(services()), c.result) << c.answer.path;
        ASSERT_EQ(shown().size(), 1u);
        const std::string& line = shown().front();
        EXPECT_EQ(line.substr(line.size() - std::string(c.record).size()), c.record) << line;
    }
    EXPECT_EQ(dialog.path(), file);
    EXPECT_NE(shown().front().find("initial=\"" + file + "\""), std::string::npos);
    EXPECT_EQ(shown().front().find("path title=\"Skelda\" prompt=\"Transformations Source:\""), 0u);
}

TEST_F(WindowServicesTest, RefusedPathDialogRaisesItsAction) {
    host.faults().fail("AEGP_AskPath", 1, -3);
    TransformationsSourceDialog dialog;
    try {
        dialog.run(services());
        FAIL();
    } catch (const AE_Exception& e) {
        EXPECT_STREQ(e.action(), "asking for a path");
    }
}

TEST_F(WindowServicesTest, MessageBoxesAreShownByTheHost) {
    ShowMessageBox(services(), "Pipe broken", kMessageBoxExclamation);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{"message style=48 caption=\"Skelda\" text=\"Pipe broken\""}));
}

}  // namespace
