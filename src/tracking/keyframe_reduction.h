#pragma once

#include "tracking/keyframes.h"

// Thinning of a keyframe sequence: keyframes are dropped wherever linear interpolation between
// the retained neighbours reproduces them within `tolerance`. The first and the last keyframe are
// always kept. A tolerance that is not greater than 0 leaves the sequence untouched. Frames must
// increase strictly along the sequence.

// Error: squared distance between the point and its interpolation.
void reducePoints(PointKeys& keys, float tolerance);
// Error: 1 - cos of the angle difference, so that a full turn counts as no difference.
void reduceAngles(ScalarKeys& keys, float tolerance);
// Error: squared difference.
void reduceScalars(ScalarKeys& keys, float tolerance);
// Error: how far the skew matrices move the diagonals (1, 1) and (1, -1), squared.
void reduceSkewPairs(SkewPairKeys& keys, float tolerance);
