#include <windows.h>
// After windows.h.
#include <commdlg.h>

#include <vector>

#include "support/file_system.h"
#include "support/system_error.h"
#include "ui/dialog_ids.h"
#include "ui/resource_module.h"
#include "ui/transformations_source_dialog.h"

namespace {

std::string windowText(HWND window) {
    std::vector<char> text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
    return text.data();
}

BOOL CALLBACK setFont(HWND child, LPARAM font) {
    SendMessageA(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

// The open-file dialog's filter: the "|"-separated list with NULs in place of the bars.
std::string openFileFilter() {
    std::string filter = TransformationsSourceDialog::kFilter;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    return filter;
}

}  // namespace

class TransformationsSourceDialog::Window {
public:
    static INT_PTR CALLBACK proc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            initialise(dialog, *reinterpret_cast<TransformationsSourceDialog*>(lParam));
            return TRUE;
        }
        auto* self = reinterpret_cast<TransformationsSourceDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (self == nullptr || message != WM_COMMAND) return FALSE;
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        switch (id) {
            case IDC_SOURCE_PATH:
                if (code == EN_CHANGE) updateApply(dialog, *self);
                return code == EN_CHANGE;
            case IDC_SOURCE_BROWSE:
                if (code == BN_CLICKED) browse(dialog, *self);
                return TRUE;
            case IDC_SOURCE_APPLY:
                if (code == BN_CLICKED) EndDialog(dialog, kApplied);
                return TRUE;
            case IDOK:
                // Enter accepts what the edit holds, as the standard accept does.
                readPath(dialog, *self);
                EndDialog(dialog, kApplied);
                return TRUE;
            case IDCANCEL:
                EndDialog(dialog, kCancelled);
                return TRUE;
            default:
                return FALSE;
        }
    }

private:
    static void initialise(HWND dialog, TransformationsSourceDialog& self) {
        SetDlgItemTextA(dialog, IDC_SOURCE_PATH, self.path_.c_str());
        if (self.font_ == nullptr)
            self.font_ = CreateFontA(9, 0, 0, 0, 400, FALSE, FALSE, FALSE, 0, 0, 0, 0, 0, "ADMUI3Sm");
        if (self.font_ != nullptr) EnumChildWindows(dialog, setFont, reinterpret_cast<LPARAM>(self.font_));
        updateApply(dialog, self);
    }

    static void readPath(HWND dialog, TransformationsSourceDialog& self) {
        self.path_ = windowText(GetDlgItem(dialog, IDC_SOURCE_PATH));
    }

    static void updateApply(HWND dialog, TransformationsSourceDialog& self) {
        readPath(dialog, self);
        EnableWindow(GetDlgItem(dialog, IDC_SOURCE_APPLY), isRegularFile(self.path_) ? TRUE : FALSE);
    }

    static void browse(HWND dialog, TransformationsSourceDialog& self) {
        const std::string filter = openFileFilter();
        std::vector<char> file(32768, '\0');
        OPENFILENAMEA request{};
        request.lStructSize = sizeof request;
        request.hwndOwner = dialog;
        request.lpstrFilter = filter.c_str();
        request.lpstrFile = file.data();
        request.nMaxFile = static_cast<DWORD>(file.size());
        request.Flags = OFN_HIDEREADONLY | OFN_FILEMUSTEXIST;
        // The dialog takes no input while the nested one is up.
        EnableWindow(dialog, FALSE);
        const BOOL chosen = GetOpenFileNameA(&request);
        EnableWindow(dialog, TRUE);
        SetActiveWindow(dialog);
        if (!chosen) return;
        self.path_ = file.data();
        SetDlgItemTextA(dialog, IDC_SOURCE_PATH, self.path_.c_str());
        updateApply(dialog, self);
    }
};

TransformationsSourceDialog::~TransformationsSourceDialog() {
    if (font_ != nullptr) DeleteObject(static_cast<HFONT>(font_));
}

int TransformationsSourceDialog::run(void* owner) {
    const INT_PTR result = DialogBoxParamA(
        static_cast<HINSTANCE>(resourceModule()), MAKEINTRESOURCEA(IDD_TRANSFORMATIONS_SOURCE),
        static_cast<HWND>(owner), Window::proc, reinterpret_cast<LPARAM>(this));
    if (result == -1) throwSystemError("DialogBoxParam");
    return result == kApplied ? kApplied : kCancelled;
}
