// The launcher on Windows: the registry value, looked up once found, and the application's window.
#include <gtest/gtest.h>
#include <windows.h>

#include "link/launcher.h"
#include "tests/common/installation_sandbox.h"

namespace {

// Sets the value as the installer would, without the launcher forgetting what it found.
void setPath(DWORD type, const std::string& value) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvell\\Skelda", &key), ERROR_SUCCESS);
    ::RegSetValueExA(key, "Path", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                     static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(key);
}

TEST(Win32Launcher, OnlyAStringValueOfAtMost260BytesIsThePathAndItIsLookedUpOnce) {
    struct Case {
        DWORD type;
        std::string value;
        std::string path;
    } cases[] = {
        {REG_SZ, "C:\\Program Files\\Orvell\\Skelda\\Skelda.exe",
         "C:\\Program Files\\Orvell\\Skelda\\Skelda.exe"},
        {REG_EXPAND_SZ, "%ProgramFiles%\\Orvell\\Skelda\\Skelda.exe", ""},
        {REG_SZ, "C:\\" + std::string(256, 'x'), "C:\\" + std::string(256, 'x')},
        {REG_SZ, "C:\\" + std::string(257, 'x'), ""},
    };
    for (const Case& c : cases) {
        testkit::InstallationSandbox installation;
        setPath(c.type, c.value);
        EXPECT_EQ(applicationPath(), c.path) << c.value;
        EXPECT_EQ(isApplicationInstalled(), !c.path.empty());
        setPath(REG_SZ, "C:\\second.exe");
        EXPECT_EQ(applicationPath(), c.path.empty() ? "C:\\second.exe" : c.path) << c.value;
        detail::forgetApplicationPath();
        EXPECT_EQ(applicationPath(), "C:\\second.exe");
    }
}

TEST(Win32Launcher, FindsAndFrontsAWindowWhoseTitleEndsWithTheProductName) {
    const HWND window = ::CreateWindowExA(0, "STATIC", "clip.png - Skelda", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                          100, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    // Other programs of this desktop may show such a window too; whichever is first must match.
    const ApplicationWindow found = findApplicationWindow();
    ASSERT_NE(found, nullptr);
    char title[256];
    const int length = ::GetWindowTextA(static_cast<HWND>(found), title, sizeof title);
    EXPECT_TRUE(detail::titleNamesApplication(std::string(title, length))) << title;
    EXPECT_TRUE(isApplicationRunning());
    EXPECT_NO_THROW(switchToApplication());
    ::DestroyWindow(window);
}

}  // namespace
