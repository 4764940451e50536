#pragma once

#include "aegp_layer_suite.h"
#include "tracking/transformations.h"

struct ApplyOptions {
    // Tell the user in the host's message area when the result has no frame where the layer shows.
    bool reportNothingToApply = false;
};

// Applies a tracking result to a layer as keyframes, with the progress dialog and its Cancel.
// `layer` none means the active layer. False when there is no such layer or it is not an
// audio/video layer (nothing is written); true otherwise, also after a cancel (what was written
// stays). When the layer already holds keyframes in the frames to be written on what the model
// writes (or its last effect is the one the model adds), the user is asked first whether to
// replace them, add to them, or write nothing. Host failures raise AE_Exception; the dialog, the
// keyframe batch and the undo group are closed and the host's window enabled again on every way
// out. The record must outlive the call.
bool applyTransformations(const Transformations& transformations, AEGP_LayerH layer = nullptr,
                          ApplyOptions options = {});
