// The module is built only when this declaration of the host's interface lays out its records,
// tables and callbacks as the host of this target does; test_host prints the table of any fact
// that differs.
#include "aegp_layout.h"

static_assert(aegp_layout::holds(), "a host record, slot or argument is not where the host has it");
