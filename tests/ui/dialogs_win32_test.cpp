// The two dialogs driven as a user would.
#include <windows.h>
// After windows.h.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "tests/common/test_dirs.h"
#include "tests/common/test_files.h"
#include "tests/common/unmanaged_windows.h"
#include "tests/ui/dialog_user_win32.h"
#include "ui/apply_progress_dialog.h"
#include "ui/dialog_ids.h"
#include "ui/transformations_source_dialog.h"

namespace {

using namespace std::chrono_literals;

// Before any window of the program exists.
const bool kUnmanaged = (testkit::useUnmanagedWindows(), true);

using dialogkit::findWindow;
using dialogkit::User;
using dialogkit::waitForWindow;

std::string itemText(HWND dialog, int id) {
    char text[1024] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class SourceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        file = dir.file("shot.skp");
        testkit::writeFile(file, "<Message/>");
    }
    bool applyEnabled(HWND dialog) const {
        return IsWindowEnabled(GetDlgItem(dialog, IDC_SOURCE_APPLY)) != 0;
    }
    void type(HWND dialog, const std::string& text) const {
        SetWindowTextA(GetDlgItem(dialog, IDC_SOURCE_PATH), text.c_str());
    }

    testkit::TempDir dir;
    std::string file;
    TransformationsSourceDialog dialog;
};

// Apply is enabled exactly for an existing file; shown again, the dialog offers the accepted path,
// and Enter accepts what is typed without the check.
TEST_F(SourceDialogTest, ApplyIsEnabledExactlyForAnExistingFileAndEnterAcceptsWithoutTheCheck) {
    // What the user saw: the path offered, then Apply's state after each text typed. Read once the
    // user's thread has ended.
    std::string seen;
    const auto apply = [&](HWND window) { return applyEnabled(window) ? " on" : " off"; };
    {
        User user([&] {
            const HWND window = waitForWindow("Skelda");
            if (window == nullptr) return;
            seen = "[" + itemText(window, IDC_SOURCE_PATH) + "]" + apply(window);
            for (const std::string& text : {file, dir.path(), dir.file("missing.skp"), file}) {
                type(window, text);
                seen += apply(window);
            }
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_APPLY, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_SOURCE_APPLY)));
        });
        EXPECT_EQ(dialog.run(nullptr), TransformationsSourceDialog::kApplied);
    }
    EXPECT_EQ(seen, "[] off on off off on");
    EXPECT_EQ(dialog.path(), file);
    {
        User user([&] {
            const HWND window = waitForWindow("Skelda");
            if (window == nullptr) return;
            seen = "[" + itemText(window, IDC_SOURCE_PATH) + "]" + apply(window);
            type(window, dir.file("missing.skp"));
            PostMessageA(GetDlgItem(window, IDC_SOURCE_PATH), WM_KEYDOWN, VK_RETURN, 0);
        });
        EXPECT_EQ(dialog.run(nullptr), TransformationsSourceDialog::kApplied);
    }
    EXPECT_EQ(seen, "[" + file + "] on");
    EXPECT_EQ(dialog.path(), dir.file("missing.skp"));
}

TEST_F(SourceDialogTest, EscapeAndTheCloseBoxCancelAndEveryShowingKeepsTheFont) {
    LRESULT fonts[2] = {};
    for (int way = 0; way < 2; ++way) {
        User user([&] {
            const HWND window = waitForWindow("Skelda");
            if (window == nullptr) return;
            fonts[way] = SendMessageA(GetDlgItem(window, IDC_SOURCE_PATH), WM_GETFONT, 0, 0);
            if (way == 0)
                PostMessageA(GetDlgItem(window, IDC_SOURCE_PATH), WM_KEYDOWN, VK_ESCAPE, 0);
            else
                PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        });
        EXPECT_EQ(dialog.run(nullptr), TransformationsSourceDialog::kCancelled) << way;
    }
    EXPECT_NE(fonts[0], 0);
    EXPECT_EQ(fonts[0], fonts[1]);
}

