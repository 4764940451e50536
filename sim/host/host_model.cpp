#include "sim/host/host_model.h"

#include <algorithm>

namespace simhost {

namespace {

const char* itemTypeName(AEGP_ItemType type) {
    switch (type) {
        case AEGP_ItemType_FOLDER:
            return "folder";
        case AEGP_ItemType_COMP:
            return "comp";
        case AEGP_ItemType_SOLID:
            return "solid";
        case AEGP_ItemType_FOOTAGE:
            return "footage";
        default:
            return "none";
    }
}

const char* layerTypeName(AEGP_ObjectType type) {
    switch (type) {
        case AEGP_ObjectType_AV:
            return "av";
        case AEGP_ObjectType_LIGHT:
            return "light";
        case AEGP_ObjectType_CAMERA:
            return "camera";
        case AEGP_ObjectType_TEXT:
            return "text";
        default:
            return "other";
    }
}

std::ostream& operator<<(std::ostream& out, const A_Time& time) {
    return out << time.value << '/' << time.scale;
}

void dumpStream(std::ostream& out, int owner, const Stream& stream) {
    out << "stream id=" << stream.id << " owner=" << owner << " name=\"" << stream.name
        << "\" keys=" << stream.keys.size() << '\n';
    for (const Keyframe& key : stream.keys) {
        out << "key stream=" << stream.id << " time=" << key.time << " value=";
        for (std::size_t i = 0; i < key.value.size(); ++i) out << (i ? "," : "") << key.value[i];
        out << '\n';
    }
}

}  // namespace

AEGP_FootageInterp defaultFootageInterpretation() {
    AEGP_FootageInterp interp{};
    interp.il.signature = 0x4649454Cu;  // 'FIEL'
    interp.il.version = 1;
    interp.al.flags = AEGP_AlphaPremul;
    interp.loop.loops = 1;
    interp.pix_aspect_ratio = {1, 1};
    interp.native_fpsF = 30.0;
    interp.conform_fpsF = 30.0;
    interp.depthL = 24;
    return interp;
}

HostModel::HostModel() {
    setInstalledEffects({"Gaussian Blur", "Transform", "Corner Pin", "Levels"});
}

void HostModel::newProject() {
    closeProject();
    projectId_ = nextId();
    rootFolder_ = nextId();
    Item root;
    root.id = rootFolder_;
    root.type = AEGP_ItemType_FOLDER;
    root.name = "Root";
    items_[root.id] = root;
}

void HostModel::closeProject() {
    projectId_ = 0;
    rootFolder_ = 0;
    items_.clear();
    layers_.clear();
    effects_.clear();
    newFootage.clear();
    activeItem = 0;
    activeLayer = 0;
}

int HostModel::addFolder(const std::string& name, int parent) {
    Item folder;
    folder.id = nextId();
    folder.type = AEGP_ItemType_FOLDER;
    folder.name = name;
    folder.parent = parent;
    items_[folder.id] = folder;
    return folder.id;
}

int HostModel::addFootage(const std::string& name, const std::vector<std::string>& files, int parent) {
    Item footage;
    footage.id = nextId();
    footage.type = AEGP_ItemType_FOOTAGE;
    footage.name = name;
    footage.parent = parent;
    footage.width = 640;
    footage.height = 480;
    footage.footage.files = files;
    footage.footage.sequence = files.size() > 1;
    footage.footage.interp = footageInterpretation;
    items_[footage.id] = footage;
    return footage.id;
}

int HostModel::addComp(const std::string& name, A_long width, A_long height, double fps, A_Time duration,
                       int parent) {
    Item comp;
    comp.id = nextId();
    comp.type = AEGP_ItemType_COMP;
    comp.name = name;
    comp.parent = parent;
    comp.width = width;
    comp.height = height;
    comp.comp.fps = fps;
    comp.comp.duration = duration;
    items_[comp.id] = comp;
    return comp.id;
}

int HostModel::addLayer(int comp, int source, AEGP_ObjectType type) {
    Item* parent = item(comp);
    if (parent == nullptr || parent->type != AEGP_ItemType_COMP) return 0;
    Layer layer;
    layer.id = nextId();
    layer.comp = comp;
    layer.source = source;
    layer.type = type;
    layer.duration = parent->comp.duration;
    layer.inPoint = {0, parent->comp.duration.scale ? parent->comp.duration.scale : 1};
    layers_[layer.id] = layer;
    parent->comp.layers.insert(parent->comp.layers.begin(), layer.id);
    return layer.id;
}

int HostModel::addEffect(int layerId, const InstalledEffect& installed) {
    Layer* target = layer(layerId);
    if (target == nullptr) return 0;
    Effect effect;
    effect.id = nextId();
    effect.layer = layerId;
    effect.installedKey = installed.key;
    effect.name = installed.name;
    effects_[effect.id] = effect;
    target->effects.push_back(effect.id);
    return effect.id;
}

Item* HostModel::item(int id) {
    auto found = items_.find(id);
    return found == items_.end() ? nullptr : &found->second;
}

Layer* HostModel::layer(int id) {
    auto found = layers_.find(id);
    return found == layers_.end() ? nullptr : &found->second;
}

Effect* HostModel::effect(int id) {
    auto found = effects_.find(id);
    return found == effects_.end() ? nullptr : &found->second;
}

void HostModel::setInstalledEffects(const std::vector<std::string>& names) {
    installedEffects_.clear();
    // Keys that are not positions, so that code treating them as indexes shows up.
    AEGP_InstalledEffectKey key = 1000;
    for (const std::string& name : names) {
        key += 7;
        installedEffects_.push_back({key, name});
    }
}

int HostModel::openUndoGroups() const {
    return static_cast<int>(
        std::count_if(undoGroups_.begin(), undoGroups_.end(), [](const UndoGroup& g) { return g.open; }));
}

void HostModel::dump(std::ostream& out) const {
    if (!projectOpen()) {
        out << "project none\n";
        return;
    }
    out << "project id=" << projectId_ << " root=" << rootFolder_ << '\n';
    for (const auto& [id, item] : items_) {
        out << "item id=" << id << " type=" << itemTypeName(item.type) << " name=\"" << item.name << "\""
            << " parent=" << item.parent;
        if (item.type == AEGP_ItemType_FOOTAGE) {
            out << " files=" << item.footage.files.size();
            if (!item.footage.files.empty()) out << " first=\"" << item.footage.files.front() << "\"";
            const AEGP_FootageInterp& interp = item.footage.interp;
            out << " sequence=" << (item.footage.sequence ? 1 : 0) << " width=" << item.width
                << " height=" << item.height << " pixel=" << interp.pix_aspect_ratio.num << '/'
                << interp.pix_aspect_ratio.den << " fps=" << interp.native_fpsF;
        }
        if (item.type == AEGP_ItemType_COMP) {
            out << " width=" << item.width << " height=" << item.height << " fps=" << item.comp.fps
                << " duration=" << item.comp.duration << " pixel=" << item.comp.pixelAspect.num << '/'
                << item.comp.pixelAspect.den;
        }
        if (item.selected) out << " selected=1";
        out << '\n';
        if (item.type != AEGP_ItemType_COMP) continue;
        for (int layerId : item.comp.layers) {
            const Layer& layer = layers_.at(layerId);
            out << "layer id=" << layer.id << " comp=" << layer.comp << " source=" << layer.source
                << " type=" << layerTypeName(layer.type) << " in=" << layer.inPoint
                << " duration=" << layer.duration << " offset=" << layer.offset << '\n';
            for (const auto& [which, stream] : layer.streams) dumpStream(out, layer.id, stream);
            for (int effectId : layer.effects) {
                const Effect& effect = effects_.at(effectId);
                out << "effect id=" << effect.id << " layer=" << effect.layer << " name=\"" << effect.name
                    << "\"\n";
                for (const Stream& stream : effect.params) dumpStream(out, effect.id, stream);
            }
        }
    }
}

}  // namespace simhost
