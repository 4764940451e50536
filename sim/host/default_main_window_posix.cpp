#include "sim/host/host_windows.h"

namespace simhost {

// A module here reaches the host's dialogs through the services table.
void* defaultMainWindow() {
    return const_cast<AEGP_WindowServices1*>(simWindowServices());
}

}  // namespace simhost
