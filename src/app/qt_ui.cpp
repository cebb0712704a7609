#include "app/qt_ui.hpp"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>
#include <QVBoxLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

#include "app/form_window.hpp"
#include "app/progress_box.hpp"
#include "app/report_details_dialog.hpp"
#include "app/report_pdf.hpp"
#include "app/shift_window.hpp"
#include "app/image_canvas.hpp"
#include "core/failure.hpp"
#include "report/report_signer.hpp"
#include "core/utf8_path.hpp"

namespace vadrel::app {

QString qs(const std::string& s) { return QString::fromStdString(s); }
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string str(const QString& s) { return s.toStdString(); }

// A chosen file as the system writes its names: Qt's dialogs give "/" on
// Windows too, and the messages show the name.
std::string fileName(const QString& chosen) { return str(QDir::toNativeSeparators(chosen)); }

QString qtFilter(const std::string& filter)
{
    const QStringList parts = qs(filter).split('|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        out << parts[i] + " (" + patterns + ")";
    }
    return out.join(";;");
}

QtUi::QtUi(WindowRegistry& windows) : windows_(windows) {}

void QtUi::message(const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), qs(text), QMessageBox::Ok, window_);
    box.exec();
}

namespace {

// A picture drawn as large as its place allows, square pixels kept: a
// comparison is read whole, never through scroll bars.
class FittedPicture : public QWidget {
public:
    explicit FittedPicture(QImage image) : image_(std::move(image))
    {
        setMinimumSize(280, 280);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    }
    QSize sizeHint() const override { return {560, 560}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::white);
        const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect target(QPoint((width() - fitted.width()) / 2, (height() - fitted.height()) / 2), fitted);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, image_);
    }

private:
    QImage image_;
};

// A report dialog's read-only text and its "Copiar" / "Cerrar" buttons.
struct ReportParts {
    QPlainTextEdit* text;
    QDialogButtonBox* buttons;
};

ReportParts reportParts(QDialog& dialog, const std::string& title, const std::string& text)
{
    dialog.setObjectName("Informe");
    dialog.setWindowTitle(qs(title));
    auto* list = new QPlainTextEdit(qs(text));
    list->setObjectName("Texto");
    list->setReadOnly(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* copy = buttons->addButton("Copiar", QDialogButtonBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked, &dialog,
                     [list] { QApplication::clipboard()->setText(list->toPlainText()); });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return {list, buttons};
}

}  // namespace

void QtUi::showReport(const std::string& title, const std::string& text)
{
    QDialog dialog(window_);
    auto [list, buttons] = reportParts(dialog, title, text);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list);
    layout->addWidget(buttons);
    dialog.resize(760, 420);
    buttons->button(QDialogButtonBox::Close)->setFocus();
    dialog.exec();
}

void QtUi::showPictureReport(const std::string& title, const std::string& text, int side,
                             const std::function<void(Canvas&)>& draw)
{
    ImageCanvas canvas(side);
    draw(canvas);
    QDialog dialog(window_);
    auto [list, buttons] = reportParts(dialog, title, text);
    auto* picture = new FittedPicture(canvas.image());
    picture->setObjectName("Dibujo");
    auto* body = new QHBoxLayout;
    body->addWidget(list, 2);
    body->addWidget(picture, 3);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(body);
    layout->addWidget(buttons);
    // The whole picture on the screen at hand, a laptop's too.
    const QRect free = window_ && window_->screen() ? window_->screen()->availableGeometry()
                                                    : QApplication::primaryScreen()->availableGeometry();
    dialog.resize(std::min(1100, free.width() * 9 / 10), std::min(720, free.height() * 9 / 10));
    buttons->button(QDialogButtonBox::Close)->setFocus();
    dialog.exec();
}

void QtUi::setBusy(bool busy)
{
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

std::unique_ptr<Progress> QtUi::startProgress() { return std::make_unique<ProgressBox>(window_); }

bool QtUi::confirm(const std::string& text, bool defaultYes)
{
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), qs(text),
                    QMessageBox::Yes | QMessageBox::No, window_);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::size_t> QtUi::choose(const std::string& text, const std::vector<std::string>& options,
                                        std::size_t preselected)
{
    QStringList items;
    for (const std::string& o : options) items << qs(o);
    bool ok = false;
    const QString chosen = QInputDialog::getItem(window_, QApplication::applicationName(), qs(text), items,
                                                 static_cast<int>(preselected), false, &ok);
    if (!ok) return std::nullopt;
    const auto at = items.indexOf(chosen);
    if (at < 0) return std::nullopt;
    return static_cast<std::size_t>(at);
}

