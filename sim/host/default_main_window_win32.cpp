#include "sim/host/host_windows.h"

namespace simhost {

// A module here creates its own windows; a test that wants a parent window sets one.
void* defaultMainWindow() {
    return nullptr;
}

}  // namespace simhost
