// layer-time, keys, effects.
#include <cmath>
#include <iomanip>
#include <sstream>

#include "sim/host/host_time.h"
#include "sim/host/object_handles.h"
#include "sim/host/script_words.h"

namespace simhost {

namespace {

Layer& layerOf(ScriptContext& context, const std::string& text) {
    Layer* found = context.host.model().layer(scriptInt(text, "LAYER"));
    if (found == nullptr) throw ScriptError("no layer " + text);
    return *found;
}

// layer-time LAYER OFFSET IN DURATION: the layer's time 0 lies at composition time OFFSET, and
// it shows from layer time IN for DURATION, as the user slides and trims it.
void layerTime(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 4, 4, "layer-time LAYER OFFSET IN DURATION");
    const A_Time offset = scriptTime(args[1]);
    const A_Time in = scriptTime(args[2]);
    const A_Time duration = scriptTime(args[3]);
    if (duration.value < 0) throw ScriptError("a duration cannot be negative: " + args[3]);
    auto guard = context.host.lock();
    Layer& layer = layerOf(context, args[0]);
    layer.offset = reducedTime(offset.value, offset.scale);
    layer.inPoint = reducedTime(in.value, in.scale);
    layer.duration = reducedTime(duration.value, duration.scale);
}

void listKeys(std::ostream& out, int layer, const std::string& name, const Stream& stream, A_Time offset,
              double fps) {
    for (const Keyframe& key : stream.keys) {
        const double frame = timeSeconds(addTimes(key.time, offset)) * fps;
        out << "key layer=" << layer << " stream=\"" << name << "\" frame=" << frame << " value=";
        for (std::size_t i = 0; i < key.value.size(); ++i) out << (i ? "," : "") << key.value[i];
        out << '\n';
    }
}

// keys LAYER: every keyframe of the layer's properties and of its effects' parameters, at its
// composition frame.
void keys(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "keys LAYER");
    auto guard = context.host.lock();
    HostModel& model = context.host.model();
    const Layer& layer = layerOf(context, args[0]);
    const Item* comp = model.item(layer.comp);
    const double fps = comp != nullptr ? comp->comp.fps : 30.0;
    std::ostringstream lines;
    lines << std::setprecision(10);
    for (const auto& [which, stream] : layer.streams)
        listKeys(lines, layer.id, stream.name, stream, layer.offset, fps);
    for (int effectId : layer.effects) {
        const Effect* effect = model.effect(effectId);
        for (const Stream& stream : effect->params)
            listKeys(lines, layer.id, effect->name + "/" + stream.name, stream, layer.offset, fps);
    }
    context.out << lines.str();
}

// effects LAYER: the layer's effects in their order, with how many keyframes each holds.
void effects(ScriptContext& context, const std::vector<std::string>& args) {
    expectArgs(args, 1, 1, "effects LAYER");
    auto guard = context.host.lock();
    const Layer& layer = layerOf(context, args[0]);
    int index = 0;
    for (int effectId : layer.effects) {
        const Effect* effect = context.host.model().effect(effectId);
        std::size_t keyCount = 0;
        for (const Stream& stream : effect->params) keyCount += stream.keys.size();
        context.out << "effect layer=" << layer.id << " index=" << index++ << " id=" << effect->id
                    << " name=\"" << effect->name << "\" keys=" << keyCount << '\n';
    }
}

}  // namespace

void addLayerWords(WordTable& words) {
    words.add("layer-time", layerTime);
    words.add("keys", keys);
    words.add("effects", effects);
}

}  // namespace simhost
