#pragma once

// The host's main window handle, the parent of the plug-in's dialogs.
void* getMainWindow();
