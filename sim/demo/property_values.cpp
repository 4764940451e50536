#include "sim/demo/property_values.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "tracking/keyframe_sink.h"
#include "tracking/model_choice.h"

namespace demoreport {

namespace {

// Keeps every keyframe a model writes, by property.
class ValueRecorder : public KeyframeSink {
public:
    ValueRecorder(std::vector<PropertyValues>& out, std::int32_t width, std::int32_t height,
                  std::int32_t first, std::int32_t end)
        : out_(out) {
        width_ = width;
        height_ = height;
        firstFrame_ = first;
        endFrame_ = end;
    }

    void selectLayerStream(LayerStream stream) override { select({"", static_cast<int>(stream)}); }
    void applyEffect(const std::string& name) override { effect_ = name; }
    void selectEffectStream(std::int32_t index) override { select({effect_, index}); }
    void addPointKey(std::int32_t frame, double x, double y) override { add(frame, {x, y}); }
    void addScalarKey(std::int32_t frame, double value) override { add(frame, {value}); }

private:
    void select(const PropertyRef& property) {
        const auto found = std::find_if(out_.begin(), out_.end(),
                                        [&](const PropertyValues& p) { return p.property == property; });
        if (found != out_.end()) {
            current_ = static_cast<std::size_t>(found - out_.begin());
            return;
        }
        out_.push_back({property, {}});
        current_ = out_.size() - 1;
    }

    void add(std::int32_t frame, std::vector<double> value) {
        if (current_ >= out_.size()) throw std::logic_error("a keyframe before any property was selected");
        out_[current_].samples.push_back({static_cast<double>(frame), std::move(value)});
    }

    std::vector<PropertyValues>& out_;
    std::string effect_;
    std::size_t current_ = static_cast<std::size_t>(-1);
};

}  // namespace

std::vector<PropertyValues> perFrameValues(const Transformations& motion, ExportModel model,
                                           std::int32_t width, std::int32_t height, std::int32_t firstFrame,
                                           std::int32_t endFrame) {
    Transformations unthinned = motion;
    unthinned.exportInaccuracy = 0;  // a tolerance of 0 keeps a keyframe at every frame
    unthinned.exportModel = model;
    std::vector<PropertyValues> values;
    const std::unique_ptr<KeyframeModel> converter = chooseModel(unthinned, width, height);
    converter->setSource(unthinned);
    converter->compute(std::make_unique<ValueRecorder>(values, width, height, firstFrame, endFrame));
    if (converter->keyframeCount() > 0)
        while (converter->emitNext()) {
        }
    return values;
}

}  // namespace demoreport
