#pragma once

// Resource and control ids of the plug-in's dialogs, shared by the resource script and the code
// (plain macros: the resource compiler reads this file too).

#define IDD_TRANSFORMATIONS_SOURCE 1000
#define IDC_SOURCE_APPLY 1001
#define IDC_SOURCE_BROWSE 1002
#define IDC_SOURCE_PATH 1005

#define IDD_APPLY_PROGRESS 202
#define IDC_PROGRESS_BAR 1004
#define IDC_PROGRESS_TEXT 1005
