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

SKELDA_SUITE_TRAITS(AEGP_UtilitySuite3, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3);
SKELDA_SUITE_TRAITS(AEGP_CommandSuite1, kAEGPCommandSuite, kAEGPCommandSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_RegisterSuite1, kAEGPRegisterSuite, kAEGPRegisterSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_FileImportManagerSuite2, kAEGPFileImportManagerSuite,
                    kAEGPFileImportManagerSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_ProjSuite2, kAEGPProjSuite, kAEGPProjSuiteVersion2);
SKELDA_SUITE_TRAITS(AEGP_ItemSuite4, kAEGPItemSuite, kAEGPItemSuiteVersion4);
SKELDA_SUITE_TRAITS(AEGP_LayerSuite7, kAEGPLayerSuite, kAEGPLayerSuiteVersion7);
SKELDA_SUITE_TRAITS(AEGP_CompSuite6, kAEGPCompSuite, kAEGPCompSuiteVersion6);
SKELDA_SUITE_TRAITS(AEGP_FootageSuite3, kAEGPFootageSuite, kAEGPFootageSuiteVersion3);
SKELDA_SUITE_TRAITS(AEGP_EffectSuite1, kAEGPEffectSuite, kAEGPEffectSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_StreamSuite4, kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
SKELDA_SUITE_TRAITS(AEGP_KeyframeSuite1, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion1);
SKELDA_SUITE_TRAITS(AEGP_KeyframeSuite2, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion2);
SKELDA_SUITE_TRAITS(PF_ANSICallbacksSuite1, kPFANSISuite, kPFANSISuiteVersion1);

#undef SKELDA_SUITE_TRAITS
