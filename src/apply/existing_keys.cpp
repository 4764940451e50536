#include "apply/existing_keys.h"

#include <cstring>

#include "host/check_host.h"
#include "host/host_context.h"
#include "host/installed_effect.h"

namespace {

// A stream reference given back on every way out; a refusal is reported on the normal path.
class OwnedStream {
public:
    OwnedStream(const AEGP_StreamSuite1& streams, AEGP_StreamRefH stream)
        : streams_(streams), stream_(stream) {}
    ~OwnedStream() {
        if (stream_ != nullptr) streams_.AEGP_DisposeStream(stream_);
    }
    OwnedStream(const OwnedStream&) = delete;
    OwnedStream& operator=(const OwnedStream&) = delete;

    AEGP_StreamRefH get() const { return stream_; }
    void dispose() {
        const AEGP_StreamRefH stream = stream_;
        stream_ = nullptr;
        CheckHost(streams_.AEGP_DisposeStream(stream), "disposing stream");
    }

private:
    const AEGP_StreamSuite1& streams_;
    AEGP_StreamRefH stream_;
};

class OwnedEffect {
public:
    OwnedEffect(const AEGP_EffectSuite1& effects, AEGP_EffectRefH effect)
        : effects_(effects), effect_(effect) {}
    ~OwnedEffect() {
        if (effect_ != nullptr) effects_.AEGP_DisposeEffect(effect_);
    }
    OwnedEffect(const OwnedEffect&) = delete;
    OwnedEffect& operator=(const OwnedEffect&) = delete;

    AEGP_EffectRefH get() const { return effect_; }
    AEGP_EffectRefH release() {
        const AEGP_EffectRefH effect = effect_;
        effect_ = nullptr;
        return effect;
    }
    void dispose() {
        const AEGP_EffectRefH effect = release();
        CheckHost(effects_.AEGP_DisposeEffect(effect), "disposing effect");
    }

private:
    const AEGP_EffectSuite1& effects_;
    AEGP_EffectRefH effect_;
};

// Whether a composition time lies in the frames [first, end): first ≤ t · rate < end, compared
// on whole products (exact for every time and frame a layer can have).
bool within(A_Time time, const KeyRange& range) {
    const long double position = static_cast<long double>(time.value) * range.rate.num;
    const long double unit = static_cast<long double>(time.scale) * range.rate.den;
    return position >= range.first * unit && position < range.end * unit;
}

// The indices of the stream's keyframes in the range, in increasing order.
std::vector<AEGP_KeyframeIndex> keysWithin(const KeyRange& range, AEGP_StreamRefH stream) {
    A_long count = 0;
    CheckHost(range.keyframes.count(stream, &count), "getting number of keyframes");
    std::vector<AEGP_KeyframeIndex> found;
    for (A_long index = 0; index < count; ++index) {
        A_Time time{0, 1};
        CheckHost(range.keyframes.time(stream, index, AEGP_LTimeMode_CompTime, &time),
                  "getting keyframe time");
        if (time.scale != 0 && within(time, range)) found.push_back(index);
    }
    return found;
}

// Later keys first, so that the indices of the earlier ones stay valid.
void deleteKeys(const KeyRange& range, AEGP_StreamRefH stream) {
    const std::vector<AEGP_KeyframeIndex> found = keysWithin(range, stream);
    for (auto it = found.rbegin(); it != found.rend(); ++it)
        CheckHost(range.keyframes.remove(stream, *it), "deleting keyframe");
}

OwnedStream layerStream(const KeyRange& range, LayerStream which) {
    AEGP_StreamRefH stream = nullptr;
    CheckHost(range.streams.AEGP_GetNewLayerStream(hostContext().pluginId, range.layer,
                                                   static_cast<AEGP_LayerStream>(which), &stream),
              "getting new layer's stream");
    return OwnedStream(range.streams, stream);
}

OwnedStream effectStream(const KeyRange& range, AEGP_EffectRefH effect, std::int32_t parameter) {
    AEGP_StreamRefH stream = nullptr;
    CheckHost(
        range.streams.AEGP_GetNewEffectStreamByIndex(hostContext().pluginId, effect, parameter, &stream),
        "getting new effect's stream by index");
    return OwnedStream(range.streams, stream);
}

OwnedEffect layerEffect(const KeyRange& range, A_long index) {
    AEGP_EffectRefH effect = nullptr;
    CheckHost(range.effects.AEGP_GetLayerEffectByIndex(hostContext().pluginId, range.layer, index, &effect),
              "getting layer's effect");
    return OwnedEffect(range.effects, effect);
}

}  // namespace

ExistingKeys findExistingKeys(const KeyRange& range, const ModelTargets& targets) {
    ExistingKeys existing;
    for (const LayerStream which : targets.layerStreams) {
        OwnedStream stream = layerStream(range, which);
        const bool found = !keysWithin(range, stream.get()).empty();
        stream.dispose();
        if (found) existing.layerStreams.push_back(which);
    }
    if (targets.effect == nullptr) return existing;
    A_long count = 0;
    CheckHost(range.effects.AEGP_GetLayerNumEffects(range.layer, &count),
              "getting number of layer's effects");
    if (count < 1) return existing;
    const AEGP_InstalledEffectKey wanted = FindInstalledEffect(range.effects, targets.effect);
    OwnedEffect last = layerEffect(range, count - 1);
    AEGP_InstalledEffectKey key = 0;
    CheckHost(range.effects.AEGP_GetInstalledKeyFromLayerEffect(last.get(), &key),
              "getting effect's installed key");
    if (wanted != 0 && key == wanted) {
        existing.effectIndex = count - 1;
        for (const std::int32_t parameter : targets.effectParameters) {
            OwnedStream stream = effectStream(range, last.get(), parameter);
            if (!keysWithin(range, stream.get()).empty()) existing.effectKeys = true;
            stream.dispose();
        }
    }
    last.dispose();
    return existing;
}

AEGP_EffectRefH deleteExistingKeys(const KeyRange& range, const ModelTargets& targets,
                                   const ExistingKeys& existing) {
    for (const LayerStream which : existing.layerStreams) {
        OwnedStream stream = layerStream(range, which);
        deleteKeys(range, stream.get());
        stream.dispose();
    }
    if (existing.effectIndex < 0) return nullptr;
    OwnedEffect effect = layerEffect(range, existing.effectIndex);
    for (const std::int32_t parameter : targets.effectParameters) {
        OwnedStream stream = effectStream(range, effect.get(), parameter);
        deleteKeys(range, stream.get());
        stream.dispose();
    }
    return effect.release();
}

std::vector<std::string> existingKeyNames(const ModelTargets& targets, const ExistingKeys& existing) {
    std::vector<std::string> names;
    for (const LayerStream which : existing.layerStreams) {
        switch (which) {
            case LayerStream::Position:
                names.emplace_back("Position");
                break;
            case LayerStream::Scale:
                names.emplace_back("Scale");
                break;
            case LayerStream::Rotation:
                names.emplace_back("Rotation");
                break;
        }
    }
    if (existing.effectKeys && targets.effect != nullptr) names.emplace_back(targets.effect);
    return names;
}
