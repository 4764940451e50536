/* The host's window services, on systems where the host has no window handle to give: what
   AEGP_GetMainHWND hands out there (or null when the host shows no windows at all). A module shows
   its dialogs through this table instead of creating windows of its own. */
#ifndef SKELDA_SDK_AEGP_WINDOW_SERVICES_H
#define SKELDA_SDK_AEGP_WINDOW_SERVICES_H

#include "ae_types.h"

#ifdef __cplusplus
extern "C" {
#endif

#define AEGP_WINDOW_SERVICES_VERSION1 1
/* Adds AEGP_AskQuestion. */
#define AEGP_WINDOW_SERVICES_VERSION2 2

typedef struct _AEGP_ProgressWindow* AEGP_ProgressWindowH;

/* Message box styles, as the values of the Windows message box. */
enum { AEGP_MessageStyle_OK = 0, AEGP_MessageStyle_ICONEXCLAMATION = 0x30 };

/* The answers to a question, as the values the Windows message box returns for its buttons. */
enum { AEGP_Answer_CANCEL = 2, AEGP_Answer_YES = 6, AEGP_Answer_NO = 7 };

/* The module's judgement of a path the user is about to accept: non-zero when it may be accepted
   (the host keeps its accept button disabled otherwise). */
typedef A_Boolean(AEGP_API* AEGP_PathAcceptableFunc)(void* refconP, const A_char* pathZ);

typedef struct AEGP_WindowServices1 {
    /* AEGP_WINDOW_SERVICES_VERSION1 or later. */
    A_long version;
    /* 1: asks the user for the path of a file. The dialog shows the title, the prompt and the
       initial path; its accept button is enabled while `acceptable` approves the path shown. On
       acceptance the path is copied into pathZ (path_sizeL bytes, terminating NUL included) and
       *acceptedPB is set; otherwise *acceptedPB is cleared and pathZ is left alone. */
    A_Err(AEGP_API* AEGP_AskPath)(const A_char* titleZ, const A_char* promptZ, const A_char* filterZ,
                                  const A_char* initial_pathZ, AEGP_PathAcceptableFunc acceptable,
                                  void* acceptable_refconP, A_char* pathZ, A_long path_sizeL,
                                  A_Boolean* acceptedPB);
    /* 2: shows a progress window with a Cancel button, its bar ranging over 0 .. totalL. */
    A_Err(AEGP_API* AEGP_OpenProgress)(const A_char* titleZ, A_long totalL, AEGP_ProgressWindowH* progressPH);
    /* 3: shows the step on the bar and the text beside it. With cancelledPB, the host also lets
       the window handle what the user did and sets *cancelledPB once Cancel was pressed (the
       window is then hidden); without it, only the display changes. A null textZ leaves the
       display as it is: the call then only lets the window handle what the user did while the
       module works at step stepL. */
    A_Err(AEGP_API* AEGP_StepProgress)(AEGP_ProgressWindowH progressH, A_long stepL, const A_char* textZ,
                                       A_Boolean* cancelledPB);
    /* 4: removes the window; the handle is gone either way. */
    A_Err(AEGP_API* AEGP_CloseProgress)(AEGP_ProgressWindowH progressH);
    /* 5: a message box with an OK button; returns when the user dismissed it. */
    A_Err(AEGP_API* AEGP_ShowMessage)(const A_char* captionZ, const A_char* textZ, A_long styleL);
    /* 6: lets the user work in the host's main window again (non-zero) or not (zero). */
    A_Err(AEGP_API* AEGP_EnableMainWindow)(A_Boolean enableB);
    /* 7 (version 2 and later): a question with three buttons, labelled as given, in the host's
       main window; *answerPL gets AEGP_Answer_YES, AEGP_Answer_NO or AEGP_Answer_CANCEL (also
       when the user closed the window). */
    A_Err(AEGP_API* AEGP_AskQuestion)(const A_char* captionZ, const A_char* textZ, const A_char* yes_labelZ,
                                      const A_char* no_labelZ, const A_char* cancel_labelZ, A_long* answerPL);
} AEGP_WindowServices1;

#ifdef __cplusplus
}
#endif

#endif
