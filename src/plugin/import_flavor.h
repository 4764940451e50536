#pragma once

#include "aegp_file_import_suite.h"

// The import flavor through which the host opens Skelda project files.
constexpr const char kProjectFlavorName[] = "Skelda Project";
constexpr AE_FIM_ImportFlags kProjectFlavorFlags = AE_FIM_ImportFlag_COMP;

// Type "skp" with a zero byte as one 32-bit value, any creator.
AEGP_FileType projectFileType();
// ".skp", the rest zero.
AEGP_FileExtension projectFileExtension();

// Registers the flavor, its file kinds and its callbacks; a failed host call throws AE_Exception.
void registerImportFlavor();
