#pragma once

#include <string>

#include "sim/host/sim_host.h"

namespace simhost {

struct ImportResult {
    A_Err result = 0;
    int item = 0;  // the item the module set for this import, 0 for none
};

// Hands a file to a flavor's import callback, as the host does after its verify callback
// accepted the file, with an import-options handle of its own.
ImportResult importWithFlavor(SimHost& host, const ImportFlavor& flavor, const std::string& path);

}  // namespace simhost
