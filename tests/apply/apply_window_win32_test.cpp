// The progress dialog of an apply over a real host window.
#include <gtest/gtest.h>
#include <windows.h>

#include "apply/apply_transformations.h"
#include "host/ae_exception.h"
#include "tests/apply/apply_fixture.h"
#include "tests/common/unmanaged_windows.h"

namespace {

// Before any window of the program exists.
const bool kUnmanaged = (testkit::useUnmanagedWindows(), true);

BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Top-level windows this thread still owns.
int threadWindows() {
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(ApplyTest, HostWindowIsEnabledAgainAndNoDialogRemains) {
    const HWND main = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640, 480,
                                      nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(main, nullptr);
    host.setMainWindow(main);
    const int before = threadWindows();
    const Transformations record = makeRecord(0, 30, {0.01, 0, 0, 1.5, 0.3}, 0.5f, ExportModel::Rigid);
    EXPECT_TRUE(applyTransformations(record));
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(threadWindows(), before);
    // A failure while writing leaves the same (on a bare layer, so that nothing is asked first).
    host.model().layer(layer)->streams.clear();
    host.faults().fail("AEGP_AddKeyframes", 3, -9);
    EXPECT_THROW(applyTransformations(record), AE_Exception);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(threadWindows(), before);
    DestroyWindow(main);
}

}  // namespace
