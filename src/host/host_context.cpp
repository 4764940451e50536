#include "host/host_context.h"

HostContext& hostContext() {
    static HostContext context;
    return context;
}
