// "Read Transformations from Skelda File..." with its Win32 source dialog answered by a user.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/common/unmanaged_windows.h"
#include "tests/plugin/read_transformations_fixture.h"
#include "tests/ui/dialog_user_win32.h"
#include "ui/dialog_ids.h"

namespace {

// Before any window of the program exists.
const bool kUnmanaged = (testkit::useUnmanagedWindows(), true);

class ReadTransformationsWindowTest : public ReadTransformationsTest {
protected:
    // Chooses the command while a user types `path` into the dialog and presses Apply (or,
    // with no path, cancels it).
    simhost::SimHost::CommandResult readAnswering(const std::string& path) {
        dialogkit::User user([path] {
            const HWND window = dialogkit::waitForWindow("Skelda");
            if (window == nullptr) return;
            if (path.empty()) {
                PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            SetWindowTextA(GetDlgItem(window, IDC_SOURCE_PATH), path.c_str());
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_APPLY, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_SOURCE_APPLY)));
        });
        return read();
    }
};

TEST_F(ReadTransformationsWindowTest, CancelReadsNothingAndApplyWritesTheFilesResult) {
    activate();
    auto outcome = readAnswering("");
    EXPECT_TRUE(outcome.handled);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(keys(), 0u);

    outcome = readAnswering(job);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_GT(keys(), 0u);
    EXPECT_TRUE(host->reports().empty()) << host->reports()[0];
    ASSERT_EQ(host->model().undoGroups().size(), 1u);
    EXPECT_EQ(host->model().openUndoGroups(), 0);
    EXPECT_TRUE(host->suites().outstanding().empty());
    EXPECT_EQ(dialogkit::findWindow("Application of transforms to layer..."), nullptr);
}

}  // namespace
