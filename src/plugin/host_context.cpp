#include "plugin/host_context.h"

HostContext& hostContext() {
    static HostContext context;
    return context;
}
