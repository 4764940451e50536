#include <iostream>

#include "aegp_window_services.h"
#include "ui/message_box.h"
#include "ui/terminal_dialogs.h"

void showMessageBox(void* mainWindow, const char* text, unsigned style) {
    const auto* services = static_cast<const AEGP_WindowServices1*>(mainWindow);
    if (services == nullptr || services->version < AEGP_WINDOW_SERVICES_VERSION1) {
        showMessageOnTerminal(std::cerr, "Skelda", text);
        return;
    }
    // Nobody to tell when the host cannot show it either.
    services->AEGP_ShowMessage("Skelda", text, static_cast<A_long>(style));
}
