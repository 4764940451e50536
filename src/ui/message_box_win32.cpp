#include <windows.h>

#include "ui/message_box.h"

void showMessageBox(void* mainWindow, const char* text, unsigned style) {
    MessageBoxA(static_cast<HWND>(mainWindow), text, "Skelda", style);
}
