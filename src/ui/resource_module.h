#pragma once

// The module whose resources hold the dialogs' templates: the one this code is linked into (the
// plug-in, or a test program). Windows only; an opaque handle, so that no system header is needed.
void* resourceModule();
