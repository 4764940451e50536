#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "aegp_suites.h"
#include "footage/footage_description.h"
#include "message/possible_actions.h"

// The footage the user works on: the active item when it is a footage, else the source of the
// active layer. Host failures raise AE_Exception with the action of the failed call.

// Result of looking for the active footage.
enum FindStatus : std::int32_t {
    kFootageFound = 0,
    kNoActiveItem = 1,  // no active item, and no active layer whose source is a footage
    kNotAFootage = 2,   // the active item, or the active layer's source, is not a footage
};

// On kFootageFound, `footage` is the footage item.
FindStatus FindActiveFootage(AEGP_ItemH& footage);

// The active footage's number of files: 0 without one, and 0 for a movie in an ".avi" file,
// which is not offered for upload.
A_long CountActiveFootageFiles();

// Appends the footage's file paths to `files` and fills the frame rate, pixel aspect ratio and
// start frame of `description`.
void DescribeActiveFootage(AEGP_ItemH footage, std::vector<std::string>& files,
                           FootageDescription& description);

// The host has an active layer and it is an ordinary (AV) layer.
bool IsActiveAVLayer();

// The number the decimal digits at the end of the path's base name form; 0 when it ends in no
// digit. A number that does not fit 32 bits (a time stamp such as clip_20231206123456) gives the
// number of its last nine digits (206123456): it fits, and consecutive files still count up.
std::int32_t StartFrameFromPath(const std::string& path);

// The plug-in's own possible actions: uploads by the active footage's file count, transformations
// with an active AV layer, a project with an open host project.
void ComputeLocalActions(PossibleActions& actions);
