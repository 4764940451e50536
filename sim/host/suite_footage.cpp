// "AEGP Footage Suite" 3: footage from files, its files and its interpretation.
#include <algorithm>
#include <cstring>

#include "sim/host/footage_files.h"
#include "sim/host/host_call.h"
#include "sim/host/image_size.h"
#include "sim/host/object_handles.h"
#include "sim/host/suite_catalog.h"

namespace simhost {

namespace {

std::string fileNameOf(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

A_Err AEGP_API GetMainFootageFromItem(AEGP_ItemH item, AEGP_FootageH* footageP) {
    return hostCall("AEGP_GetMainFootageFromItem", [&](SimHost& host) -> A_Err {
        const Item* found = itemOf(host.model(), item);
        if (found == nullptr || found->type != AEGP_ItemType_FOOTAGE || footageP == nullptr)
            return A_Err_PARAMETER;
        *footageP = footageHandleOfItem(found->id);
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetFootageNumFiles(AEGP_FootageH footage, A_long* numFilesP, A_long* filesPerFrameP) {
    return hostCall("AEGP_GetFootageNumFiles", [&](SimHost& host) -> A_Err {
        const Footage* found = footageOf(host.model(), footage);
        if (found == nullptr || numFilesP == nullptr) return A_Err_PARAMETER;
        *numFilesP = static_cast<A_long>(found->files.size());
        if (filesPerFrameP != nullptr) *filesPerFrameP = 1;
        return A_Err_NONE;
    });
}

A_Err AEGP_API GetFootagePath(AEGP_FootageH footage, A_long frame, A_long fileIndex, A_char* pathZ) {
    return hostCall("AEGP_GetFootagePath", [&](SimHost& host) -> A_Err {
        const Footage* found = footageOf(host.model(), footage);
        if (found == nullptr || pathZ == nullptr || fileIndex != 0 || frame < 0 ||
            static_cast<std::size_t>(frame) >= found->files.size())
            return A_Err_PARAMETER;
        const std::string& path = found->files[static_cast<std::size_t>(frame)];
        const std::size_t length = std::min<std::size_t>(path.size(), AEGP_MAX_PATH_SIZE - 1);
        std::memcpy(pathZ, path.data(), length);
        pathZ[length] = '\0';
        return A_Err_NONE;
    });
}

// The host reads the directory now: what the footage takes is fixed at this call.
A_Err AEGP_API NewFootage(AEGP_PluginID plugin, const A_char* pathZ, A_Boolean sequence, void* reserved,
                          AEGP_FootageH* footageP) {
    return hostCall("AEGP_NewFootage", [&](SimHost& host) -> A_Err {
        if (!host.knowsPlugin(plugin) || pathZ == nullptr || reserved != nullptr || footageP == nullptr)
            return A_Err_PARAMETER;
        Footage made;
        made.files = footageFiles(pathZ, sequence != 0);
        if (made.files.empty()) return A_Err_PARAMETER;
        made.sequence = sequence != 0;
        made.interp = host.model().footageInterpretation;
        const int id = host.model().nextId();
        host.model().newFootage[id] = made;
        *footageP = toHandle<AEGP_FootageH>(id);
        return A_Err_NONE;
    });
}

// The project takes the footage over: its handle from AEGP_NewFootage is spent.
A_Err AEGP_API AddFootageToProject(AEGP_FootageH footage, AEGP_ItemH folder, AEGP_ItemH* itemP) {
    return hostCall("AEGP_AddFootageToProject", [&](SimHost& host) -> A_Err {
        HostModel& model = host.model();
        auto pending = model.newFootage.find(fromHandle(footage));
        const Item* parent = itemOf(model, folder);
        if (pending == model.newFootage.end() || parent == nullptr || parent->type != AEGP_ItemType_FOLDER ||
            itemP == nullptr)
            return A_Err_PARAMETER;
        const Footage made = pending->second;
        const int id = model.addFootage(fileNameOf(made.files.front()), made.files, parent->id);
        Item* added = model.item(id);
        added->footage = made;
        readPngSize(nativeForm(made.files.front()), added->width, added->height);
        model.newFootage.erase(pending);
        *itemP = toHandle<AEGP_ItemH>(id);
        return A_Err_NONE;
    });
}

// Only a footage not yet in the project is the plug-in's to dispose of.
A_Err AEGP_API DisposeFootage(AEGP_FootageH footage) {
    return hostCall("AEGP_DisposeFootage", [&](SimHost& host) -> A_Err {
        return host.model().newFootage.erase(fromHandle(footage)) == 1 ? A_Err_NONE : A_Err_PARAMETER;
    });
}

// The highest frame rate the host accepts for a footage.
constexpr double kMaxFramesPerSecond = 999.0;

A_Err AEGP_API GetFootageInterpretation(AEGP_FootageH footage, AEGP_FootageInterp* interpP) {
    return hostCall("AEGP_GetFootageInterpretation", [&](SimHost& host) -> A_Err {
        const Footage* found = footageOf(host.model(), footage);
        if (found == nullptr || interpP == nullptr) return A_Err_PARAMETER;
        *interpP = found->interp;
        return A_Err_NONE;
    });
}

A_Err AEGP_API SetFootageInterpretation(AEGP_FootageH footage, const AEGP_FootageInterp* interpP) {
    return hostCall("AEGP_SetFootageInterpretation", [&](SimHost& host) -> A_Err {
        Footage* found = footageOf(host.model(), footage);
        // Frame rates are frames per second; the host takes none above its own limit.
        if (found == nullptr || interpP == nullptr || interpP->pix_aspect_ratio.num <= 0 ||
            interpP->pix_aspect_ratio.den == 0 || !(interpP->native_fpsF > 0.0) ||
            interpP->native_fpsF > kMaxFramesPerSecond)
            return A_Err_PARAMETER;
        found->interp = *interpP;
        return A_Err_NONE;
    });
}

AEGP_FootageSuite1 makeFootageSuite1() {
    AEGP_FootageSuite1 suite{};
    suite.AEGP_GetMainFootageFromItem = GetMainFootageFromItem;
    suite.AEGP_GetFootageNumFiles = GetFootageNumFiles;
    suite.AEGP_GetFootagePath = GetFootagePath;
    suite.AEGP_NewFootage = NewFootage;
    suite.AEGP_AddFootageToProject = AddFootageToProject;
    suite.AEGP_DisposeFootage = DisposeFootage;
    suite.AEGP_GetFootageInterpretation = GetFootageInterpretation;
    suite.AEGP_SetFootageInterpretation = SetFootageInterpretation;
    return suite;
}

const AEGP_FootageSuite1 kFootageSuite1 = makeFootageSuite1();

}  // namespace

void offerFootageSuite(SuiteBookkeeping& suites) {
    suites.offer(kAEGPFootageSuite, kAEGPFootageSuiteVersion1, &kFootageSuite1);
}

}  // namespace simhost
