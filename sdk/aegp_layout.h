/* Where the host has each record's fields, each table's operations and each callback's arguments,
   for the target being built, beside what this declaration gives. Every expected number is stated
   here once; the module checks them all at compile time and a test prints the table. C++ only. */
#ifndef SKELDA_SDK_AEGP_LAYOUT_H
#define SKELDA_SDK_AEGP_LAYOUT_H

#include <cstddef>
#include <type_traits>

#include "aegp_suites.h"

namespace aegp_layout {

#if defined(_WIN32) && !defined(_WIN64)
constexpr bool kHost32 = true;
#else
constexpr bool kHost32 = false;
static_assert(sizeof(void*) == 8, "the host's layout is known for 32-bit Windows and 64-bit targets only");
#endif

/* The number on the 32-bit Windows host, or on the 64-bit host (which every other target follows). */
constexpr std::size_t host(std::size_t on32, std::size_t on64) {
    return kHost32 ? on32 : on64;
}

enum class Measure { Offset, Size, Slot, Arguments, Argument, Value };

constexpr const char* measureName(Measure measure) {
    return measure == Measure::Offset      ? "offset"
           : measure == Measure::Size      ? "size"
           : measure == Measure::Slot      ? "slot"
           : measure == Measure::Arguments ? "arguments"
           : measure == Measure::Argument  ? "argument index"
                                           : "value";
}

struct Fact {
    const char* record;
    const char* field;
    Measure measure;
    std::size_t expected;
    std::size_t actual;
};

/* Arguments of a function pointer type: how many, and where the first of a given type sits. */
template <class F>
struct Signature;
template <class R, class... A>
struct Signature<R (*)(A...)> {
    static constexpr std::size_t count = sizeof...(A);
    template <class T>
    static constexpr std::size_t indexOf() {
        constexpr bool same[] = {std::is_same<T, A>::value..., false};
        std::size_t i = 0;
        while (i < count && !same[i]) ++i;
        return i;
    }
};

template <class F>
constexpr std::size_t arguments() {
    return Signature<F>::count;
}
template <class F, class T>
constexpr std::size_t argument() {
    return Signature<F>::template indexOf<T>();
}

#define AEGP_LAYOUT_OFFSET(Record, field, expected) \
    { #Record, #field, Measure::Offset, expected, offsetof(Record, field) }
#define AEGP_LAYOUT_SIZE(Type, expected) \
    { #Type, "", Measure::Size, expected, sizeof(Type) }
#define AEGP_LAYOUT_SLOT(Suite, operation, expected) \
    { #Suite, #operation, Measure::Slot, expected, offsetof(Suite, operation) / sizeof(void*) }
#define AEGP_LAYOUT_ARGUMENTS(Func, expected) \
    { #Func, "", Measure::Arguments, expected, arguments < Func>() }
#define AEGP_LAYOUT_ARGUMENT(Func, name, Type, expected) \
    { #Func, name, Measure::Argument, expected, argument < Func, Type>() }
#define AEGP_LAYOUT_VALUE(what, name, expected, actual) \
    { what, name, Measure::Value, expected, static_cast<std::size_t>(actual) }

/* A slot's function pointer type, for the argument checks of a suite's operation. */
#define AEGP_LAYOUT_OPERATION(Suite, operation) decltype(Suite::operation)

constexpr Fact kFacts[] = {
    /* Basic records: the same everywhere. */
    AEGP_LAYOUT_SIZE(A_Err, 4),
    AEGP_LAYOUT_SIZE(A_Time, 8),
    AEGP_LAYOUT_SIZE(A_Ratio, 8),
    AEGP_LAYOUT_SIZE(AEGP_InstalledEffectKey, 4),
    /* Item types and time modes are 16-bit; hook priorities unsigned 32-bit. */
    AEGP_LAYOUT_SIZE(AEGP_ItemType, 2),
    AEGP_LAYOUT_SIZE(AEGP_LTimeMode, 2),
    AEGP_LAYOUT_SIZE(AEGP_HookPriority, 4),
    AEGP_LAYOUT_VALUE("AEGP_HookPriority", "unsigned", 1, std::is_unsigned<AEGP_HookPriority>::value),
    AEGP_LAYOUT_VALUE("AEGP_HookPriority", "AEGP_HP_BeforeAE", 1, AEGP_HP_BeforeAE),
    AEGP_LAYOUT_VALUE("AEGP_HookPriority", "AEGP_HP_AfterAE", 2, AEGP_HP_AfterAE),
    /* The host's path buffers, terminating NUL included. */
    AEGP_LAYOUT_VALUE("AEGP_MAX_PATH_SIZE", "", 260, AEGP_MAX_PATH_SIZE),

    /* The value union holds four doubles; the stream handle before it is packed to 4 on 32-bit. */
    AEGP_LAYOUT_SIZE(AEGP_StreamVal, 32),
    AEGP_LAYOUT_SIZE(AEGP_ColorVal, 32),
    AEGP_LAYOUT_OFFSET(AEGP_StreamValue, val, host(4, 8)),
    AEGP_LAYOUT_SIZE(AEGP_StreamValue, host(36, 40)),

    /* The footage interpretation: 72 bytes on every host. */
    AEGP_LAYOUT_SIZE(AEGP_InterlaceLabel, 18),
    AEGP_LAYOUT_SIZE(AEGP_AlphaLabel, 8),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, il, 0),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, al, 20),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, pd, 28),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, loop, 32),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, pix_aspect_ratio, 40),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, native_fpsF, 48),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, conform_fpsF, 56),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, depthL, 64),
    AEGP_LAYOUT_OFFSET(AEGP_FootageInterp, motion_dB, 68),
    AEGP_LAYOUT_SIZE(AEGP_FootageInterp, 72),

    /* The import flavor's records. */
    AEGP_LAYOUT_SIZE(AEGP_FileType, 8),
    AEGP_LAYOUT_OFFSET(AE_FIM_ImportCallbacks, import_cb, host(4, 8)),
    AEGP_LAYOUT_OFFSET(AE_FIM_ImportCallbacks, verify_cb, host(8, 16)),

    /* The entry: seven arguments on the 32-bit host (two paths before the id), five on 64-bit. */
    AEGP_LAYOUT_ARGUMENTS(AEGP_PluginEntryFunc, host(7, 5)),
    AEGP_LAYOUT_ARGUMENT(AEGP_PluginEntryFunc, "global refcon pointer", AEGP_GlobalRefcon*, host(6, 4)),
    /* Import: path, options, special action, folder, refcon. Verify: path, refcon, flag. */
    AEGP_LAYOUT_ARGUMENTS(AE_FIM_ImportFileCB, 5),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_ImportFileCB, "path", const A_char*, 0),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_ImportFileCB, "options", AE_FIM_ImportOptions, 1),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_ImportFileCB, "special action", AE_FIM_SpecialAction, 2),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_ImportFileCB, "folder", AEGP_ItemH, 3),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_ImportFileCB, "refcon", AE_FIM_Refcon, 4),
    AEGP_LAYOUT_ARGUMENTS(AE_FIM_VerifyImportableCB, 3),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_VerifyImportableCB, "path", const A_char*, 0),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_VerifyImportableCB, "refcon", AE_FIM_Refcon, 1),
    AEGP_LAYOUT_ARGUMENT(AE_FIM_VerifyImportableCB, "importable flag", A_Boolean*, 2),
    /* AEGP_NewFootage's fourth argument is a reserved pointer. */
    AEGP_LAYOUT_ARGUMENT(AEGP_LAYOUT_OPERATION(AEGP_FootageSuite1, AEGP_NewFootage), "reserved", void*, 3),

    /* The version each table is acquired with. */
    AEGP_LAYOUT_VALUE("AEGP_UtilitySuite1", "version", 3, kAEGPUtilitySuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_CommandSuite1", "version", 1, kAEGPCommandSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_RegisterSuite1", "version", 1, kAEGPRegisterSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_FIMSuite2", "version", 2, kAEGPFIMSuiteVersion2),
    AEGP_LAYOUT_VALUE("AEGP_ProjSuite1", "version", 2, kAEGPProjSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_ItemSuite2", "version", 4, kAEGPItemSuiteVersion2),
    AEGP_LAYOUT_VALUE("AEGP_LayerSuite2", "version", 7, kAEGPLayerSuiteVersion2),
    AEGP_LAYOUT_VALUE("AEGP_CompSuite2", "version", 6, kAEGPCompSuiteVersion2),
    AEGP_LAYOUT_VALUE("AEGP_FootageSuite1", "version", 3, kAEGPFootageSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_StreamSuite1", "version", 4, kAEGPStreamSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_EffectSuite1", "version", 1, kAEGPEffectSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_KeyframeSuite1", "version", 1, kAEGPKeyframeSuiteVersion1),
    AEGP_LAYOUT_VALUE("AEGP_KeyframeSuite2", "version", 2, kAEGPKeyframeSuiteVersion2),
    AEGP_LAYOUT_VALUE("PF_ANSICallbacksSuite1", "version", 1, kPFANSISuiteVersion1),

    /* Each operation at its slot: the host finds functions by position, not by name. */
    AEGP_LAYOUT_SLOT(SPBasicSuite, AcquireSuite, 0),
    AEGP_LAYOUT_SLOT(SPBasicSuite, ReleaseSuite, 1),
    AEGP_LAYOUT_SLOT(AEGP_UtilitySuite1, AEGP_ReportInfo, 0),
    AEGP_LAYOUT_SLOT(AEGP_UtilitySuite1, AEGP_StartUndoGroup, 5),
    AEGP_LAYOUT_SLOT(AEGP_UtilitySuite1, AEGP_EndUndoGroup, 6),
    AEGP_LAYOUT_SLOT(AEGP_UtilitySuite1, AEGP_GetMainHWND, 8),
    AEGP_LAYOUT_SLOT(AEGP_CommandSuite1, AEGP_GetUniqueCommand, 0),
    AEGP_LAYOUT_SLOT(AEGP_CommandSuite1, AEGP_InsertMenuCommand, 1),
    AEGP_LAYOUT_SLOT(AEGP_CommandSuite1, AEGP_SetMenuCommandName, 3),
    AEGP_LAYOUT_SLOT(AEGP_CommandSuite1, AEGP_EnableCommand, 4),
    AEGP_LAYOUT_SLOT(AEGP_CommandSuite1, AEGP_DisableCommand, 5),
    AEGP_LAYOUT_SLOT(AEGP_RegisterSuite1, AEGP_RegisterCommandHook, 0),
    AEGP_LAYOUT_SLOT(AEGP_RegisterSuite1, AEGP_RegisterUpdateMenuHook, 1),
    AEGP_LAYOUT_SLOT(AEGP_RegisterSuite1, AEGP_RegisterDeathHook, 2),
    AEGP_LAYOUT_SLOT(AEGP_RegisterSuite1, AEGP_RegisterIdleHook, 8),
    AEGP_LAYOUT_SLOT(AEGP_FIMSuite2, AEGP_RegisterImportFlavor, 0),
    AEGP_LAYOUT_SLOT(AEGP_FIMSuite2, AEGP_RegisterImportFlavorFileTypes, 1),
    AEGP_LAYOUT_SLOT(AEGP_FIMSuite2, AEGP_RegisterImportFlavorImportCallbacks, 2),
    AEGP_LAYOUT_SLOT(AEGP_FIMSuite2, AEGP_SetImportedItem, 3),
    AEGP_LAYOUT_SLOT(AEGP_ProjSuite1, AEGP_GetNumProjects, 0),
    AEGP_LAYOUT_SLOT(AEGP_ProjSuite1, AEGP_GetProjectByIndex, 1),
    AEGP_LAYOUT_SLOT(AEGP_ProjSuite1, AEGP_GetProjectRootFolder, 4),
    AEGP_LAYOUT_SLOT(AEGP_ItemSuite2, AEGP_GetActiveItem, 1),
    AEGP_LAYOUT_SLOT(AEGP_ItemSuite2, AEGP_SelectItem, 3),
    AEGP_LAYOUT_SLOT(AEGP_ItemSuite2, AEGP_GetItemType, 4),
    AEGP_LAYOUT_SLOT(AEGP_ItemSuite2, AEGP_GetItemDimensions, 13),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetActiveLayer, 2),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetLayerSourceItem, 4),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetLayerParentComp, 5),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetLayerInPoint, 14),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetLayerDuration, 15),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_SetLayerInPointAndDuration, 16),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_SetLayerOffset, 18),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_AddLayer, 24),
    AEGP_LAYOUT_SLOT(AEGP_LayerSuite2, AEGP_GetLayerObjectType, 27),
    AEGP_LAYOUT_SLOT(AEGP_CompSuite2, AEGP_GetItemFromComp, 1),
    AEGP_LAYOUT_SLOT(AEGP_CompSuite2, AEGP_GetCompFramerate, 6),
    AEGP_LAYOUT_SLOT(AEGP_CompSuite2, AEGP_CreateComp, 15),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_GetMainFootageFromItem, 0),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_GetFootageNumFiles, 2),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_GetFootagePath, 3),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_NewFootage, 4),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_AddFootageToProject, 5),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_DisposeFootage, 8),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_GetFootageInterpretation, 9),
    AEGP_LAYOUT_SLOT(AEGP_FootageSuite1, AEGP_SetFootageInterpretation, 10),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetLayerNumEffects, 0),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetLayerEffectByIndex, 1),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetInstalledKeyFromLayerEffect, 2),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_DisposeEffect, 8),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_ApplyEffect, 9),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetNumInstalledEffects, 11),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetNextInstalledEffect, 12),
    AEGP_LAYOUT_SLOT(AEGP_EffectSuite1, AEGP_GetEffectName, 13),
    AEGP_LAYOUT_SLOT(AEGP_StreamSuite1, AEGP_GetNewLayerStream, 2),
    AEGP_LAYOUT_SLOT(AEGP_StreamSuite1, AEGP_GetNewEffectStreamByIndex, 4),
    AEGP_LAYOUT_SLOT(AEGP_StreamSuite1, AEGP_DisposeStream, 6),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite1, AEGP_GetStreamNumKFs, 0),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite1, AEGP_GetKeyframeTime, 1),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite1, AEGP_InsertKeyframe, 2),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite1, AEGP_DeleteKeyframe, 3),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite1, AEGP_SetKeyframeValue, 5),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_GetStreamNumKFs, 0),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_GetKeyframeTime, 1),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_InsertKeyframe, 2),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_DeleteKeyframe, 3),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_SetKeyframeValue, 5),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_StartAddKeyframes, 16),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_AddKeyframes, 17),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_SetAddKeyframe, 18),
    AEGP_LAYOUT_SLOT(AEGP_KeyframeSuite2, AEGP_EndAddKeyframes, 19),
    AEGP_LAYOUT_SLOT(PF_ANSICallbacksSuite1, sprintf, 15),
};

#undef AEGP_LAYOUT_OFFSET
#undef AEGP_LAYOUT_SIZE
#undef AEGP_LAYOUT_SLOT
#undef AEGP_LAYOUT_ARGUMENTS
#undef AEGP_LAYOUT_ARGUMENT
#undef AEGP_LAYOUT_VALUE
#undef AEGP_LAYOUT_OPERATION

/* Whether every fact holds. */
constexpr bool holds() {
    for (const Fact& fact : kFacts)
        if (fact.expected != fact.actual) return false;
    return true;
}

}  // namespace aegp_layout

#endif
