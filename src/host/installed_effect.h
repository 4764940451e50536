#pragma once

#include "aegp_effect_suite.h"

// The key of the first installed effect (in the host's order) whose display name equals `name`
// byte for byte, or 0 when none does.
AEGP_InstalledEffectKey FindInstalledEffect(const AEGP_EffectSuite1& effects, const char* name);
