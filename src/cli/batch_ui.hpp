#pragma once
// The batch command's Ui: messages go to standard error verbatim, one per
// line; dialogs are answered from the command's options, never by asking.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "core/ui.hpp"

namespace vadrel::cli {

class BatchUi : public Ui {
public:
    explicit BatchUi(std::ostream& err);

    // Dialog answers; a dialog without one is cancelled.
    std::optional<std::string> openAnswer;
    std::optional<std::string> saveAnswer;

    void message(const std::string& text) override;
    bool confirm(const std::string& text, bool defaultYes) override;
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    // The batch command opens no windows, documents or printers.
    ModalResult showModal(Form&) override { return ModalResult::Cancel; }
    void openWithDesktop(const std::string&) override {}
    void printWindow() override {}
    void setClipboardText(const std::string&) override {}

    int messagesShown() const { return messages_; }
    // The path last answered to a save dialog: with no failure after it,
    // that file has been written.
    const std::optional<std::string>& savedTo() const { return savedTo_; }

private:
    std::ostream& err_;
    int messages_ = 0;
    std::optional<std::string> savedTo_;
};

// Runs a handler as a window's event dispatch does: a Failure ends it with
// its message. False in that case.
bool dispatch(BatchUi& ui, const std::function<void()>& handler);

}  // namespace vadrel::cli
