#pragma once

#include "aegp_suites.h"

// The name and version under which each suite table is acquired.
template <class Suite>
struct SuiteTraits;

#define SKELDA_SUITE_TRAITS(Suite, Name, Version)  \
    template <>                                    \
    struct SuiteTraits<Suite> {                    \
        static constexpr const char* name = Name;  \
        static constexpr A_long version = Version; \
    }

SKELDA_SUITE_TRAITS(AEGP_UtilitySuite1, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_CommandSuite1, kAEGPCommandSuite, kAEGPCommandSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_RegisterSuite1, kAEGPRegisterSuite, kAEGPRegisterSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_FIMSuite2, kAEGPFIMSuite, kAEGPFIMSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_ProjSuite1, kAEGPProjSuite, kAEGPProjSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_ItemSuite2, kAEGPItemSuite, kAEGPItemSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_LayerSuite2, kAEGPLayerSuite, kAEGPLayerSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_CompSuite2, kAEGPCompSuite, kAEGPCompSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_FootageSuite1, kAEGPFootageSuite, kAEGPFootageSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_EffectSuite1, kAEGPEffectSuite, kAEGPEffectSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_StreamSuite1, kAEGPStreamSuite, kAEGPStreamSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_KeyframeSuite1, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_KeyframeSuite2, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
SKELDA_SUITE_TRAITS(PF_ANSICallbacksSuite1, kPFANSISuite, kPFANSISuiteVersion1);

#undef SKELDA_SUITE_TRAITS
