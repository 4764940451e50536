#include "plugin/command_actions.h"

#include "apply/apply_transformations.h"
#include "host/host_context.h"
#include "link/launcher.h"
#include "link/requests.h"
#include "project/project_document.h"
#include "ui/transformations_source_dialog.h"

namespace {

void launchOrSwitch() {
    if (isApplicationRunning())
        switchToApplication();
    else
        launchApplication();
}

}  // namespace

void ReadTransformationsFromFile() {
    TransformationsSourceDialog& dialog = transformationsSourceDialog();
    if (dialog.run(hostContext().mainWindow) != TransformationsSourceDialog::kApplied) return;
    const Project project = loadProjectFile(dialog.path());
    // Without an audio/video layer active nothing is written, as the menu promised.
    applyTransformations(project, nullptr, ApplyOptions{true});
}

void runCommand(CommandIndex command) {
    switch (command) {
        case ApplicationCommand:
            launchOrSwitch();
            return;
        case UnderlayCommand:
            uploadUnderlay();
            return;
        case OverlayCommand:
            uploadOverlay();
            return;
        case LoadTransformationsCommand:
            requestTransformations();
            return;
        case ReadTransformationsCommand:
            ReadTransformationsFromFile();
            return;
        case ImportProjectCommand:
            requestProject();
            return;
    }
}
