#include "host/main_window.h"

#include "host/check_host.h"
#include "host/suite_scope.h"

void* getMainWindow() {
    SuiteScope<AEGP_UtilitySuite1> utility;
    void* window = nullptr;
    CheckHost(utility->AEGP_GetMainHWND(&window), "getting main HWND");
    return window;
}
