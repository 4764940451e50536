#pragma once

#include "footage/footage_description.h"
#include "footage/path_reference.h"
#include "message/xml_archive.h"

// The attributes "path" (only when not empty) and "abs" (only when set) of the archive's element.
void serializePathReference(const XmlArchive& archive, PathReference& reference);

// The "PixelAspectRatio" child with its required "num" and "den": written only when the ratio is
// not square; an absent child reads as 1/1, two raise xml::ambiguous.
void serializePixelAspectRatio(const XmlArchive& archive, PixelAspectRatio& ratio);

// The files of a footage on the archive's element: the footage directory (the first file's) as a
// reference against the binding's base path, and one "Frame" child per file relative to that
// directory. Reading resolves every reference and fails, naming the path, when one is missing.
// Returns the archive so that the caller goes on with the same element.
const XmlArchive& serializeFrameList(const XmlArchive& archive, FrameListBinding& binding);

// A whole description on the archive's element: the frame list (absolute directory), "Framerate"
// (when not 30), "PixelAspectRatio" and "StartFrame" (when not 0).
void serializeFootageDescription(const XmlArchive& archive, FootageDescription& description);