std::optional<std::string> QtUi::saveFileName(const FileFilter& filter)
{
    QFileDialog dialog(window_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The file is replaced without a question, and whole or not at all.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilter(qtFilter(filter.filter));
    dialog.setDefaultSuffix(qs(filter.defaultExt));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return withDefaultExtension(fileName(dialog.selectedFiles().front()), filter.defaultExt);
}

std::optional<std::string> QtUi::openFileName(const FileFilter& filter)
{
    QFileDialog dialog(window_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);  // a typed name that does not exist reaches the loader
    dialog.setNameFilter(qtFilter(filter.filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return fileName(dialog.selectedFiles().front());
}

std::vector<std::string> QtUi::openFileNames(const FileFilter& filter)
{
    QFileDialog dialog(window_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(qtFilter(filter.filter));
    std::vector<std::string> files;
    if (dialog.exec() != QDialog::Accepted) return files;
    for (const QString& f : dialog.selectedFiles()) files.push_back(fileName(f));
    return files;
}

ModalResult QtUi::showModal(Form& form)
{
    auto it = windows_.find(&form);
    if (it == windows_.end()) return ModalResult::Cancel;
    return it->second->showModal();
}

bool QtUi::openWithDesktop(const std::string& path)
{
    // xdg-open tells by its exit status whether anything opened the file
    // (3: nothing to open it with, 4: the program failed); Qt's own call
    // only tells whether xdg-open started.
    const QString opener = QStandardPaths::findExecutable("xdg-open");
    if (opener.isEmpty()) return QDesktopServices::openUrl(QUrl::fromLocalFile(qs(path)));
    auto* process = new QProcess;
    process->start(opener, {qs(path)});
    if (!process->waitForStarted(5000)) {
        delete process;
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool finished = process->waitForFinished(10000);
    QApplication::restoreOverrideCursor();
    if (finished) {
        const bool opened = process->exitStatus() == QProcess::NormalExit && process->exitCode() == 0;
        delete process;
        return opened;
    }
    // Still running: a viewer started in the foreground, which goes on by
    // itself (deleting the process now would close it).
    QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
    return true;
}

void QtUi::printWindow()
{
    if (!window_) return;
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, window_);
    if (dialog.exec() != QDialog::Accepted) return;
    const QPixmap image = window_->grab();
    QPainter painter(&printer);
    const QRect page = painter.viewport();
    QSize size = image.size();
    size.scale(page.size(), Qt::KeepAspectRatio);
    painter.setViewport(page.x(), page.y(), size.width(), size.height());
    painter.setWindow(image.rect());
    painter.drawPixmap(0, 0, image);
}

void QtUi::setClipboardText(const std::string& text) { QApplication::clipboard()->setText(qs(text)); }

void QtUi::setClipboardImage(const Canvas& picture)
{
    if (auto* image = dynamic_cast<const ImageCanvas*>(&picture)) QApplication::clipboard()->setImage(image->image());
}

bool QtUi::pideFirma(report::FirmaInforme& firma)
{
    const std::filesystem::path archivo = report::archivoFirma();
    ReportDetailsDialog dialog(report::leeFirma(archivo), window_);
    if (dialog.exec() != QDialog::Accepted) return false;
    firma = dialog.firma();
    try {
        report::guardaFirma(archivo, firma);
    } catch (const Failure& f) {
        // The report goes on: only the next one starts empty.
        message(std::string(f.what()) + " Los datos del informe no se guardarán para el próximo.");
    }
    return true;
}

void QtUi::showShiftDialog(TFDesplazamiento& form)
{
    ShiftWindow dialog(form, window_);
    const QPointer<QWidget> before = window_;
    window_ = &dialog;
    dialog.showModal();
    window_ = before;
}

void QtUi::writeReport(const report::Informe& informe, const std::string& path) { guardaInformePdf(informe, pathFromUtf8(path)); }

}  // namespace vadrel::app