// Browse disables the dialog while the open-file dialog is up; cancelling it changes nothing,
// choosing a file fills the edit and enables Apply.
TEST_F(SourceDialogTest, BrowseFillsTheEditWithTheChosenFileAndDisablesTheDialogMeanwhile) {
    dialog.setPath(file);
    const std::string other = dir.file("other.skp");
    testkit::writeFile(other, "<Message/>");
    bool disabledWhileOpen = false, reenabled = true, enabled = false;  // read once the user is done
    std::string afterCancel, afterChoice;
    {
        User user([&] {
            const HWND window = waitForWindow("Skelda");
            if (window == nullptr) return;
            // Opens the open-file dialog, answers it (a file name, or cancel) and reads the edit.
            const auto browse = [&](const std::string* choice, std::string& after) {
                PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_SOURCE_BROWSE, BN_CLICKED),
                             reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_SOURCE_BROWSE)));
                const HWND open = waitForWindow("Open", window);
                if (open == nullptr) return;
                if (choice == nullptr) {
                    disabledWhileOpen = !IsWindowEnabled(window);
                    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
                } else {
                    // The file name box of the open-file dialog.
                    SetDlgItemTextA(open, 0x47c, choice->c_str());
                    PostMessageA(open, WM_COMMAND, IDOK, 0);
                }
                if (!testkit::waitFor(
                        [&] { return IsWindowEnabled(window) && findWindow("Open") == nullptr; }))
                    reenabled = false;
                after = itemText(window, IDC_SOURCE_PATH);
            };
            browse(nullptr, afterCancel);
            browse(&other, afterChoice);
            enabled = applyEnabled(window);
            PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(dialog.run(nullptr), TransformationsSourceDialog::kCancelled);
    }
    EXPECT_TRUE(disabledWhileOpen);
    EXPECT_TRUE(reenabled);
    EXPECT_EQ(afterCancel, file);
    EXPECT_EQ(afterChoice, other);
    EXPECT_TRUE(enabled);
}

// A top-level window standing in for the host's main window.
class HostWindow {
public:
    HostWindow() {
        window_ = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 800, 600,
                                  nullptr, nullptr, nullptr, nullptr);
    }
    ~HostWindow() { DestroyWindow(window_); }
    HWND handle() const { return window_; }

private:
    HWND window_;
};

// Steps are shown at the redraw pace; Cancel is seen at the next step all the same, and the text
// then names that step.
TEST(ProgressDialog, IsCancelledAtTheStepCancelWasPressedAndShowsIt) {
    HostWindow host;
    ASSERT_NE(host.handle(), nullptr);
    std::atomic<int> pressAt{0};
    std::atomic<bool> pressed{false};
    ApplyProgressDialog dialog(host.handle(), 40);
    const HWND window = findWindow("Application of transforms to layer...");
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowEnabled(host.handle()));
    EXPECT_TRUE(IsWindowEnabled(window));
    EXPECT_EQ(itemText(window, IDC_PROGRESS_TEXT), "0 / 40");
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETRANGE, FALSE, 0), 40);
    // Centred over the host's window.
    RECT outer{}, inner{};
    GetWindowRect(host.handle(), &outer);
    GetWindowRect(window, &inner);
    EXPECT_NEAR((inner.left + inner.right) / 2, (outer.left + outer.right) / 2, 1);
    EXPECT_NEAR((inner.top + inner.bottom) / 2, (outer.top + outer.bottom) / 2, 1);
    int step = 1;
    bool cancelled = false;
    {
        User user([&] {
            if (!testkit::waitFor([&] { return pressAt.load() != 0; })) return;
            PostMessageA(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
            pressed = true;
        });
        for (; step <= 40; ++step) {
            if (step == 17) {
                // The user presses Cancel while step 17 is being written.
                pressAt = step;
                ASSERT_TRUE(testkit::waitFor([&] { return pressed.load(); }));
            }
            if ((cancelled = dialog.advance(step))) break;
            EXPECT_EQ(itemText(window, IDC_PROGRESS_TEXT), dialog.text());
            EXPECT_LE(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), step);
        }
    }
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(step, 17);
    EXPECT_EQ(itemText(window, IDC_PROGRESS_TEXT), "17 / 40");
    EXPECT_EQ(SendDlgItemMessageA(window, IDC_PROGRESS_BAR, PBM_GETPOS, 0, 0), 17);
    EXPECT_FALSE(IsWindowVisible(window));
    {
        // The interruption message waits for the user.
        std::string message;
        User user([&] {
            const HWND box = waitForWindow("Skelda");
            if (box == nullptr) return;
            message = itemText(box, 0xFFFF);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        dialog.showInterruption();
        EXPECT_EQ(message.find("Application of transforms to layer interrupted by user."), 0u) << message;
    }
    dialog.close();
    EXPECT_TRUE(IsWindowEnabled(host.handle()));
    EXPECT_FALSE(IsWindow(window));
}

}  // namespace
