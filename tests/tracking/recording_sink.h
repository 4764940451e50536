#pragma once

// A keyframe sink that records every call, for tests of the export models, and the host's view of
// what was recorded: keys per target, interpolated linearly between frames.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tracking/keyframe_model.h"
#include "tracking/keyframe_sink.h"

namespace testkit {

struct SinkCall {
    enum class Kind { LayerStream, ApplyEffect, EffectStream, PointKey, ScalarKey };
    Kind kind = Kind::PointKey;
    std::int32_t number = 0;  // stream or parameter
    std::string effect;
    std::int32_t frame = 0;
    double x = 0;  // the value of a scalar key
    double y = 0;

    bool isKey() const { return kind == Kind::PointKey || kind == Kind::ScalarKey; }
};

// Outlives the sink, which the model owns and destroys.
struct SinkLog {
    std::vector<SinkCall> calls;
    int destroyed = 0;
};

class RecordingSink : public KeyframeSink {
public:
    RecordingSink(std::shared_ptr<SinkLog> log, std::int32_t width, std::int32_t height,
                  std::int32_t firstFrame, std::int32_t endFrame)
        : log_(std::move(log)) {
        width_ = width;
        height_ = height;
        firstFrame_ = firstFrame;
        endFrame_ = endFrame;
    }
    ~RecordingSink() override { ++log_->destroyed; }

    void selectLayerStream(LayerStream stream) override {
        record({SinkCall::Kind::LayerStream, static_cast<std::int32_t>(stream), {}, 0, 0, 0});
    }
    void applyEffect(const std::string& name) override {
        record({SinkCall::Kind::ApplyEffect, 0, name, 0, 0, 0});
    }
    void selectEffectStream(std::int32_t index) override {
        record({SinkCall::Kind::EffectStream, index, {}, 0, 0, 0});
    }
    void addPointKey(std::int32_t frame, double x, double y) override {
        record({SinkCall::Kind::PointKey, 0, {}, frame, x, y});
    }
    void addScalarKey(std::int32_t frame, double value) override {
        record({SinkCall::Kind::ScalarKey, 0, {}, frame, value, 0});
    }

private:
    void record(SinkCall call) { log_->calls.push_back(std::move(call)); }

    std::shared_ptr<SinkLog> log_;
};

// The calls as words: "layer N", "effect NAME", "param N", and "keys" for each run of keys.
inline std::vector<std::string> outline(const std::vector<SinkCall>& calls) {
    std::vector<std::string> words;
    for (const SinkCall& c : calls) {
        switch (c.kind) {
            case SinkCall::Kind::LayerStream:
                words.push_back("layer " + std::to_string(c.number));
                break;
            case SinkCall::Kind::ApplyEffect:
                words.push_back("effect " + c.effect);
                break;
            case SinkCall::Kind::EffectStream:
                words.push_back("param " + std::to_string(c.number));
                break;
            default:
                if (words.empty() || words.back() != "keys") words.push_back("keys");
        }
    }
    return words;
}

// The keys written to one target, in order.
struct Track {
    std::string target;  // "layer N" or "param N" of the effect applied last
    std::vector<SinkCall> keys;

    // The value the host shows at a frame: linear between keys, held before the first and after
    // the last.
    std::pair<double, double> at(double frame) const {
        if (keys.empty()) return {0, 0};
        if (frame <= keys.front().frame) return {keys.front().x, keys.front().y};
        for (std::size_t i = 1; i < keys.size(); ++i) {
            if (frame <= keys[i].frame) {
                const SinkCall& a = keys[i - 1];
                const SinkCall& b = keys[i];
                const double t = (frame - a.frame) / (b.frame - a.frame);
                return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            }
        }
        return {keys.back().x, keys.back().y};
    }
};

inline std::vector<Track> tracksOf(const std::vector<SinkCall>& calls) {
    std::vector<Track> tracks;
    for (const SinkCall& c : calls) {
        if (c.kind == SinkCall::Kind::LayerStream || c.kind == SinkCall::Kind::EffectStream) {
            tracks.push_back(
                {(c.kind == SinkCall::Kind::LayerStream ? "layer " : "param ") + std::to_string(c.number),
                 {}});
        } else if (c.isKey() && !tracks.empty()) {
            tracks.back().keys.push_back(c);
        }
    }
    return tracks;
}

inline const Track* findTrack(const std::vector<Track>& tracks, const std::string& target) {
    for (const Track& t : tracks) {
        if (t.target == target) return &t;
    }
    return nullptr;
}

// Runs emitNext until it returns false; returns the number of calls (bounded, so a model that never
// stops fails the test instead of hanging it).
inline std::size_t emitAll(KeyframeModel& model, std::size_t limit = 10000000) {
    std::size_t calls = 0;
    while (calls < limit) {
        ++calls;
        if (!model.emitNext()) break;
    }
    return calls;
}

}  // namespace testkit
