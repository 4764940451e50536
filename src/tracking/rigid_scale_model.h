#pragma once

#include "tracking/rigid_model.h"

// Position, then a uniform Scale, then Rotation on the layer's own streams: the similar part of
// the motion.
class RigidScaleModel : public RigidModel {
public:
    RigidScaleModel();
    ~RigidScaleModel() override;

    void compute(std::unique_ptr<KeyframeSink> sink) override;
    std::size_t keyframeCount() const override;

protected:
    bool hasScaleStage() const override;
    bool emitNextScale() override;

private:
    ScalarKeys scale_;
    std::size_t scaleCursor_ = 0;
};
