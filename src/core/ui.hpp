#pragma once
// The only way a form reaches the person: the desktop skin answers with real
// dialogs, the batch command from its options, tests from a script.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/form.hpp"
#include "core/progress.hpp"

namespace vadrel {

// A file dialog's filter in the "Description|*.ext|Other|*.*" form and the
// extension added to a typed name that has none ("gml", without dot).
struct FileFilter {
    std::string filter;
    std::string defaultExt;
};

class Canvas;
class TFDesplazamiento;
namespace report {
struct Informe;
struct FirmaInforme;
class MedidaTexto;
}

class Ui {
public:
    virtual ~Ui() = default;

    // A modal box with an OK button.
    virtual void message(const std::string& text) = 0;
    // A long text (a list of problems) in a box where it can be read and
    // copied; a plain message where there is no such box.
    virtual void showReport(const std::string& title, const std::string& text)
    {
        (void)title;
        message(text);
    }
    // The same with a picture beside the text, drawn by `draw` on a square
    // canvas of `side` pixels; where pictures cannot be shown, the text alone.
    virtual void showPictureReport(const std::string& title, const std::string& text, int side,
                                   const std::function<void(Canvas&)>& draw)
    {
        (void)side;
        (void)draw;
        showReport(title, text);
    }
    // Long work under way (the pointer shows it) or over.
    virtual void setBusy(bool busy) { (void)busy; }
    // A progress box with "Cancelar", shown for as long as what it returns
    // lives; where there is none, a progress that shows nothing.
    virtual std::unique_ptr<Progress> startProgress() { return std::make_unique<Progress>(); }
    // A modal Yes/No question; true for Yes.
    virtual bool confirm(const std::string& text, bool defaultYes) = 0;
    // A modal choice among `options`, `preselected` offered; the index
    // chosen, or nothing when the person cancels (as where none is shown).
    virtual std::optional<std::size_t> choose(const std::string& text, const std::vector<std::string>& options,
                                              std::size_t preselected)
    {
        (void)text;
        (void)options;
        (void)preselected;
        return std::nullopt;
    }
    // The chosen path, or nothing when the person cancels.
    virtual std::optional<std::string> saveFileName(const FileFilter& filter) = 0;
    virtual std::optional<std::string> openFileName(const FileFilter& filter) = 0;
    // Several files at once; none when the person cancels.
    virtual std::vector<std::string> openFileNames(const FileFilter& filter) = 0;

    // Shows another window modally until it is closed.
    virtual ModalResult showModal(Form& form) = 0;
    // Asks the desktop to open a document with its default application;
    // false when it could not (nothing to open it with, a viewer that fails).
    virtual bool openWithDesktop(const std::string& path) = 0;
    // The print dialog, then an image of the form's window scaled to the
    // page; cancelling prints nothing.
    virtual void printWindow() = 0;
    // Plain text onto the clipboard.
    virtual void setClipboardText(const std::string& text) = 0;
    // A preview's picture onto the clipboard, as an image.
    virtual void setClipboardImage(const Canvas& picture) = 0;
    // The client's report as a PDF document, written whole or not at all;
    // throws Failure with the file's message.
    virtual void writeReport(const report::Informe& informe, const std::string& path) = 0;
    // "Datos del informe": who signs the report and for whom, `firma`
    // holding the values to show; false when the person cancels.
    virtual bool pideFirma(report::FirmaInforme& firma) = 0;
    // "Desplazamiento": the common points' dialog over `form` until the
    // person closes it; where there is no such dialog, nothing.
    virtual void showShiftDialog(TFDesplazamiento& form) { (void)form; }
    // How wide the report's texts come out in the font writeReport sets
    // them in; without a font, a measure that never falls short.
    virtual const report::MedidaTexto& medidaTexto() const;
};

// The busy pointer for as long as it lives, whatever way the work ends.
class BusyPointer {
public:
    explicit BusyPointer(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
    ~BusyPointer() { ui_.setBusy(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    Ui& ui_;
};

// What a save dialog does to a typed name: adds ".ext" when it has none.
std::string withDefaultExtension(const std::string& path, const std::string& ext);

// What opens a document the program hands to the desktop.
enum class Visor { Navegador, LectorPdf };
// Opens the document with the desktop; when that fails, tells the person
// which file to open and with what, so the button never fails silently.
void abreDocumento(Ui& ui, const std::string& path, Visor visor);

}  // namespace vadrel
