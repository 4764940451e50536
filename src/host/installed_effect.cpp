#include "host/installed_effect.h"

#include <cstring>

#include "host/check_host.h"

AEGP_InstalledEffectKey FindInstalledEffect(const AEGP_EffectSuite1& effects, const char* name) {
    A_long count = 0;
    CheckHost(effects.AEGP_GetNumInstalledEffects(&count), "getting number of installed effects");
    AEGP_InstalledEffectKey key = 0;
    for (A_long i = 0; i < count; ++i) {
        CheckHost(effects.AEGP_GetNextInstalledEffect(key, &key), "getting next installed effect");
        char effectName[AEGP_MAX_EFFECT_NAME_SIZE] = {};
        CheckHost(effects.AEGP_GetEffectName(key, effectName), "getting effect name");
        // A host that fills the whole buffer leaves no terminator of its own.
        effectName[sizeof effectName - 1] = '\0';
        if (std::strcmp(effectName, name) == 0) return key;
    }
    return 0;
}
