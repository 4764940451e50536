#pragma once

#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "aegp_suites.h"

namespace simhost {

// Handles the simulated host hands out are the ids of its objects; one id space for every kind,
// so a handle of the wrong kind is never mistaken for another object.
template <class Handle>
Handle toHandle(int id) {
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(id));
}
template <class Handle>
int fromHandle(Handle handle) {
    return static_cast<int>(reinterpret_cast<std::intptr_t>(handle));
}

struct Keyframe {
    A_Time time{0, 1};
    std::vector<double> value;
};

// An animatable property of a layer or an effect.
struct Stream {
    int id = 0;
    std::string name;
    int dimensions = 1;
    std::vector<Keyframe> keys;
};

struct Effect {
    int id = 0;
    int layer = 0;
    AEGP_InstalledEffectKey installedKey = 0;
    std::string name;
    std::vector<Stream> params;
};

struct Layer {
    int id = 0;
    int comp = 0;
    int source = 0;  // item id, 0 for a camera or light
    AEGP_ObjectType type = AEGP_ObjectType_AV;
    A_Time inPoint{0, 1};
    A_Time duration{0, 1};
    A_Time offset{0, 1};
    std::map<AEGP_LayerStream, Stream> streams;
    std::vector<int> effects;
};

struct Footage {
    std::vector<std::string> files;
    bool sequence = false;
    AEGP_FootageInterp interp{};
};

struct Comp {
    A_Ratio pixelAspect{1, 1};
    A_Time duration{0, 1};
    double fps = 30.0;
    std::vector<int> layers;  // top first
};

struct Item {
    int id = 0;
    AEGP_ItemType type = AEGP_ItemType_NONE;
    std::string name;
    int parent = 0;  // folder id, 0 for the root folder itself
    A_long width = 0;
    A_long height = 0;
    bool selected = false;
    Footage footage;  // for footage items
    Comp comp;        // for compositions
};

struct InstalledEffect {
    AEGP_InstalledEffectKey key = 0;
    std::string name;
};

struct UndoGroup {
    std::string name;
    bool open = true;
    bool undone = false;
};

AEGP_FootageInterp defaultFootageInterpretation();

// The one host project with everything in it, the installed effects and the undo log.
class HostModel {
public:
    HostModel();

    bool projectOpen() const { return projectId_ != 0; }
    int projectId() const { return projectId_; }
    // Opens a new empty project (closing one that is open).
    void newProject();
    void closeProject();
    int rootFolder() const { return rootFolder_; }

    int addFolder(const std::string& name, int parent);
    int addFootage(const std::string& name, const std::vector<std::string>& files, int parent);
    int addComp(const std::string& name, A_long width, A_long height, double fps, A_Time duration,
                int parent);
    // A layer at the top of the composition, lasting as long as the composition.
    int addLayer(int comp, int source, AEGP_ObjectType type);
    int addEffect(int layer, const InstalledEffect& effect);

    Item* item(int id);
    Layer* layer(int id);
    Effect* effect(int id);
    const std::map<int, Item>& items() const { return items_; }

    int activeItem = 0;
    int activeLayer = 0;
    // Footage made by AEGP_NewFootage and not yet added to the project, by handle id.
    std::map<int, Footage> newFootage;
    // The interpretation the host gives every new footage: 30 frames per second, square pixels,
    // the interlace and alpha labels of a progressive, premultiplied 24-bit file.
    AEGP_FootageInterp footageInterpretation = defaultFootageInterpretation();

    std::vector<InstalledEffect>& installedEffects() { return installedEffects_; }
    // Replaces the installed effects by these names, in this order, with fresh keys.
    void setInstalledEffects(const std::vector<std::string>& names);

    std::vector<UndoGroup>& undoGroups() { return undoGroups_; }
    int openUndoGroups() const;

    // One line per item, layer, effect, stream and keyframe, in a stable order.
    void dump(std::ostream& out) const;

    int nextId() { return ++lastId_; }

private:
    int lastId_ = 0;
    int projectId_ = 0;
    int rootFolder_ = 0;
    std::map<int, Item> items_;
    std::map<int, Layer> layers_;
    std::map<int, Effect> effects_;
    std::vector<InstalledEffect> installedEffects_;
    std::vector<UndoGroup> undoGroups_;
};

}  // namespace simhost
