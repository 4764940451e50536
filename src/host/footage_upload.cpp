#include "host/footage_upload.h"

#include "host/active_footage.h"

namespace {

const char* refusalText(FindStatus status) {
    switch (status) {
        case kNoActiveItem:
            return "there is no active item";
        case kNotAFootage:
            return "active item is not a footage";
        default:
            return "unknown error";
    }
}

}  // namespace

FootageMessage activeFootageUpload(MessageType type) {
    AEGP_ItemH item = nullptr;
    const FindStatus status = FindActiveFootage(item);
    if (status != kFootageFound) throw UploadRefused(refusalText(status));
    FootageMessage upload{type, {}};
    DescribeActiveFootage(item, upload.description.files, upload.description);
    // An underlay is tracked, which takes at least two frames.
    if (type == MessageType::Underlay && upload.description.files.size() < 2)
        throw UploadRefused("active footage contains less than 2 frames");
    return upload;
}
