#include <iostream>
#include <optional>

#include "aegp_window_services.h"
#include "host/check_host.h"
#include "ui/apply_progress_dialog.h"
#include "ui/message_box.h"
#include "ui/terminal_dialogs.h"

// Through the host's window services, or on the terminal when the host gave none.
class ApplyProgressDialog::Window {
public:
    Window(void* mainWindow, std::int32_t total, const std::string& text)
        : services_(static_cast<const AEGP_WindowServices1*>(mainWindow)) {
        if (services_ == nullptr || services_->version < AEGP_WINDOW_SERVICES_VERSION1) {
            services_ = nullptr;
            terminal_.emplace(std::cerr, kApplyProgressTitle, text);
            return;
        }
        CheckHost(services_->AEGP_OpenProgress(kApplyProgressTitle, total, &progress_),
                  "opening progress window");
        try {
            CheckHost(services_->AEGP_EnableMainWindow(0), "disabling main window");
            mainDisabled_ = true;
            CheckHost(services_->AEGP_StepProgress(progress_, 0, text.c_str(), nullptr),
                      "updating progress window");
        } catch (...) {
            closeQuietly();
            throw;
        }
    }
    ~Window() { closeQuietly(); }

    void show(std::int32_t step, const std::string& text) {
        if (services_ == nullptr) {
            terminal_->show(text);
            return;
        }
        CheckHost(services_->AEGP_StepProgress(progress_, step, text.c_str(), nullptr),
                  "updating progress window");
    }

    // No text: the display stays as it is while the window handles the user's input.
    bool cancelled(std::int32_t step) {
        if (services_ == nullptr) return false;
        A_Boolean cancelled = 0;
        CheckHost(services_->AEGP_StepProgress(progress_, step, nullptr, &cancelled),
                  "updating progress window");
        return cancelled != 0;
    }

    void close() {
        if (services_ == nullptr) {
            terminal_->close();
            return;
        }
        A_Err enabled = A_Err_NONE;
        if (mainDisabled_) {
            mainDisabled_ = false;
            enabled = services_->AEGP_EnableMainWindow(1);
        }
        A_Err closed = A_Err_NONE;
        if (progress_ != nullptr) {
            closed = services_->AEGP_CloseProgress(progress_);
            progress_ = nullptr;
        }
        CheckHost(enabled, "enabling main window");
        CheckHost(closed, "closing progress window");
    }

private:
    void closeQuietly() noexcept {
        try {
            close();
        } catch (...) {
        }
    }

    const AEGP_WindowServices1* services_;
    AEGP_ProgressWindowH progress_ = nullptr;
    bool mainDisabled_ = false;
    std::optional<TerminalProgress> terminal_;
};

ApplyProgressDialog::ApplyProgressDialog(void* mainWindow, std::int32_t total)
    : mainWindow_(mainWindow), total_(total), text_(progressText(0, total)) {
    window_ = std::make_unique<Window>(mainWindow, total, text_);
}

ApplyProgressDialog::~ApplyProgressDialog() = default;

void ApplyProgressDialog::show(std::int32_t step) {
    text_ = progressText(step, total_);
    shown_ = step;
    window_->show(step, text_);
}

bool ApplyProgressDialog::userCancelled(std::int32_t step) {
    return window_->cancelled(step);
}

void ApplyProgressDialog::showInterruption() {
    const auto* services = static_cast<const AEGP_WindowServices1*>(mainWindow_);
    if (services == nullptr || services->version < AEGP_WINDOW_SERVICES_VERSION1) {
        showMessageBox(nullptr, kApplyInterruptedText, kMessageBoxExclamation);
        return;
    }
    CheckHost(services->AEGP_ShowMessage("Skelda", kApplyInterruptedText, kMessageBoxExclamation),
              "showing message box");
}

void ApplyProgressDialog::close() {
    if (window_ == nullptr) return;
    std::unique_ptr<Window> window = std::move(window_);
    window->close();
}
