#pragma once
// A Ui that answers every dialog at once and shows nothing: saves go to
// `target`, opens take `open` (or `openMany`), modal dialogs run
// `onShowModal` when set, questions are answered `confirmAnswer`.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.hpp"

namespace vadrel::bench {

class NullUi : public Ui {
public:
    std::filesystem::path target;
    std::optional<std::string> open;
    std::vector<std::string> openMany;
    std::function<ModalResult(Form&)> onShowModal;
    bool confirmAnswer = true;

    void message(const std::string&) override {}
    bool confirm(const std::string&, bool) override { return confirmAnswer; }
    std::optional<std::string> saveFileName(const FileFilter&) override { return target.string(); }
    std::optional<std::string> openFileName(const FileFilter&) override { return open; }
    std::vector<std::string> openFileNames(const FileFilter&) override { return openMany; }
    ModalResult showModal(Form& f) override { return onShowModal ? onShowModal(f) : ModalResult::Cancel; }
    bool openWithDesktop(const std::string&) override { return true; }
    void printWindow() override {}
    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const Canvas&) override {}
    void writeReport(const report::Informe&, const std::string&) override {}
    bool pideFirma(report::FirmaInforme&) override { return true; }
};

}  // namespace vadrel::bench
