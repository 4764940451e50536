#include "plugin/command_actions.h"

#include <stdexcept>

#include "link/launcher.h"

namespace {

void LaunchOrSwitch() {
    if (isApplicationRunning())
        switchToApplication();
    else
        launchApplication();
}

[[noreturn]] void NotAvailable(const char* what) {
    throw std::runtime_error(std::string(what) + " is not available in this version");
}

}  // namespace

void RunCommand(CommandIndex command) {
    switch (command) {
        case ApplicationCommand:
            LaunchOrSwitch();
            return;
        case UnderlayCommand:
        case OverlayCommand:
            NotAvailable("uploading footage");
        case LoadTransformationsCommand:
            NotAvailable("loading transformations");
        case ReadTransformationsCommand:
            NotAvailable("reading transformations");
        case ImportProjectCommand:
            NotAvailable("importing projects");
    }
}
