#pragma once

#include "aegp_layer_suite.h"
#include "tracking/transformations.h"

// Applies a tracking result to a layer as keyframes, with the progress dialog and its Cancel.
// `layer` none means the active layer. False when there is no such layer or it is not an
// audio/video layer (nothing is written); true otherwise, also after a cancel (what was written
// stays). Host failures raise AE_Exception; the dialog, the keyframe batch and the undo group are
// closed and the host's window enabled again on every way out. The record must outlive the call.
bool applyTransformations(const Transformations& transformations, AEGP_LayerH layer = nullptr);
