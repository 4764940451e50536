#include "sim/host/object_handles.h"

#include <cmath>
#include <numeric>

namespace simhost {

AEGP_CompH compHandle(int compItem) {
    return toHandle<AEGP_CompH>(-compItem);
}

AEGP_FootageH footageHandleOfItem(int footageItem) {
    return toHandle<AEGP_FootageH>(-footageItem);
}

Item* itemOf(HostModel& model, AEGP_ItemH item) {
    const int id = fromHandle(item);
    return id > 0 ? model.item(id) : nullptr;
}

Item* compOf(HostModel& model, AEGP_CompH comp) {
    const int id = fromHandle(comp);
    Item* found = id < 0 ? model.item(-id) : nullptr;
    return found != nullptr && found->type == AEGP_ItemType_COMP ? found : nullptr;
}

Layer* layerOf(HostModel& model, AEGP_LayerH layer) {
    const int id = fromHandle(layer);
    return id > 0 ? model.layer(id) : nullptr;
}

Footage* footageOf(HostModel& model, AEGP_FootageH footage) {
    const int id = fromHandle(footage);
    if (id > 0) {
        auto found = model.newFootage.find(id);
        return found == model.newFootage.end() ? nullptr : &found->second;
    }
    Item* item = id < 0 ? model.item(-id) : nullptr;
    return item != nullptr && item->type == AEGP_ItemType_FOOTAGE ? &item->footage : nullptr;
}

A_Time reducedTime(long long value, unsigned long long scale) {
    if (scale == 0) return {0, 1};
    const unsigned long long divisor = std::gcd(static_cast<unsigned long long>(std::llabs(value)), scale);
    if (divisor > 1) {
        value /= static_cast<long long>(divisor);
        scale /= divisor;
    }
    return {static_cast<A_long>(value), static_cast<A_u_long>(scale)};
}

A_Time addTimes(A_Time a, A_Time b) {
    const unsigned long long scale = static_cast<unsigned long long>(a.scale) * b.scale;
    const long long value = static_cast<long long>(a.value) * static_cast<long long>(b.scale) +
                            static_cast<long long>(b.value) * static_cast<long long>(a.scale);
    return reducedTime(value, scale);
}

A_Time framesTime(long long frames, double fps) {
    // Rates such as 29.97 are exact in thousandths of a frame per second.
    const long long rate = std::llround(fps * 1000.0);
    if (rate <= 0) return {0, 1};
    return reducedTime(frames * 1000, static_cast<unsigned long long>(rate));
}

A_Time sourceDuration(const Item& source, const Item& comp) {
    if (source.type == AEGP_ItemType_COMP) return source.comp.duration;
    if (source.footage.sequence)
        return framesTime(static_cast<long long>(source.footage.files.size()),
                          source.footage.interp.native_fpsF);
    return comp.comp.duration;
}

}  // namespace simhost
