// "AEGP Stream Suite" 4: references to a layer's own properties and to an effect's parameters.
#include "sim/host/animated_streams.h"
#include "sim/host/host_call.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

A_Err AEGP_API GetNewLayerStream(AEGP_PluginID plugin, AEGP_LayerH layer, AEGP_LayerStream which,
                                 AEGP_StreamRefH* streamP) {
    return hostCall("AEGP_GetNewLayerStream", [&](SimHost& host) -> A_Err {
        const StreamTarget target{fromHandle(layer), 0, which};
        if (streamP == nullptr || !host.knowsPlugin(plugin) ||
            streamOf(host.model(), target, true) == nullptr)
            return A_Err_PARAMETER;
        *streamP = toHandle<AEGP_StreamRefH>(host.references().addStream(host.model().nextId(), target));
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetNewEffectStreamByIndex(AEGP_PluginID plugin, AEGP_EffectRefH effectRef, A_long index,
                                         AEGP_StreamRefH* streamP) {
    return hostCall("AEGP_GetNewEffectStreamByIndex", [&](SimHost& host) -> A_Err {
        const Effect* effect = host.model().effect(host.references().effect(fromHandle(effectRef)));
        if (streamP == nullptr || !host.knowsPlugin(plugin) || effect == nullptr) return A_Err_PARAMETER;
        const StreamTarget target{effect->layer, effect->id, index};
        if (streamOf(host.model(), target, false) == nullptr) return A_Err_PARAMETER;
        *streamP = toHandle<AEGP_StreamRefH>(host.references().addStream(host.model().nextId(), target));
        return A_Err_NONE;
    });
}

A_Err AEGP_API DisposeStream(AEGP_StreamRefH stream) {
    return hostCall("AEGP_DisposeStream", [&](SimHost& host) -> A_Err {
        return host.references().disposeStream(fromHandle(stream)) ? A_Err_NONE : A_Err_PARAMETER;
    });
}

AEGP_StreamSuite1 makeStreamSuite1() {
    AEGP_StreamSuite1 suite{};
    suite.AEGP_GetNewLayerStream = GetNewLayerStream;
    suite.AEGP_GetNewEffectStreamByIndex = GetNewEffectStreamByIndex;
    suite.AEGP_DisposeStream = DisposeStream;
    return suite;
}

const AEGP_StreamSuite1 kStreamSuite1 = makeStreamSuite1();

}  // namespace

void offerStreamSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPStreamSuite, kAEGPStreamSuiteVersion1, &kStreamSuite1);
}

}  // namespace simhost
