// The launcher on Windows: the registry value, its caching, and the application's window.
#include <gtest/gtest.h>
#include <windows.h>

#include "common/program_path.h"
#include "common/test_dirs.h"
#include "common/test_platform.h"
#include "link/launcher.h"
#include "link/pipe.h"

namespace {

// Sends HKEY_LOCAL_MACHINE to a private key of this test for the life of the object.
class RegistrySandbox {
public:
    RegistrySandbox() : name_("Software\\SkeldaTest-" + std::to_string(testkit::processId())) {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
        ::RegCreateKeyA(HKEY_CURRENT_USER, name_.c_str(), &root_);
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, root_);
        detail::forgetApplicationPath();
    }
    ~RegistrySandbox() {
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        ::RegCloseKey(root_);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
        detail::forgetApplicationPath();
    }
    void setPath(DWORD type, const std::string& value) {
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Orvell\\Skelda", &key), ERROR_SUCCESS);
        ::RegSetValueExA(key, "Path", 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>(value.size() + 1));
        ::RegCloseKey(key);
    }

private:
    std::string name_;
    HKEY root_ = nullptr;
};

TEST(Win32Launcher, OnlyAStringValueOfAtMost260BytesIsThePath) {
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
        RegistrySandbox registry;
        registry.setPath(c.type, c.value);
        EXPECT_EQ(applicationPath(), c.path) << c.value;
        EXPECT_EQ(isApplicationInstalled(), !c.path.empty());
    }
}

TEST(Win32Launcher, PathIsLookedUpOnceFound) {
    RegistrySandbox registry;
    EXPECT_EQ(applicationPath(), "");
    registry.setPath(REG_SZ, "C:\\first.exe");
    EXPECT_EQ(applicationPath(), "C:\\first.exe");
    registry.setPath(REG_SZ, "C:\\second.exe");
    EXPECT_EQ(applicationPath(), "C:\\first.exe");
    detail::forgetApplicationPath();
    EXPECT_EQ(applicationPath(), "C:\\second.exe");
}

TEST(Win32Launcher, LaunchingWhatIsNotInstalledFails) {
    RegistrySandbox registry;
    try {
        launchApplication();
        FAIL() << "launched nothing";
    } catch (const std::exception& e) {
        EXPECT_NE(std::string(e.what()).find("\nas a result of CreateProcess(AE)"), std::string::npos)
            << e.what();
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

// Started from a path with blanks, the application itself runs, not a program named by the
// path's first words: unquoted, "...\my app\skelda-app.exe" would start "...\my.exe".
TEST(Win32Launcher, LaunchesFromAPathWithBlanksAndNothingElse) {
    testkit::PipeSandbox sandbox;
    RegistrySandbox registry;
    testkit::TempDir programs;
    const std::string source = testkit::programPath("skelda-app");
    ASSERT_TRUE(::CreateDirectoryA(programs.file("my app").c_str(), nullptr));
    const std::string program = programs.file("my app\\skelda-app.exe");
    ASSERT_TRUE(::CopyFileA(source.c_str(), program.c_str(), TRUE));
    // The decoy would start with the rest of the path as its argument and serve nothing.
    ASSERT_TRUE(::CopyFileA(source.c_str(), programs.file("my.exe").c_str(), TRUE));
    registry.setPath(REG_SZ, program);
    const ClientPipe application(kApplicationPipeName);
    ASSERT_FALSE(application.isAvailable());
    launchApplication();
    ASSERT_TRUE(testkit::waitFor([&] { return application.isAvailable(); }, std::chrono::seconds(30)));
    EXPECT_TRUE(testkit::waitFor([] { return isApplicationRunning(); }));
    writeMessage(*openClientStream(kApplicationPipeName), "");
    EXPECT_TRUE(testkit::waitFor([&] { return !application.isAvailable(); }, std::chrono::seconds(30)));
}

}  // namespace
