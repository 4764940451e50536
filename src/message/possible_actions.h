#pragma once

#include "message/xml_archive.h"

// What one side can do now; the flags travel as attributes "Underlay", "Overlay", "StillOverlay",
// "Transformations" and "Project" (written as 1 only when set) of a PossibleActions message's root.
struct PossibleActions {
    bool underlay = false;
    bool overlay = false;
    bool stillOverlay = false;
    bool transformations = false;
    bool project = false;

    void clearAll() { *this = PossibleActions(); }
};

// Reads or writes the five flags on the archive's element. Reading never fails: an absent flag, or one
// whose text is not 0 or 1, is false.
void serializePossibleActions(const XmlArchive& archive, PossibleActions& actions);
