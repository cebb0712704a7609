#pragma once
// What the fuzz targets share: a Ui that answers every dialog from fields,
// the fuzz input as a file, and the forms' environment.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/environment.hpp"
#include "core/ui.hpp"

namespace vadrel::fuzz {

class FuzzUi : public Ui {
public:
    std::optional<std::string> open;
    std::vector<std::string> openMany;
    std::optional<std::string> save;
    bool answer = false;
    // What a modal window does before it is closed with this result.
    std::function<ModalResult(Form&)> onShowModal;

    std::size_t messages = 0;

    void message(const std::string&) override { ++messages; }
    bool confirm(const std::string&, bool) override { return answer; }
    std::optional<std::string> saveFileName(const FileFilter&) override { return save; }
    std::optional<std::string> openFileName(const FileFilter&) override { return open; }
    std::vector<std::string> openFileNames(const FileFilter&) override { return openMany; }
    ModalResult showModal(Form& form) override { return onShowModal ? onShowModal(form) : ModalResult::Cancel; }
    bool openWithDesktop(const std::string&) override { return true; }
    void printWindow() override {}
    void setClipboardText(const std::string&) override {}
    void setClipboardImage(const Canvas&) override {}
    void writeReport(const report::Informe&, const std::string&) override {}
    bool pideFirma(report::FirmaInforme&) override { return true; }
};

// A folder of this process's own, made on first use and removed at exit.
const std::filesystem::path& scratchDir();

// Writes bytes to `name` in the scratch folder and returns its path.
std::filesystem::path writeScratch(std::string_view name, std::string_view bytes);

// The program's templates and the batch number format.
Entorno entorno();

inline std::string_view asText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The input cut at every occurrence of `separator`, at most `maxParts`
// pieces (the last keeps any further separators).
std::vector<std::string_view> split(std::string_view text, std::string_view separator, std::size_t maxParts);

}  // namespace vadrel::fuzz
