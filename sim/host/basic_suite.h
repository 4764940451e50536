#pragma once

#include "sp_basic_suite.h"

namespace simhost {

// The basic suite every module receives: acquisition by name and version through the current
// host's bookkeeping.
const SPBasicSuite* simBasicSuite();

}  // namespace simhost
