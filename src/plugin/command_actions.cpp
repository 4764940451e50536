#include "plugin/command_actions.h"

#include <stdexcept>

#include "host/active_footage.h"
#include "link/launcher.h"
#include "link/requests.h"

namespace {

void LaunchOrSwitch() {
    if (isApplicationRunning())
        switchToApplication();
    else
        launchApplication();
}

// The menu offers uploads only with footage, but the user's selection may change before the
// command runs: an upload without footage would send an empty description.
void RequireActiveFootage() {
    AEGP_ItemH footage = nullptr;
    if (FindActiveFootage(footage) != kFootageFound) throw std::runtime_error("there is no active footage");
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
            RequireActiveFootage();
            uploadUnderlay();
            return;
        case OverlayCommand:
            RequireActiveFootage();
            uploadOverlay();
            return;
        case LoadTransformationsCommand:
            requestTransformations();
            return;
        case ReadTransformationsCommand:
            NotAvailable("reading transformations");
        case ImportProjectCommand:
            requestProject();
            return;
    }
}
