#include "message/possible_actions.h"

void serializePossibleActions(const XmlArchive& archive, PossibleActions& actions) {
    archive.attribute("Underlay", actions.underlay, false)
        .attribute("Overlay", actions.overlay, false)
        .attribute("StillOverlay", actions.stillOverlay, false)
        .attribute("Transformations", actions.transformations, false)
        .attribute("Project", actions.project, false);
}
