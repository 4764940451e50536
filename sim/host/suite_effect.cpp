// "AEGP Effect Suite" 1: the installed effects; applying them is in suite_effect_apply.cpp.
#include <cstring>

#include "sim/host/effect_application.h"
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetNumInstalledEffects(A_long* countP) {
    return hostCall("AEGP_GetNumInstalledEffects", [&](SimHost& host) -> A_Err {
        if (countP == nullptr) return A_Err_PARAMETER;
        *countP = static_cast<A_long>(host.model().installedEffects().size());
        return A_Err_NONE;
    });
}

// Key 0 gives the first; the last gives 0.
A_Err AEGP_API GetNextInstalledEffect(AEGP_InstalledEffectKey key, AEGP_InstalledEffectKey* nextP) {
    return hostCall("AEGP_GetNextInstalledEffect", [&](SimHost& host) -> A_Err {
        if (nextP == nullptr) return A_Err_PARAMETER;
        const auto& effects = host.model().installedEffects();
        if (key == 0) {
            *nextP = effects.empty() ? 0 : effects.front().key;
            return A_Err_NONE;
        }
        for (std::size_t i = 0; i < effects.size(); ++i) {
            if (effects[i].key == key) {
                *nextP = i + 1 < effects.size() ? effects[i + 1].key : 0;
                return A_Err_NONE;
            }
        }
        return A_Err_PARAMETER;
    });
}

A_Err AEGP_API GetEffectName(AEGP_InstalledEffectKey key, A_char* nameZ) {
    return hostCall("AEGP_GetEffectName", [&](SimHost& host) -> A_Err {
        if (nameZ == nullptr) return A_Err_PARAMETER;
        for (const InstalledEffect& effect : host.model().installedEffects()) {
            if (effect.key == key) {
                const std::size_t length =
                    std::min<std::size_t>(effect.name.size(), AEGP_MAX_EFFECT_NAME_SIZE - 1);
                std::memcpy(nameZ, effect.name.data(), length);
                nameZ[length] = '\0';
                return A_Err_NONE;
            }
        }
        return A_Err_PARAMETER;
    });
}

const AEGP_EffectSuite1 kEffectSuite1 = {
    GetLayerNumEffects,
    GetLayerEffectByIndex,
    GetInstalledKeyFromLayerEffect,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    DisposeEffect,
    ApplyEffect,
    nullptr,
    GetNumInstalledEffects,
    GetNextInstalledEffect,
    GetEffectName,
};

}  // namespace

void offerEffectSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPEffectSuite, kAEGPEffectSuiteVersion1, &kEffectSuite1);
}

}  // namespace simhost
