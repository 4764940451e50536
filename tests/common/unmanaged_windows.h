#pragma once

namespace testkit {

// Under Wine without a window manager (xvfb), destroying a shown window waits two seconds for a
// manager that never answers. Asks Wine to leave this program's windows unmanaged; call before
// the first window is made. Does nothing on other systems.
void useUnmanagedWindows();

}  // namespace testkit
