#include "common/unmanaged_windows.h"

namespace testkit {

void useUnmanagedWindows() {}

}  // namespace testkit
