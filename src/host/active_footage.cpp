#include "host/active_footage.h"

#include <cctype>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "host/check_host.h"
#include "host/project_query.h"
#include "host/suite_scope.h"
#include "support/path_parts.h"

namespace {

bool isFootage(const AEGP_ItemSuite2& items, AEGP_ItemH item) {
    AEGP_ItemType type = AEGP_ItemType_NONE;
    CheckHost(items.AEGP_GetItemType(item, &type), "getting item's type");
    return type == AEGP_ItemType_FOOTAGE;
}

AEGP_FootageH mainFootage(const AEGP_FootageSuite1& footage, AEGP_ItemH item) {
    AEGP_FootageH handle = nullptr;
    CheckHost(footage.AEGP_GetMainFootageFromItem(item, &handle), "getting main footage from item");
    return handle;
}

A_long fileCount(const AEGP_FootageSuite1& footage, AEGP_FootageH handle) {
    A_long files = 0;
    CheckHost(footage.AEGP_GetFootageNumFiles(handle, &files, nullptr), "getting footage's number of files");
    return files;
}

std::string framePath(const AEGP_FootageSuite1& footage, AEGP_FootageH handle, A_long frame) {
    // The host fills at most this much; the last byte stays a terminator whatever it does.
    char path[AEGP_MAX_PATH_SIZE + 1] = {};
    CheckHost(footage.AEGP_GetFootagePath(handle, frame, 0, path), "getting footage's path");
    path[AEGP_MAX_PATH_SIZE] = '\0';
    return path;
}

bool endsWithAvi(const std::string& path) {
    if (path.size() <= 4) return false;
    const std::string tail = path.substr(path.size() - 4);
    return tail[0] == '.' && std::tolower(static_cast<unsigned char>(tail[1])) == 'a' &&
           std::tolower(static_cast<unsigned char>(tail[2])) == 'v' &&
           std::tolower(static_cast<unsigned char>(tail[3])) == 'i';
}

// Whole frames per second, cut toward zero.
std::uint32_t framesPerSecond(A_FpLong nativeRate) {
    const double rate = std::trunc(nativeRate);
    if (!(rate >= 0)) return 0;  // negative, or not a number
    if (rate >= static_cast<double>(std::numeric_limits<std::uint32_t>::max()))
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(rate);
}

}  // namespace

FindStatus FindActiveFootage(AEGP_ItemH& footage) {
    SuiteScope<AEGP_ItemSuite2> items;
    FindStatus status = kNoActiveItem;
    AEGP_ItemH item = nullptr;
    CheckHost(items->AEGP_GetActiveItem(&item), "getting active item");
    if (item) {
        if (isFootage(*items, item)) {
            footage = item;
            return kFootageFound;
        }
        status = kNotAFootage;
    }
    SuiteScope<AEGP_LayerSuite2> layers;
    AEGP_LayerH layer = nullptr;
    CheckHost(layers->AEGP_GetActiveLayer(&layer), "getting active layer");
    if (!layer) return status;
    AEGP_ObjectType type = -1;  // no kind until the host tells
    CheckHost(layers->AEGP_GetLayerObjectType(layer, &type), "getting layer's object type");
    if (type != AEGP_ObjectType_AV) return status;
    AEGP_ItemH source = nullptr;
    CheckHost(layers->AEGP_GetLayerSourceItem(layer, &source), "getting layer's source item");
    if (!isFootage(*items, source)) return kNotAFootage;
    footage = source;
    return kFootageFound;
}

A_long CountActiveFootageFiles() {
    AEGP_ItemH item = nullptr;
    if (FindActiveFootage(item) != kFootageFound) return 0;
    SuiteScope<AEGP_FootageSuite1> footage;
    const AEGP_FootageH handle = mainFootage(*footage, item);
    const A_long files = fileCount(*footage, handle);
    return endsWithAvi(framePath(*footage, handle, 0)) ? 0 : files;
}

void DescribeActiveFootage(AEGP_ItemH item, std::vector<std::string>& files,
                           FootageDescription& description) {
    SuiteScope<AEGP_FootageSuite1> footage;
    const AEGP_FootageH handle = mainFootage(*footage, item);
    const A_long count = fileCount(*footage, handle);
    const std::size_t first = files.size();
    if (count > 0) files.reserve(first + static_cast<std::size_t>(count));
    for (A_long frame = 0; frame < count; ++frame) files.push_back(framePath(*footage, handle, frame));
    AEGP_FootageInterp interpretation{};
    CheckHost(footage->AEGP_GetFootageInterpretation(handle, &interpretation),
              "getting footage's interpretation");
    description.framerate = framesPerSecond(interpretation.native_fpsF);
    description.pixelAspectRatio.num = interpretation.pix_aspect_ratio.num;
    description.pixelAspectRatio.den = interpretation.pix_aspect_ratio.den;
    // The footage's own first file, whatever the list held before.
    description.startFrame = files.size() > first ? StartFrameFromPath(files[first]) : 0;
}


bool IsActiveAVLayer() {
    SuiteScope<AEGP_LayerSuite2> layers;
    AEGP_LayerH layer = nullptr;
    CheckHost(layers->AEGP_GetActiveLayer(&layer), "getting active layer");
    if (!layer) return false;
    AEGP_ObjectType type = -1;  // no kind until the host tells
    CheckHost(layers->AEGP_GetLayerObjectType(layer, &type), "getting layer's object type");
    return type == AEGP_ObjectType_AV;
}

namespace {

constexpr std::size_t kLongNumberDigits = 9;

}  // namespace

std::int32_t StartFrameFromPath(const std::string& path) {
    const std::string name = fileNameOf(path);
    std::size_t first = name.size();
    while (first > 0 && std::isdigit(static_cast<unsigned char>(name[first - 1]))) --first;
    std::int64_t number = 0;
    for (std::size_t i = first; i < name.size(); ++i) {
        number = number * 10 + (name[i] - '0');
        if (number > std::numeric_limits<std::int32_t>::max()) {
            // A time-stamped name: its last nine digits always fit, still count up file by file
            // and keep the sequence's frame numbers apart; an upload never fails on a name.
            number = 0;
            for (std::size_t j = name.size() - kLongNumberDigits; j < name.size(); ++j)
                number = number * 10 + (name[j] - '0');
            break;
        }
    }
    return static_cast<std::int32_t>(number);
}

void ComputeLocalActions(PossibleActions& actions) {
    const A_long files = CountActiveFootageFiles();
    actions.underlay = files > 1;
    actions.overlay = files > 0;
    actions.stillOverlay = files == 1;
    actions.transformations = IsActiveAVLayer();
    actions.project = IsProjectOpen();
}
