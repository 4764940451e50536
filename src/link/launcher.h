#pragma once

#include <string>

// Finding, starting and fronting the Skelda application.

// The application's main window, or null. Where there is no window system to ask, a non-null
// token while the application serves its pipe.
using ApplicationWindow = void*;

// The installed application's executable, looked up once: empty while it is not installed.
// Windows: value "Path" (REG_SZ) of HKLM\SOFTWARE\Orvell\Skelda. POSIX: the first line of
// $XDG_CONFIG_HOME/Orvell/Skelda/Path (default ~/.config).
std::string applicationPath();
bool isApplicationInstalled();
// Starts the executable with its path as the program name, quoted where a command line is
// built, so that a path with blanks can never start another program. Raises "CreateProcess(AE)".
void launchApplication();
// The first top-level window whose title ends with the product name. Raises "EnumWindows".
ApplicationWindow findApplicationWindow();
bool isApplicationRunning();
// Brings the application's window to the front; nothing when there is none. Raises "BringWindowToTop".
void switchToApplication();

namespace detail {

// The title rule: the title ends with the product name, compared exactly.
bool titleNamesApplication(const std::string& title);
// Forgets the looked-up path, as loading the module afresh does.
void forgetApplicationPath();
// The installation record's path, read afresh: empty while the application is not installed.
std::string readApplicationPath();

}  // namespace detail
