#pragma once

#include "message/message.h"

// The application's requests to the plug-in, served on the server thread. A handler rewrites the
// request into its reply. Handlers only read the host project; changes to it are queued for the
// host's main thread.

// True when `message` now holds the reply; false for a type that is not served.
bool HandleRequest(Message& message);

// The active footage as an Underlay or Overlay message of the request's own type, or an Error.
bool ServeFootageRequest(Message& message);
// With an active AV layer, queues the pushed tracking result for the next idle call and answers
// Empty; otherwise, or when the queue is full ("the host is busy: N results wait to be
// applied"), an Error.
bool ServeTransformations(Message& message);
// With an open host project, queues the pushed project's import and answers Empty; otherwise, or
// when the queue is full, an Error.
bool ServeProject(Message& message);
// The plug-in's own possible actions.
bool ServePossibleActions(Message& message);
