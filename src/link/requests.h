#pragma once

#include <chrono>
#include <string>

#include "link/pipe.h"
#include "message/message.h"
#include "message/possible_actions.h"

// The plug-in's requests to the application, on the host's main thread. Each is one exchange
// on the application's pipe; a reply that is not the one expected raises SK::BadMessage.

// Sends the message and leaves the reply in it: no document for the empty frame.
void exchange(const ClientPipe& client, Message& message);

// A bodiless request of `type`; the empty reply is success.
void sendRequest(MessageType type, const std::string& pipeName);

// Sends the active footage's description as an Underlay or Overlay message and, once the
// application has taken it, brings its window to the front. Without one to send it raises
// UploadRefused (host/footage_upload.h) and sends nothing.
void upload(MessageType type);
void uploadUnderlay();
void uploadOverlay();

// Asks the application to push its transformations, or its project, to the plug-in's pipe.
void requestTransformations();
void requestProject();

// The application's possible actions; all false, without raising, when it does not run.
void queryPossibleActions(const std::string& pipeName, PossibleActions& actions);
// The same within `limit`, the wait for the pipe included: a server that stays busy that long
// counts as not running, one that answers later raises the time-out error.
void queryPossibleActions(const std::string& pipeName, PossibleActions& actions,
                          std::chrono::milliseconds limit);
