// "AEGP Effect Suite" 1: applying effects to layers and the references to them.
#include "host/animated_streams.h"
#include "host/effect_application.h"
#include "host/host_call.h"

namespace simhost {

A_Err AEGP_API DisposeEffect(AEGP_EffectRefH effect) {
    return hostCall("AEGP_DisposeEffect", [&](SimHost& host) -> A_Err {
        return host.references().disposeEffect(fromHandle(effect)) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

A_Err AEGP_API ApplyEffect(AEGP_PluginID plugin, AEGP_LayerH layer, AEGP_InstalledEffectKey key,
                           AEGP_EffectRefH* effectP) {
    return hostCall("AEGP_ApplyEffect", [&](SimHost& host) -> A_Err {
        HostModel& model = host.model();
        const int layerId = fromHandle(layer);
        if (effectP == nullptr || !host.knowsPlugin(plugin) || model.layer(layerId) == nullptr)
            return A_Err_PARAMETER;
        const InstalledEffect* installed = nullptr;
        for (const InstalledEffect& candidate : model.installedEffects()) {
            if (key != 0 && candidate.key == key) installed = &candidate;
        }
        if (installed == nullptr) return A_Err_PARAMETER;
        const int effectId = model.addEffect(layerId, *installed);
        Effect* effect = model.effect(effectId);
        for (const StreamShape& shape : effectParameterShapes(installed->name)) {
            Stream param;
            param.id = model.nextId();
            param.name = shape.name;
            param.dimensions = shape.dimensions;
            effect->params.push_back(param);
        }
        host.references().recordChange(model, 0, 0);
        *effectP = toHandle<AEGP_EffectRefH>(host.references().addEffect(model.nextId(), effectId));
        return A_Err_NONE;
    });
}

}  // namespace simhost
