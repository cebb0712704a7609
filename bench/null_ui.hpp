#pragma once
// A Ui that answers every dialog at once and shows nothing.

#include <filesystem>
#include <optional>
#include <string>

#include "core/ui.hpp"

namespace vadrel::bench {

class NullUi : public Ui {
public:
    std::filesystem::path target;
    std::optional<std::string> open;
    void message(const std::string&) override {}
    bool confirm(const std::string&, bool) override { return true; }
    std::optional<std::string> saveFileName(const FileFilter&) override { return target.string(); }
    std::optional<std::string> openFileName(const FileFilter&) override { return open; }
    std::vector<std::string> openFileNames(const FileFilter&) override { return {}; }
    ModalResult showModal(Form&) override { return ModalResult::Cancel; }
    void openWithDesktop(const std::string&) override {}
    void printWindow() override {}
    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const Canvas&) override {}
};

}  // namespace vadrel::bench
