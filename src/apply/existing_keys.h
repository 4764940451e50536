#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aegp_suites.h"
#include "apply/frame_rate.h"
#include "tracking/keyframe_model.h"

// The keyframes an application would write over: what a layer already holds, inside the frame
// range to be written, on the properties a model writes, and whether the layer's last effect is
// the effect the model would add.

// The keyframe calls both versions of the Keyframe Suite share.
struct KeyframeCalls {
    A_Err(AEGP_API* count)(AEGP_StreamRefH, A_long*);
    A_Err(AEGP_API* time)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_LTimeMode, A_Time*);
    A_Err(AEGP_API* remove)(AEGP_StreamRefH, AEGP_KeyframeIndex);

    template <class Suite>
    static KeyframeCalls of(const Suite& suite) {
        return {suite.AEGP_GetStreamNumKFs, suite.AEGP_GetKeyframeTime, suite.AEGP_DeleteKeyframe};
    }
};

// The suites and the layer the keys are looked for on, and the composition frames
// [first, end) at the composition's rate.
struct KeyRange {
    const AEGP_StreamSuite1& streams;
    KeyframeCalls keyframes;
    const AEGP_EffectSuite1& effects;
    AEGP_LayerH layer = nullptr;
    FrameRate rate;
    std::int32_t first = 0;
    std::int32_t end = 0;
};

struct ExistingKeys {
    // The layer's own properties that hold keyframes in the range.
    std::vector<LayerStream> layerStreams;
    // The layer's last effect is the model's effect, at this index in the layer's list (else -1),
    // and whether its parameters that the model writes hold keyframes in the range.
    A_long effectIndex = -1;
    bool effectKeys = false;

    bool any() const { return !layerStreams.empty() || effectIndex >= 0; }
};

// Reads only; every reference it takes is given back.
ExistingKeys findExistingKeys(const KeyRange& range, const ModelTargets& targets);

// Deletes the keyframes in the range on the properties found, and on the reused effect's
// parameters that the model writes; keys outside the range and other properties stay. Returns the
// reused effect (the caller disposes it), or null when none was found.
AEGP_EffectRefH deleteExistingKeys(const KeyRange& range, const ModelTargets& targets,
                                   const ExistingKeys& existing);

// The user's names of the properties found: "Position", "Scale", "Rotation", the effect's name.
std::vector<std::string> existingKeyNames(const ModelTargets& targets, const ExistingKeys& existing);
