#pragma once

// A message box of the system's own (not the host's report): with the host's main window as
// its owner on Windows, through the host's window services elsewhere, and on the terminal when
// the host gave no window. Returns when the user dismissed it; shows nothing when it cannot.

// The exclamation-mark icon.
constexpr unsigned kMessageBoxExclamation = 0x30;

void showMessageBox(void* mainWindow, const char* text, unsigned style);
