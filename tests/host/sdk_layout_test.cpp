#include <gtest/gtest.h>

#include <cstddef>

#include "aegp_suites.h"

namespace {

// Each operation must sit at its slot: the host finds functions by position, not by name.
#define SLOT(Suite, op) (offsetof(Suite, op) / sizeof(void*))

struct SlotCase {
    const char* operation;
    std::size_t slot;
    std::size_t expected;
};

const SlotCase kSlots[] = {
    {"AcquireSuite", SLOT(SPBasicSuite, AcquireSuite), 0},
    {"ReleaseSuite", SLOT(SPBasicSuite, ReleaseSuite), 1},
    {"AEGP_ReportInfo", SLOT(AEGP_UtilitySuite3, AEGP_ReportInfo), 0},
    {"AEGP_StartUndoGroup", SLOT(AEGP_UtilitySuite3, AEGP_StartUndoGroup), 5},
    {"AEGP_EndUndoGroup", SLOT(AEGP_UtilitySuite3, AEGP_EndUndoGroup), 6},
    {"AEGP_GetMainHWND", SLOT(AEGP_UtilitySuite3, AEGP_GetMainHWND), 8},
    {"AEGP_GetUniqueCommand", SLOT(AEGP_CommandSuite1, AEGP_GetUniqueCommand), 0},
    {"AEGP_InsertMenuCommand", SLOT(AEGP_CommandSuite1, AEGP_InsertMenuCommand), 1},
    {"AEGP_SetMenuCommandName", SLOT(AEGP_CommandSuite1, AEGP_SetMenuCommandName), 3},
    {"AEGP_EnableCommand", SLOT(AEGP_CommandSuite1, AEGP_EnableCommand), 4},
    {"AEGP_DisableCommand", SLOT(AEGP_CommandSuite1, AEGP_DisableCommand), 5},
    {"AEGP_RegisterCommandHook", SLOT(AEGP_RegisterSuite1, AEGP_RegisterCommandHook), 0},
    {"AEGP_RegisterUpdateMenuHook", SLOT(AEGP_RegisterSuite1, AEGP_RegisterUpdateMenuHook), 1},
    {"AEGP_RegisterDeathHook", SLOT(AEGP_RegisterSuite1, AEGP_RegisterDeathHook), 2},
    {"AEGP_RegisterIdleHook", SLOT(AEGP_RegisterSuite1, AEGP_RegisterIdleHook), 8},
    {"AEGP_RegisterImportFlavor", SLOT(AEGP_FileImportManagerSuite2, AEGP_RegisterImportFlavor), 0},
    {"AEGP_RegisterImportFlavorFileTypes",
     SLOT(AEGP_FileImportManagerSuite2, AEGP_RegisterImportFlavorFileTypes), 1},
    {"AEGP_RegisterImportFlavorImportCallbacks",
     SLOT(AEGP_FileImportManagerSuite2, AEGP_RegisterImportFlavorImportCallbacks), 2},
    {"AEGP_SetImportedItem", SLOT(AEGP_FileImportManagerSuite2, AEGP_SetImportedItem), 3},
    {"AEGP_GetNumProjects", SLOT(AEGP_ProjSuite2, AEGP_GetNumProjects), 0},
    {"AEGP_GetProjectByIndex", SLOT(AEGP_ProjSuite2, AEGP_GetProjectByIndex), 1},
    {"AEGP_GetProjectRootFolder", SLOT(AEGP_ProjSuite2, AEGP_GetProjectRootFolder), 4},
    {"AEGP_GetActiveItem", SLOT(AEGP_ItemSuite4, AEGP_GetActiveItem), 1},
    {"AEGP_SelectItem", SLOT(AEGP_ItemSuite4, AEGP_SelectItem), 3},
    {"AEGP_GetItemType", SLOT(AEGP_ItemSuite4, AEGP_GetItemType), 4},
    {"AEGP_GetItemDimensions", SLOT(AEGP_ItemSuite4, AEGP_GetItemDimensions), 13},
    {"AEGP_GetActiveLayer", SLOT(AEGP_LayerSuite7, AEGP_GetActiveLayer), 2},
    {"AEGP_GetLayerSourceItem", SLOT(AEGP_LayerSuite7, AEGP_GetLayerSourceItem), 4},
    {"AEGP_GetLayerParentComp", SLOT(AEGP_LayerSuite7, AEGP_GetLayerParentComp), 5},
    {"AEGP_GetLayerInPoint", SLOT(AEGP_LayerSuite7, AEGP_GetLayerInPoint), 14},
    {"AEGP_GetLayerDuration", SLOT(AEGP_LayerSuite7, AEGP_GetLayerDuration), 15},
    {"AEGP_SetLayerInPointAndDuration", SLOT(AEGP_LayerSuite7, AEGP_SetLayerInPointAndDuration), 16},
    {"AEGP_SetLayerOffset", SLOT(AEGP_LayerSuite7, AEGP_SetLayerOffset), 18},
    {"AEGP_AddLayer", SLOT(AEGP_LayerSuite7, AEGP_AddLayer), 24},
    {"AEGP_GetLayerObjectType", SLOT(AEGP_LayerSuite7, AEGP_GetLayerObjectType), 27},
    {"AEGP_GetItemFromComp", SLOT(AEGP_CompSuite6, AEGP_GetItemFromComp), 1},
    {"AEGP_GetCompFramerate", SLOT(AEGP_CompSuite6, AEGP_GetCompFramerate), 6},
    {"AEGP_CreateComp", SLOT(AEGP_CompSuite6, AEGP_CreateComp), 15},
    {"AEGP_GetMainFootageFromItem", SLOT(AEGP_FootageSuite3, AEGP_GetMainFootageFromItem), 0},
    {"AEGP_GetFootageNumFiles", SLOT(AEGP_FootageSuite3, AEGP_GetFootageNumFiles), 2},
    {"AEGP_GetFootagePath", SLOT(AEGP_FootageSuite3, AEGP_GetFootagePath), 3},
    {"AEGP_NewFootage", SLOT(AEGP_FootageSuite3, AEGP_NewFootage), 4},
    {"AEGP_AddFootageToProject", SLOT(AEGP_FootageSuite3, AEGP_AddFootageToProject), 5},
    {"AEGP_DisposeFootage", SLOT(AEGP_FootageSuite3, AEGP_DisposeFootage), 8},
    {"AEGP_GetFootageInterpretation", SLOT(AEGP_FootageSuite3, AEGP_GetFootageInterpretation), 9},
    {"AEGP_SetFootageInterpretation", SLOT(AEGP_FootageSuite3, AEGP_SetFootageInterpretation), 10},
    {"AEGP_GetLayerNumEffects", SLOT(AEGP_EffectSuite1, AEGP_GetLayerNumEffects), 0},
    {"AEGP_GetLayerEffectByIndex", SLOT(AEGP_EffectSuite1, AEGP_GetLayerEffectByIndex), 1},
    {"AEGP_GetInstalledKeyFromLayerEffect", SLOT(AEGP_EffectSuite1, AEGP_GetInstalledKeyFromLayerEffect), 2},
    {"AEGP_DisposeEffect", SLOT(AEGP_EffectSuite1, AEGP_DisposeEffect), 8},
    {"AEGP_ApplyEffect", SLOT(AEGP_EffectSuite1, AEGP_ApplyEffect), 9},
    {"AEGP_GetNumInstalledEffects", SLOT(AEGP_EffectSuite1, AEGP_GetNumInstalledEffects), 11},
    {"AEGP_GetNextInstalledEffect", SLOT(AEGP_EffectSuite1, AEGP_GetNextInstalledEffect), 12},
    {"AEGP_GetEffectName", SLOT(AEGP_EffectSuite1, AEGP_GetEffectName), 13},
    {"AEGP_GetNewLayerStream", SLOT(AEGP_StreamSuite4, AEGP_GetNewLayerStream), 2},
    {"AEGP_GetNewEffectStreamByIndex", SLOT(AEGP_StreamSuite4, AEGP_GetNewEffectStreamByIndex), 4},
    {"AEGP_DisposeStream", SLOT(AEGP_StreamSuite4, AEGP_DisposeStream), 6},
    {"AEGP_GetStreamNumKFs v1", SLOT(AEGP_KeyframeSuite1, AEGP_GetStreamNumKFs), 0},
    {"AEGP_GetKeyframeTime v1", SLOT(AEGP_KeyframeSuite1, AEGP_GetKeyframeTime), 1},
    {"AEGP_InsertKeyframe v1", SLOT(AEGP_KeyframeSuite1, AEGP_InsertKeyframe), 2},
    {"AEGP_DeleteKeyframe v1", SLOT(AEGP_KeyframeSuite1, AEGP_DeleteKeyframe), 3},
    {"AEGP_DeleteKeyframe v2", SLOT(AEGP_KeyframeSuite2, AEGP_DeleteKeyframe), 3},
    {"AEGP_SetKeyframeValue v1", SLOT(AEGP_KeyframeSuite1, AEGP_SetKeyframeValue), 5},
    {"AEGP_InsertKeyframe v2", SLOT(AEGP_KeyframeSuite2, AEGP_InsertKeyframe), 2},
    {"AEGP_SetKeyframeValue v2", SLOT(AEGP_KeyframeSuite2, AEGP_SetKeyframeValue), 5},
    {"AEGP_StartAddKeyframes", SLOT(AEGP_KeyframeSuite2, AEGP_StartAddKeyframes), 16},
    {"AEGP_AddKeyframes", SLOT(AEGP_KeyframeSuite2, AEGP_AddKeyframes), 17},
    {"AEGP_SetAddKeyframe", SLOT(AEGP_KeyframeSuite2, AEGP_SetAddKeyframe), 18},
    {"AEGP_EndAddKeyframes", SLOT(AEGP_KeyframeSuite2, AEGP_EndAddKeyframes), 19},
    {"sprintf", SLOT(PF_ANSICallbacksSuite1, sprintf), 15},
};

TEST(SdkLayout, EveryOperationSitsAtItsSlot) {
    for (const SlotCase& c : kSlots) EXPECT_EQ(c.slot, c.expected) << c.operation;
}

TEST(SdkLayout, HostRecordsHaveTheirWidths) {
    EXPECT_EQ(sizeof(A_Time), 8u);
    EXPECT_EQ(sizeof(A_Ratio), 8u);
    EXPECT_EQ(sizeof(AEGP_FileType), 8u);
    EXPECT_EQ(sizeof(AEGP_InstalledEffectKey), 4u);
    EXPECT_EQ(sizeof(A_Err), 4u);
}

}  // namespace
