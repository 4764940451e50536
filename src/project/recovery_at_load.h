#pragma once

// Brings back the files that an import interrupted by a crash left renamed aside, and tells the user
// through the host which files came back and which stay aside. Run once when the module is loaded;
// never throws, so that the plug-in starts whatever happens here.
void recoverInterruptedImports() noexcept;
