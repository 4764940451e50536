#pragma once

#include "aegp_effect_suite.h"

namespace simhost {

// The Effect Suite's operations on layers, kept apart from the installed-effect queries.

// The effects on a layer, first applied first: how many, a reference to one, its installed key.
A_Err AEGP_API GetLayerNumEffects(AEGP_LayerH layer, A_long* countP);
A_Err AEGP_API GetLayerEffectByIndex(AEGP_PluginID plugin, AEGP_LayerH layer, A_long index,
                                     AEGP_EffectRefH* effectP);
A_Err AEGP_API GetInstalledKeyFromLayerEffect(AEGP_EffectRefH effectRef, AEGP_InstalledEffectKey* keyP);
// Frees an effect reference (the effect stays on its layer).
A_Err AEGP_API DisposeEffect(AEGP_EffectRefH effect);
// Applies the installed effect to the layer, last in its list, with its parameters at their
// defaults; key 0 or an unknown key is refused.
A_Err AEGP_API ApplyEffect(AEGP_PluginID plugin, AEGP_LayerH layer, AEGP_InstalledEffectKey key,
                           AEGP_EffectRefH* effectP);

}  // namespace simhost
