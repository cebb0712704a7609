#pragma once
// The person's side of every form: real modal dialogs, the printer, the
// desktop. One per window, so boxes open over the window that asks.

#include <QPointer>
#include <QString>
#include <QWidget>
#include <map>

#include "app/report_measure.hpp"
#include "core/ui.hpp"

namespace vadrel::app {

class FormWindow;

// Which window shows which form; filled as the windows are created.
using WindowRegistry = std::map<const Form*, FormWindow*>;

class QtUi : public Ui {
public:
    explicit QtUi(WindowRegistry& windows);

    void setWindow(QWidget* window) { window_ = window; }
    QWidget* window() const { return window_; }

    void message(const std::string& text) override;
    void showReport(const std::string& title, const std::string& text) override;
    void showPictureReport(const std::string& title, const std::string& text, int side,
                           const std::function<void(Canvas&)>& draw) override;
    void setBusy(bool busy) override;
    std::unique_ptr<Progress> startProgress() override;
    bool confirm(const std::string& text, bool defaultYes) override;
    std::optional<std::size_t> choose(const std::string& text, const std::vector<std::string>& options,
                                      std::size_t preselected) override;
    std::optional<std::string> saveFileName(const FileFilter& filter) override;
    std::optional<std::string> openFileName(const FileFilter& filter) override;
    std::vector<std::string> openFileNames(const FileFilter& filter) override;
    ModalResult showModal(Form& form) override;
    bool openWithDesktop(const std::string& path) override;
    void printWindow() override;
    void setClipboardText(const std::string& text) override;
    void setClipboardImage(const Canvas& picture) override;
    void writeReport(const report::Informe& informe, const std::string& path) override;
    const report::MedidaTexto& medidaTexto() const override { return medida_; }
    // The dialog starts from the details kept from the last report and
    // keeps what the person accepts.
    bool pideFirma(report::FirmaInforme& firma) override;
    // Boxes the dialog's form opens go over the dialog while it is up.
    void showShiftDialog(TFDesplazamiento& form) override;

private:
    WindowRegistry& windows_;
    MedidaPdf medida_;
    QPointer<QWidget> window_;
};

// "Archivos GML|*.gml|Todos|*.*" as Qt writes it: "Archivos GML (*.gml);;Todos (*.*)".
QString qtFilter(const std::string& filter);

QString qs(const std::string& s);
QString qs(std::string_view s);
std::string str(const QString& s);

}  // namespace vadrel::app
