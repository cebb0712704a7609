#pragma once
// A Ui that records what the form says and answers dialogs from a script.

#include <deque>
#include <functional>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "core/ui.hpp"
#include "report/report_data.hpp"

namespace vadrel::test {

class ScriptedUi : public Ui {
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;
    std::vector<FileFilter> saveDialogs;
    std::vector<FileFilter> openDialogs;

    // Answers in order; a dialog with no answer left is cancelled, a
    // question with none is answered No.
    std::deque<std::optional<std::string>> saveAnswers;
    std::deque<std::optional<std::string>> openAnswers;
    std::deque<std::vector<std::string>> openManyAnswers;
    std::deque<bool> confirmAnswers;
    // Choices: the texts asked, and the index each answer takes (none:
    // cancelled; with no answer left, cancelled too).
    std::vector<std::string> choices;
    std::deque<std::optional<std::size_t>> chooseAnswers;

    // Windows shown modally (instance names), documents opened, prints.
    std::vector<std::string> shownModal;
    std::vector<std::string> openedWithDesktop;
    int printed = 0;
    std::string clipboard;
    // What a modal window does while shown; Cancel when unset.
    std::function<ModalResult(Form&)> onShowModal;

    // The steps every progress box showed, in order; after this many steps
    // in all, "Cancelar" is pressed (never when negative).
    std::vector<std::string> progressSteps;
    int cancelAfterSteps = -1;
    std::unique_ptr<Progress> startProgress() override;

    // Reports shown: title and text.
    std::vector<std::pair<std::string, std::string>> reports;

    void message(const std::string& text) override { messages.push_back(text); }
    void showReport(const std::string& title, const std::string& text) override { reports.emplace_back(title, text); }
    bool confirm(const std::string& text, bool defaultYes) override;
    std::optional<std::size_t> choose(const std::string& text, const std::vector<std::string>& options,
                                      std::size_t preselected) override;
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    std::vector<std::string> openFileNames(const FileFilter& filter) override;
    ModalResult showModal(Form& form) override;
    bool openWithDesktop(const std::string& path) override
    {
        openedWithDesktop.push_back(path);
        return desktopOpens;
    }
    bool desktopOpens = true;  // false: as a desktop with nothing to open the file
    void printWindow() override { ++printed; }
    void setClipboardText(const std::string& text) override { clipboard = text; }
    void setClipboardImage(const Canvas& picture) override { clipboardImage = &picture; }
    const Canvas* clipboardImage = nullptr;
    // The reports written: path and title, no PDF drawn.
    void writeReport(const report::Informe& informe, const std::string& path) override;
    std::vector<std::pair<std::string, std::string>> writtenReports;
    std::vector<report::FilaComparacion> lastComparison;  // the comparison of the last report written
    std::vector<std::string> lastHeading;  // and its heading's lines
    report::Georreferenciacion lastGeorreferenciacion;  // and its block
    // "Datos del informe": the values each dialog showed; the answers in
    // order (none: the dialog is cancelled); with no answers left, accepted
    // as shown.
    bool pideFirma(report::FirmaInforme& firma) override;
    std::vector<report::FirmaInforme> firmasMostradas;
    std::deque<std::optional<report::FirmaInforme>> firmaAnswers;
    // What the person does in "Desplazamiento" while it is shown (recorded
    // in shownModal); nothing when unset.
    std::function<void(TFDesplazamiento&)> onShiftDialog;
    void showShiftDialog(TFDesplazamiento& form) override
    {
        shownModal.emplace_back("FDesplazamiento");
        if (onShiftDialog) onShiftDialog(form);
    }
};

}  // namespace vadrel::test
