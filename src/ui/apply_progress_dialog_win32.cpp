#include <windows.h>
// After windows.h.
#include <commctrl.h>

#include "support/system_error.h"
#include "ui/apply_progress_dialog.h"
#include "ui/dialog_ids.h"
#include "ui/message_box.h"
#include "ui/resource_module.h"

namespace {

// Cancel (and the close box, which the dialog manager turns into Cancel) hides the dialog; the
// apply loop sees it gone at its next step.
INT_PTR CALLBACK progressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                ShowWindow(dialog, SW_HIDE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

// Over the owner when it is shown, else in the middle of the work area.
void centre(HWND dialog, HWND owner) {
    RECT area{};
    if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner))
        GetWindowRect(owner, &area);
    else
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    RECT own{};
    GetWindowRect(dialog, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int x = area.left + ((area.right - area.left) - width) / 2;
    const int y = area.top + ((area.bottom - area.top) - height) / 2;
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

class ApplyProgressDialog::Window {
public:
    Window(HWND owner, std::int32_t total, const std::string& text) : owner_(owner) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        dialog_ = CreateDialogParamA(static_cast<HINSTANCE>(resourceModule()),
                                     MAKEINTRESOURCEA(IDD_APPLY_PROGRESS), owner, progressProc, 0);
        if (dialog_ == nullptr) throwSystemError("CreateDialogParam");
        centre(dialog_, owner);
        if (owner_ != nullptr) EnableWindow(owner_, FALSE);
        EnableWindow(dialog_, TRUE);
        SendDlgItemMessageA(dialog_, IDC_PROGRESS_BAR, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
        SetDlgItemTextA(dialog_, IDC_PROGRESS_TEXT, text.c_str());
        SendDlgItemMessageA(dialog_, IDC_PROGRESS_BAR, PBM_SETPOS, 0, 0);
        ShowWindow(dialog_, SW_SHOW);
    }
    ~Window() { close(); }

    void show(std::int32_t step, const std::string& text) {
        SetDlgItemTextA(dialog_, IDC_PROGRESS_TEXT, text.c_str());
        SendDlgItemMessageA(dialog_, IDC_PROGRESS_BAR, PBM_SETPOS, static_cast<WPARAM>(step), 0);
    }

    // Handles what is waiting in the thread's queue without blocking; a redraw happens only
    // when something was shown since the last.
    bool cancelled() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The host's own loop must still see it.
                PostQuitMessage(static_cast<int>(message.wParam));
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return !IsWindowVisible(dialog_);
    }

    void close() {
        if (dialog_ == nullptr) return;
        if (owner_ != nullptr) EnableWindow(owner_, TRUE);
        DestroyWindow(dialog_);
        dialog_ = nullptr;
    }

    HWND handle() const { return dialog_; }

private:
    HWND owner_;
    HWND dialog_ = nullptr;
};

ApplyProgressDialog::ApplyProgressDialog(void* mainWindow, std::int32_t total)
    : mainWindow_(mainWindow), total_(total), text_(progressText(0, total)) {
    window_ = std::make_unique<Window>(static_cast<HWND>(mainWindow), total, text_);
}

ApplyProgressDialog::~ApplyProgressDialog() = default;

void ApplyProgressDialog::show(std::int32_t step) {
    text_ = progressText(step, total_);
    shown_ = step;
    window_->show(step, text_);
}

bool ApplyProgressDialog::userCancelled(std::int32_t) {
    return window_->cancelled();
}

void ApplyProgressDialog::showInterruption() {
    showMessageBox(mainWindow_, kApplyInterruptedText, kMessageBoxExclamation);
}

void ApplyProgressDialog::close() {
    window_.reset();
}
