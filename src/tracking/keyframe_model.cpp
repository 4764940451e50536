#include "tracking/keyframe_model.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace {

bool isFinite(const Transform& t) {
    return std::isfinite(t.x) && std::isfinite(t.y) && std::isfinite(t.xx) && std::isfinite(t.xy) &&
           std::isfinite(t.yx) && std::isfinite(t.yy);
}

}  // namespace

KeyframeModel::KeyframeModel(float weight, const char* name) : weight_(weight), name_(name) {}

KeyframeModel::~KeyframeModel() = default;

void KeyframeModel::setSource(const Transformations& transformations) {
    source_ = &transformations;
}

void KeyframeModel::compute(std::unique_ptr<KeyframeSink> target) {
    sink_ = std::move(target);
    if (!sink_) throw std::invalid_argument("An export model was given no keyframe sink.");
    const Transformations& record = source();
    const std::int64_t first = record.first;
    const std::int64_t end = first + static_cast<std::int64_t>(record.frames.size());
    if (sink_->firstFrame() < sink_->endFrame() && (sink_->firstFrame() < first || sink_->endFrame() > end)) {
        throw std::out_of_range("The frames " + std::to_string(sink_->firstFrame()) + " to " +
                                std::to_string(sink_->endFrame() - 1) +
                                " are not all in the tracking result.");
    }
}

const Transformations& KeyframeModel::source() const {
    if (!source_) throw std::logic_error("An export model was given no tracking result.");
    return *source_;
}

KeyframeSink& KeyframeModel::sink() const {
    if (!sink_) throw std::logic_error("An export model was given no keyframe sink.");
    return *sink_;
}

std::size_t KeyframeModel::frameCount() const {
    const std::int64_t count = static_cast<std::int64_t>(sink().endFrame()) - sink().firstFrame();
    return count > 0 ? static_cast<std::size_t>(count) : 0;
}

Transform KeyframeModel::frameTransform(std::int32_t frame) const {
    const Transformations& record = source();
    const Transform& f =
        record.frames[static_cast<std::size_t>(static_cast<std::int64_t>(frame) - record.first)];
    return record.task == Task::Compensation ? inverse(f) : compose(f, record.initial);
}

void KeyframeModel::requireFinite(std::int32_t frame, std::initializer_list<double> values) const {
    for (const double v : values) {
        if (std::isfinite(v)) continue;
        const std::string at = std::to_string(frame);
        if (isFinite(frameTransform(frame))) {
            throw std::runtime_error("The tracking result at frame " + at + " cannot be expressed by the " +
                                     name_ +
                                     " export model: its transform is singular, mirrored or too large.");
        }
        if (source().task == Task::Compensation) {
            throw std::runtime_error("The tracking result cannot be inverted at frame " + at + ".");
        }
        throw std::runtime_error("The tracking result is not finite at frame " + at + ".");
    }
}
