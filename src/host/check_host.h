#pragma once

#include "ae_types.h"
#include "host/ae_exception.h"

// Turns a failed host call into AE_Exception with the action text of that call.
inline void CheckHost(A_Err result, const char* action) {
    if (result != A_Err_NONE) throw AE_Exception(result, action);
}
