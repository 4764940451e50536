/* Every suite of the host's interface that this project declares. */
#ifndef SKELDA_SDK_AEGP_SUITES_H
#define SKELDA_SDK_AEGP_SUITES_H

#include "ae_types.h"
#include "aegp_command_suite.h"
#include "aegp_comp_suite.h"
#include "aegp_effect_suite.h"
#include "aegp_entry.h"
#include "aegp_file_import_suite.h"
#include "aegp_footage_suite.h"
#include "aegp_item_suite.h"
#include "aegp_keyframe_suite.h"
#include "aegp_layer_suite.h"
#include "aegp_proj_suite.h"
#include "aegp_register_suite.h"
#include "aegp_stream_suite.h"
#include "aegp_utility_suite.h"
#include "pf_ansi_suite.h"
#include "sp_basic_suite.h"

#endif
