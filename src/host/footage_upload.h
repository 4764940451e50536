#pragma once

#include <stdexcept>

#include "footage/footage_message.h"

// Why an upload has nothing to send: no active item, an active item that is not a footage, or an
// underlay of fewer than two frames.
class UploadRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The active footage as an Underlay or Overlay message of `type`, found once and described once: the
// menu's uploads and the application's requests both send this. Raises UploadRefused when there is
// nothing to send; host failures raise AE_Exception.
FootageMessage activeFootageUpload(MessageType type);
