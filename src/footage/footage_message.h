#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "footage/footage_description.h"
#include "message/message.h"

// A footage handed to the application as an Underlay or Overlay message.
struct FootageMessage {
    MessageType type;
    FootageDescription description;
};

// Makes `message` a footage message: root "Message" with the type, the footage directory (absolute),
// frame rate and start frame as its attributes, "Frame" and "PixelAspectRatio" as its children.
void writeFootageMessage(Message& message, FootageMessage footage);
