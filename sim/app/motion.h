#pragma once

#include <string>

#include "tracking/transformations.h"

namespace simapp {

// A tracking result made up from a described motion, frame i carrying i steps of it:
// "dx=1.5,dy=-0.5,rotate=0.2,scale=1.001,noise=0.1,seed=7,first=12,model=RigidScale,
// task=Compensation,inaccuracy=0.5" (every key optional; rotate in degrees per frame, noise the
// standard deviation in pixels added to the translation). Raises std::invalid_argument on a bad description.
Transformations generateMotion(const std::string& description, int frames);

}  // namespace simapp
