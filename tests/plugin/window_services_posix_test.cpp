// The source dialog through the host's window services, and the progress on the terminal without them.
// (The progress through the window services is checked with the apply it shows.)
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "common/test_dirs.h"
#include "common/test_files.h"
#include "host/sim_host.h"
#include "plugin/apply_progress_dialog.h"
#include "plugin/transformations_source_dialog.h"

namespace {

using simhost::DialogAnswer;

class WindowServicesTest : public ::testing::Test {
protected:
    void* services() const { return host.mainWindow(); }
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

}  // namespace
