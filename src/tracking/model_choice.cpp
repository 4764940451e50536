#include "tracking/model_choice.h"

#include <cmath>

#include "tracking/affine1_model.h"
#include "tracking/affine2_model.h"
#include "tracking/affine3_model.h"
#include "tracking/corner_pin_model.h"
#include "tracking/rigid_scale_model.h"

namespace {

// Whether every frame's displacement D of the item's corners from where a simpler model puts them
// stays below the threshold; `displace` gives D * (w, h) and D * (w, -h).
template <class Displace>
bool allFramesPass(const Transformations& t, double threshold, Displace displace) {
    for (const Transform& f : t.frames) {
        double corner[2][2];
        displace(f, corner);
        for (const auto& d : corner) {
            if (!(d[0] * d[0] + d[1] * d[1] < threshold)) return false;
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<KeyframeModel> createModel(ExportModel exportModel) {
    switch (exportModel) {
        case ExportModel::Translation:
            return std::make_unique<TranslationModel>();
        case ExportModel::Rigid:
            return std::make_unique<RigidModel>();
        case ExportModel::RigidScale:
            return std::make_unique<RigidScaleModel>();
        case ExportModel::Affine1:
            return std::make_unique<Affine1Model>();
        case ExportModel::Affine2:
            return std::make_unique<Affine2Model>();
        case ExportModel::Affine3:
            return std::make_unique<Affine3Model>();
        case ExportModel::CornerPin:
            return std::make_unique<CornerPinModel>();
        default:
            return nullptr;
    }
}

ExportModel automaticExportModel(const Transformations& transformations, std::int32_t width,
                                 std::int32_t height) {
    const double e = transformations.exportInaccuracy;
    const double threshold = e * e >= 0.0001 ? e * e : 0.0001;
    const double w = width * 0.5;
    const double h = height * 0.5;
    const auto apply = [w, h](double d00, double d01, double d10, double d11, double(&out)[2][2]) {
        out[0][0] = d00 * w + d01 * h;
        out[0][1] = d10 * w + d11 * h;
        out[1][0] = d00 * w - d01 * h;
        out[1][1] = d10 * w - d11 * h;
    };
    if (allFramesPass(transformations, threshold, [&](const Transform& f, double(&out)[2][2]) {
            apply(f.xx - 1, f.xy, f.yx, f.yy - 1, out);
        })) {
        return ExportModel::Translation;
    }
    if (allFramesPass(transformations, threshold, [&](const Transform& f, double(&out)[2][2]) {
            const double angle = std::atan2(f.yx - f.xy, f.xx + f.yy);
            const double c = std::cos(angle);
            const double s = std::sin(angle);
            apply(f.xx - c, f.xy + s, f.yx - s, f.yy - c, out);
        })) {
        return ExportModel::Rigid;
    }
    // The part of the linear map that no rotation and uniform scale can take up.
    const double w4 = width * 0.25;
    const double h4 = height * 0.25;
    if (allFramesPass(transformations, threshold, [&](const Transform& f, double(&out)[2][2]) {
            out[0][0] = (f.xx - f.yy) * w4 + (f.xy + f.yx) * h4;
            out[0][1] = (f.xy + f.yx) * w4 + (f.yy - f.xx) * h4;
            out[1][0] = (f.xx - f.yy) * w4 - (f.xy + f.yx) * h4;
            out[1][1] = (f.xy + f.yx) * w4 - (f.yy - f.xx) * h4;
        })) {
        return ExportModel::RigidScale;
    }
    return ExportModel::Affine3;
}

std::unique_ptr<KeyframeModel> chooseModel(const Transformations& transformations, std::int32_t width,
                                           std::int32_t height) {
    std::unique_ptr<KeyframeModel> model = createModel(transformations.exportModel);
    if (!model) model = createModel(automaticExportModel(transformations, width, height));
    return model;
}
