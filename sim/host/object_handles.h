#pragma once

#include "aegp_suites.h"
#include "sim/host/host_model.h"

namespace simhost {

// A composition's handle and the handle of an item's footage are the negated item id, apart from
// the item handle itself, so that a plug-in passing one where another belongs finds nothing. A
// footage made by AEGP_NewFootage has its own id until it is added to the project.
AEGP_CompH compHandle(int compItem);
AEGP_FootageH footageHandleOfItem(int footageItem);

Item* itemOf(HostModel& model, AEGP_ItemH item);
// The composition item behind a composition handle, or null.
Item* compOf(HostModel& model, AEGP_CompH comp);
Layer* layerOf(HostModel& model, AEGP_LayerH layer);
// A footage not yet in the project, or the main footage of a footage item; null for anything else.
Footage* footageOf(HostModel& model, AEGP_FootageH footage);

// Times as exact fractions, reduced; the scale of a valid time is never 0.
A_Time addTimes(A_Time a, A_Time b);
A_Time reducedTime(long long value, unsigned long long scale);
// `frames` frames at a rate of `fps` frames per second.
A_Time framesTime(long long frames, double fps);
// How long a source lasts: a sequence its frames at its own rate, a composition its duration;
// a still (or a movie, whose length is not known here) lasts as long as the composition it is in.
A_Time sourceDuration(const Item& source, const Item& comp);

}  // namespace simhost
