#include "plugin/menu_state.h"

#include "plugin/command_table.h"

std::array<CommandState, kCommandCount> computeMenuState(const MenuView& view) {
    const PossibleActions& local = view.local;
    const PossibleActions& app = view.application;
    std::array<CommandState, kCommandCount> state{};

    state[ApplicationCommand].enabled = view.applicationRunning || view.applicationInstalled;
    state[ApplicationCommand].text = view.applicationRunning ? "Switch to Skelda" : "Launch Skelda";

    state[UnderlayCommand].enabled = local.underlay && app.underlay;

    // The application's still flag is not consulted: only the plug-in knows what the footage is.
    const bool overlay = local.overlay && app.overlay;
    state[OverlayCommand].enabled = overlay;
    state[OverlayCommand].text = !overlay             ? "Upload as Overlay to Skelda"
                                 : local.stillOverlay ? "Upload as Still Overlay to Skelda"
                                                      : "Upload as Live Overlay to Skelda";

    state[LoadTransformationsCommand].enabled = local.transformations && app.transformations;
    // Reading from a file needs no application.
    state[ReadTransformationsCommand].enabled = local.transformations;
    state[ImportProjectCommand].enabled = local.project && app.project;
    return state;
}
