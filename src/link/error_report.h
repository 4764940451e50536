#pragma once

#include <string>

// Where the plug-in's server thread reports its errors. The box is a seam: the plug-in puts
// the host's own message box in place at its entry; until then Windows shows a system message
// box with the exclamation icon and POSIX writes to the terminal.
using ErrorBoxFunction = void (*)(const std::string& text);

// Puts `show` in place (null: the default again); returns the former one.
ErrorBoxFunction setErrorBox(ErrorBoxFunction show);
// Shows `text` to the user and returns when the user has seen it.
void showErrorBox(const std::string& text);
// Writes `text` where a debugger sees it (nothing where there is no such place).
void writeDebugOutput(const std::string& text);

namespace detail {

// The platform's own box.
void showSystemErrorBox(const std::string& text);

}  // namespace detail
