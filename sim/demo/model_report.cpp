#include "sim/demo/model_report.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <ostream>
#include <sstream>
#include <stdexcept>

#include "sim/demo/corner_error.h"
#include "sim/demo/property_values.h"
#include "sim/host/animated_streams.h"
#include "tracking/model_choice.h"
#include "tracking/transformations_xml.h"

namespace demoreport {

namespace {

// The host's name of a property.
std::string propertyName(const PropertyRef& property) {
    const simhost::StreamShape shape =
        property.effect.empty() ? simhost::layerStreamShape(property.index) : [&] {
            const std::vector<simhost::StreamShape> params = simhost::effectParameterShapes(property.effect);
            return property.index >= 1 && property.index <= static_cast<int>(params.size())
                       ? params[static_cast<std::size_t>(property.index - 1)]
                       : simhost::StreamShape{};
        }();
    return shape.name != nullptr ? shape.name : "parameter " + std::to_string(property.index);
}

// The host's stream for a property the model names, or null when the layer has none.
const TranscriptStream* streamFor(const HostTranscript& transcript, const TranscriptLayer& layer,
                                  const PropertyRef& property) {
    if (property.effect.empty()) {
        const std::string name = propertyName(property);
        for (int id : layer.streams) {
            const TranscriptStream* stream = transcript.stream(id);
            if (stream != nullptr && stream->name == name) return stream;
        }
        return nullptr;
    }
    for (int id : layer.effects) {
        const TranscriptEffect* effect = transcript.effect(id);
        if (effect == nullptr || effect->name != property.effect) continue;
        if (property.index < 1 || property.index > static_cast<int>(effect->params.size())) return nullptr;
        return transcript.stream(effect->params[static_cast<std::size_t>(property.index - 1)]);
    }
    return nullptr;
}

std::string labelOf(const PropertyRef& property) {
    return property.effect.empty() ? propertyName(property) : property.effect + ": " + propertyName(property);
}

std::size_t keyCount(const HostTranscript& transcript, const TranscriptLayer& layer) {
    std::size_t count = 0;
    const auto add = [&](int id) {
        if (const TranscriptStream* stream = transcript.stream(id)) count += stream->keys.size();
    };
    for (int id : layer.streams) add(id);
    for (int effectId : layer.effects)
        if (const TranscriptEffect* effect = transcript.effect(effectId))
            for (int id : effect->params) add(id);
    return count;
}

}  // namespace

std::string modelName(ExportModel model) {
    const auto& names = xml::name_table<ExportModel>::names;
    const auto index = static_cast<std::size_t>(model);
    return index < std::size(names) ? names[index] : "model " + std::to_string(index);
}

ExportModel modelNamed(const std::string& name) {
    const auto& names = xml::name_table<ExportModel>::names;
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (name == names[i]) return static_cast<ExportModel>(i);
    throw std::invalid_argument("no export model named " + name);
}

ModelReport reportLayer(const HostTranscript& transcript, const Transformations& motion, int layerId,
                        ExportModel model) {
    const TranscriptLayer* layer = transcript.layer(layerId);
    if (layer == nullptr) throw std::runtime_error("the dump holds no layer " + std::to_string(layerId));
    const TranscriptItem* comp = transcript.item(layer->comp);
    const TranscriptItem* source = transcript.item(layer->source);
    if (comp == nullptr || comp->fps <= 0 || source == nullptr || source->width <= 0 || source->height <= 0)
        throw std::runtime_error("the dump holds no composition or source of layer " +
                                 std::to_string(layerId));
    const std::vector<CornerSample>& corners = transcript.corners(layerId);
    if (corners.empty())
        throw std::runtime_error("the transcript holds no corners of layer " + std::to_string(layerId));

    ModelReport report;
    report.requested = model;
    report.used =
        model == ExportModel::Auto ? automaticExportModel(motion, source->width, source->height) : model;
    report.layer = layerId;
    // Corners come at composition frames; the motion's frames are the layer's, which start at the
    // layer's offset. Only the frames the motion covers are converted, as the apply driver does.
    const int shift = static_cast<int>(std::lround(layer->offset * comp->fps));
    const long long motionEnd =
        static_cast<long long>(motion.first) + static_cast<long long>(motion.frames.size());
    const int first = std::max(corners.front().frame - shift, motion.first);
    const int end = static_cast<int>(std::min<long long>(corners.back().frame - shift + 1LL, motionEnd));
    report.frames = std::max(0, end - first);
    std::vector<CornerSample> covered;
    for (CornerSample sample : corners) {
        sample.frame -= shift;
        if (sample.frame >= first && sample.frame < end) covered.push_back(sample);
    }
    report.largestCornerError = largestCornerError(motion, covered, source->width, source->height);

    for (PropertyValues& values :
         perFrameValues(motion, report.used, source->width, source->height, first, end)) {
        const TranscriptStream* stream = streamFor(transcript, *layer, values.property);
        PropertyReport property;
        property.label = labelOf(values.property);
        property.perFrame = std::move(values.samples);
        if (stream != nullptr)
            for (const Sample& key : stream->keys)
                property.keyframes.push_back({key.time * comp->fps, key.value});
        report.properties.push_back(std::move(property));
    }
    return report;
}

void printModelReports(std::ostream& out, const std::vector<ModelReport>& reports) {
    for (const ModelReport& report : reports) {
        std::string model = modelName(report.requested);
        if (report.requested != report.used) model += " (chose " + modelName(report.used) + ")";
        std::ostringstream error;
        error << std::fixed << std::setprecision(3) << report.largestCornerError;
        out << "   " << model << " on layer " << report.layer << ": largest corner error " << error.str()
            << " px over " << report.frames << " frames\n";
        for (const PropertyReport& property : report.properties)
            out << "      " << std::left << std::setw(26) << property.label << std::right << std::setw(4)
                << property.keyframes.size() << " keyframes for " << std::setw(3) << property.perFrame.size()
                << " per-frame values\n";
    }
}

void describeCompositions(std::ostream& out, const HostTranscript& transcript) {
    for (const auto& [id, comp] : transcript.items()) {
        if (comp.type != "comp") continue;
        out << "   composition \"" << comp.name << "\" (item " << id << "): " << comp.width << " x "
            << comp.height << " at " << comp.fps << " fps\n";
        for (const auto& [layerId, layer] : transcript.layers()) {
            if (layer.comp != id) continue;
            out << "      layer " << layerId;
            if (const TranscriptItem* source = transcript.item(layer.source)) {
                out << ": \"" << source->name << "\", " << source->width << " x " << source->height;
                if (source->type == "footage")
                    out << ", "
                        << (source->files > 1 ? std::to_string(source->files) + " files" : "one file");
            }
            const std::size_t keys = keyCount(transcript, layer);
            if (keys > 0) out << ", " << keys << " keyframes";
            for (int effectId : layer.effects)
                if (const TranscriptEffect* effect = transcript.effect(effectId))
                    out << ", effect \"" << effect->name << "\"";
            out << '\n';
        }
    }
}

}  // namespace demoreport
