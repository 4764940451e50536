#include "sim/host/animated_streams.h"

#include <algorithm>

#include "sim/host/host_time.h"

namespace simhost {

namespace {

const StreamShape kTransformEffect[] = {
    {"Anchor Point", 2}, {"Position", 2},  {"Uniform Scale", 1}, {"Scale Height", 1}, {"Scale Width", 1},
    {"Skew", 1},         {"Skew Axis", 1}, {"Rotation", 1},      {"Opacity", 1},
};

const StreamShape kCornerPin[] = {
    {"Upper Left", 2},
    {"Upper Right", 2},
    {"Lower Left", 2},
    {"Lower Right", 2},
};

struct Size {
    double width = 0;
    double height = 0;
};

Size sourceSize(HostModel& model, const Layer& layer) {
    const Item* source = model.item(layer.source);
    return source == nullptr ? Size{} : Size{double(source->width), double(source->height)};
}

Size compSize(HostModel& model, const Layer& layer) {
    const Item* comp = model.item(layer.comp);
    return comp == nullptr ? Size{} : Size{double(comp->width), double(comp->height)};
}

}  // namespace

StreamShape layerStreamShape(AEGP_LayerStream which) {
    switch (which) {
        case AEGP_LayerStream_ANCHORPOINT:
            return {"Anchor Point", 2};
        case AEGP_LayerStream_POSITION:
            return {"Position", 2};
        case AEGP_LayerStream_SCALE:
            return {"Scale", 2};
        case AEGP_LayerStream_ROTATION:
            return {"Rotation", 1};
        case AEGP_LayerStream_OPACITY:
            return {"Opacity", 1};
        default:
            return {};
    }
}

std::vector<StreamShape> effectParameterShapes(const std::string& effectName) {
    if (effectName == "Transform") return {std::begin(kTransformEffect), std::end(kTransformEffect)};
    if (effectName == "Corner Pin") return {std::begin(kCornerPin), std::end(kCornerPin)};
    return {};
}

Stream* streamOf(HostModel& model, const StreamTarget& target, bool create) {
    Layer* layer = model.layer(target.layer);
    if (layer == nullptr) return nullptr;
    if (target.effect != 0) {
        Effect* effect = model.effect(target.effect);
        if (effect == nullptr || effect->layer != target.layer || target.index < 1 ||
            target.index > static_cast<int>(effect->params.size()))
            return nullptr;
        return &effect->params[static_cast<std::size_t>(target.index - 1)];
    }
    const AEGP_LayerStream which = target.index;
    auto found = layer->streams.find(which);
    if (found != layer->streams.end()) return &found->second;
    const StreamShape shape = layerStreamShape(which);
    if (!create || shape.name == nullptr) return nullptr;
    Stream& stream = layer->streams[which];
    stream.id = model.nextId();
    stream.name = shape.name;
    stream.dimensions = shape.dimensions;
    return &stream;
}

std::vector<double> defaultValue(HostModel& model, const StreamTarget& target) {
    const Layer* layer = model.layer(target.layer);
    if (layer == nullptr) return {};
    const Size source = sourceSize(model, *layer);
    if (target.effect == 0) {
        switch (target.index) {
            case AEGP_LayerStream_ANCHORPOINT:
                return {source.width / 2, source.height / 2};
            case AEGP_LayerStream_POSITION: {
                const Size comp = compSize(model, *layer);
                return {comp.width / 2, comp.height / 2};
            }
            case AEGP_LayerStream_SCALE:
                return {100, 100};
            case AEGP_LayerStream_OPACITY:
                return {100};
            default:
                return {0};
        }
    }
    const Effect* effect = model.effect(target.effect);
    if (effect == nullptr) return {};
    if (effect->name == "Transform") {
        switch (target.index) {
            case transform_effect::AnchorPoint:
            case transform_effect::Position:
                return {source.width / 2, source.height / 2};
            case transform_effect::UniformScale:
                return {1};
            case transform_effect::ScaleHeight:
            case transform_effect::ScaleWidth:
            case transform_effect::Opacity:
                return {100};
            default:
                return {0};
        }
    }
    if (effect->name == "Corner Pin") {
        const bool right = target.index == corner_pin::UpperRight || target.index == corner_pin::LowerRight;
        const bool lower = target.index == corner_pin::LowerLeft || target.index == corner_pin::LowerRight;
        return {right ? source.width : 0, lower ? source.height : 0};
    }
    return {0};
}

std::vector<double> valueAt(const Stream& stream, const std::vector<double>& fallback, A_Time layerTime) {
    const std::vector<Keyframe>& keys = stream.keys;
    if (keys.empty()) return fallback;
    auto after = std::upper_bound(keys.begin(), keys.end(), layerTime, [](A_Time time, const Keyframe& key) {
        return compareTimes(time, key.time) < 0;
    });
    if (after == keys.begin()) return keys.front().value;
    const Keyframe& before = *(after - 1);
    if (after == keys.end() || compareTimes(before.time, layerTime) == 0) return before.value;
    const double t0 = timeSeconds(before.time);
    const double span = timeSeconds(after->time) - t0;
    const double f = span > 0 ? (timeSeconds(layerTime) - t0) / span : 0;
    std::vector<double> value(before.value.size());
    for (std::size_t i = 0; i < value.size() && i < after->value.size(); ++i)
        value[i] = before.value[i] + (after->value[i] - before.value[i]) * f;
    return value;
}

std::vector<double> valueAt(HostModel& model, const StreamTarget& target, A_Time layerTime) {
    const std::vector<double> fallback = defaultValue(model, target);
    const Stream* stream = streamOf(model, target, false);
    return stream == nullptr ? fallback : valueAt(*stream, fallback, layerTime);
}

int insertKeyframe(Stream& stream, A_Time layerTime, const std::vector<double>& valueThere) {
    std::vector<Keyframe>& keys = stream.keys;
    auto at = std::lower_bound(keys.begin(), keys.end(), layerTime, [](const Keyframe& key, A_Time time) {
        return compareTimes(key.time, time) < 0;
    });
    if (at == keys.end() || compareTimes(at->time, layerTime) != 0) {
        Keyframe key;
        key.time = layerTime;
        key.value = valueThere;
        at = keys.insert(at, key);
    }
    return static_cast<int>(at - keys.begin());
}

}  // namespace simhost
