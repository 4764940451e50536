#include "host/project_query.h"

#include "host/check_host.h"
#include "host/host_suites.h"

bool IsProjectOpen() {
    HostSuites suites;
    A_long count = 0;
    CheckHost(suites.proj().AEGP_GetNumProjects(&count), "getting the number of projects");
    return count > 0;
}
