#pragma once

#include <map>
#include <string>

namespace testkit {

// What the user is told the plug-in was doing when the k-th call (from 1) of a host operation
// fails: the main window is disabled, then enabled, once per application.
inline std::string hostCallAction(const std::string& operation, int k) {
    static const std::map<std::string, std::string> actions = {
        {"AEGP_StartUndoGroup", "starting undo group"},
        {"AEGP_EndUndoGroup", "ending undo group"},
        {"AEGP_GetActiveLayer", "getting active layer"},
        {"AEGP_GetProjectByIndex", "getting project by index"},
        {"AEGP_GetProjectRootFolder", "getting project root folder"},
        {"AEGP_CreateComp", "creating composition"},
        {"AEGP_GetItemFromComp", "getting item from composition"},
        {"AEGP_NewFootage", "allocating new footage"},
        {"AEGP_GetFootageInterpretation", "getting footage's interpretation"},
        {"AEGP_SetFootageInterpretation", "setting footage's interpretation"},
        {"AEGP_AddFootageToProject", "adding footage to project"},
        {"AEGP_AddLayer", "adding layer into composition"},
        {"AEGP_SetLayerOffset", "setting layer's offset"},
        {"AEGP_SetLayerInPointAndDuration", "setting layer's in point and duration"},
        {"AEGP_SelectItem", "selecting item"},
        {"AEGP_SetImportedItem", "setting imported item"},
        {"AEGP_GetLayerObjectType", "getting layer's object type"},
        {"AEGP_GetLayerParentComp", "getting layer's parent composition"},
        {"AEGP_GetCompFramerate", "getting composition's framerate"},
        {"AEGP_GetLayerSourceItem", "getting layer's source item"},
        {"AEGP_GetItemDimensions", "getting item's dimensions"},
        {"AEGP_GetMainHWND", "getting main HWND"},
        {"AEGP_GetLayerInPoint", "getting layer's in-point"},
        {"AEGP_GetLayerDuration", "getting layer's duration"},
        {"AEGP_GetNewLayerStream", "getting new layer's stream"},
        {"AEGP_GetNewEffectStreamByIndex", "getting new effect's stream by index"},
        {"AEGP_DisposeStream", "disposing stream"},
        {"AEGP_StartAddKeyframes", "starting bulk keyframe addition"},
        {"AEGP_AddKeyframes", "adding keyframe (bulk)"},
        {"AEGP_SetAddKeyframe", "setting keyframe value (bulk)"},
        {"AEGP_EndAddKeyframes", "ending bulk keyframe addition"},
        {"AEGP_InsertKeyframe", "inserting keyframe"},
        {"AEGP_SetKeyframeValue", "setting keyframe value"},
        {"AEGP_GetNumInstalledEffects", "getting number of installed effects"},
        {"AEGP_GetNextInstalledEffect", "getting next installed effect"},
        {"AEGP_GetEffectName", "getting effect name"},
        {"AEGP_ApplyEffect", "applying effect"},
        {"AEGP_DisposeEffect", "disposing effect"},
        {"AEGP_OpenProgress", "opening progress window"},
        {"AEGP_StepProgress", "updating progress window"},
        {"AEGP_CloseProgress", "closing progress window"},
        {"AEGP_ShowMessage", "showing message box"},
        {"AEGP_GetStreamNumKFs", "getting number of keyframes"},
        {"AEGP_GetKeyframeTime", "getting keyframe time"},
        {"AEGP_DeleteKeyframe", "deleting keyframe"},
        {"AEGP_GetLayerNumEffects", "getting number of layer's effects"},
        {"AEGP_GetLayerEffectByIndex", "getting layer's effect"},
        {"AEGP_GetInstalledKeyFromLayerEffect", "getting effect's installed key"},
        {"AEGP_AskQuestion", "asking a question"},
    };
    if (operation == "AEGP_EnableMainWindow")
        return k % 2 == 1 ? "disabling main window" : "enabling main window";
    const auto found = actions.find(operation);
    return found == actions.end() ? "an unexpected operation: " + operation : found->second;
}

}  // namespace testkit
