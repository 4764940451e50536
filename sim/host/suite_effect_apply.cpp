// "AEGP Effect Suite" 1: applying effects to layers and the references to them.
#include "sim/host/animated_streams.h"
#include "sim/host/effect_application.h"
#include "sim/host/host_call.h"

namespace simhost {

A_Err AEGP_API DisposeEffect(AEGP_EffectRefH effect) {
    return hostCall("AEGP_DisposeEffect", [&](SimHost& host) -> A_Err {
        return host.references().disposeEffect(fromHandle(effect)) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

A_Err AEGP_API GetLayerNumEffects(AEGP_LayerH layer, A_long* countP) {
    return hostCall("AEGP_GetLayerNumEffects", [&](SimHost& host) -> A_Err {
        const Layer* found = host.model().layer(fromHandle(layer));
        if (found == nullptr || countP == nullptr) return A_Err_PARAMETER;
        *countP = static_cast<A_long>(found->effects.size());
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetLayerEffectByIndex(AEGP_PluginID plugin, AEGP_LayerH layer, A_long index,
                                     AEGP_EffectRefH* effectP) {
    return hostCall("AEGP_GetLayerEffectByIndex", [&](SimHost& host) -> A_Err {
        const Layer* found = host.model().layer(fromHandle(layer));
        if (found == nullptr || effectP == nullptr || !host.knowsPlugin(plugin) || index < 0 ||
            index >= static_cast<A_long>(found->effects.size()))
            return A_Err_PARAMETER;
        const int effectId = found->effects[static_cast<std::size_t>(index)];
        *effectP = toHandle<AEGP_EffectRefH>(host.references().addEffect(host.model().nextId(), effectId));
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetInstalledKeyFromLayerEffect(AEGP_EffectRefH effectRef, AEGP_InstalledEffectKey* keyP) {
    return hostCall("AEGP_GetInstalledKeyFromLayerEffect", [&](SimHost& host) -> A_Err {
        const Effect* effect = host.model().effect(host.references().effect(fromHandle(effectRef)));
        if (effect == nullptr || keyP == nullptr) return A_Err_PARAMETER;
        *keyP = effect->installedKey;
        return A_Err_NONE;
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
