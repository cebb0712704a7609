#pragma once
// The batch command's Ui: messages go to standard error verbatim, one per
// line; dialogs are answered from the command's options, never by asking.

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

#include "app/report_measure.hpp"
#include "core/ui.hpp"

namespace vadrel::cli {

class BatchUi : public Ui {
public:
    explicit BatchUi(std::ostream& err);

    // Dialog answers; a dialog without one is cancelled.
    std::optional<std::string> openAnswer;
    std::vector<std::string> openAnswers;  // for a dialog of several files
    // The answer to a question; without one the question is told and
    // answered No.
    std::optional<bool> confirmAnswer;
    // The option a choice takes; without one (or one not offered) the
    // choice is cancelled.
    std::optional<std::string> chooseAnswer;
    std::optional<std::string> saveAnswer;

    void message(const std::string& text) override;
    // Each request of a download on one line of standard error, rewritten
    // in place; only when standard error is a terminal, so that scripts and
    // logs get the messages alone.
    std::unique_ptr<Progress> startProgress() override;
    bool confirm(const std::string& text, bool defaultYes) override;
    std::optional<std::size_t> choose(const std::string& text, const std::vector<std::string>& options,
                                      std::size_t preselected) override;
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    std::vector<std::string> openFileNames(const FileFilter& filter) override;
    // What showing a window does: the command fills it as the person would
    // (the pasted LIST text) and answers; without this, it is cancelled.
    std::function<ModalResult(Form&)> onShowModal;

    ModalResult showModal(Form& form) override { return onShowModal ? onShowModal(form) : ModalResult::Cancel; }
    // The batch command opens no documents or printers.
    bool openWithDesktop(const std::string&) override { return true; }
    void printWindow() override {}
    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const Canvas&) override {}
    void writeReport(const report::Informe& informe, const std::string& path) override;
    // The PDF writer's own measure: the batch command links it.
    const report::MedidaTexto& medidaTexto() const override { return medida_; }
    // The details come from the command's options: nothing to ask.
    bool pideFirma(report::FirmaInforme&) override { return true; }

    int messagesShown() const { return messages_; }
    const std::string& lastMessage() const { return last_; }
    // The path last answered to a save dialog: with no failure after it,
    // that file has been written.
    const std::optional<std::string>& savedTo() const { return savedTo_; }

private:
    std::ostream& err_;
    int messages_ = 0;
    std::string last_;
    std::optional<std::string> savedTo_;
    app::MedidaPdf medida_;
};

// Runs a handler as a window's event dispatch does: a Failure ends it with
// its message. False in that case.
bool dispatch(BatchUi& ui, const std::function<void()>& handler);

}  // namespace vadrel::cli
