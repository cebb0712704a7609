#pragma once
// A download's progress in a box over the window that asked, with
// "Cancelar"; the window is kept alive while each request waits.

#include <QProgressDialog>

#include "core/progress.hpp"

namespace vadrel::app {

// The box stays up after "Cancelar" (or Escape, or its close button) until
// the request under way has ended: until then the window behind it must
// not take another click.
class ProgressDialog : public QProgressDialog {
public:
    using QProgressDialog::QProgressDialog;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
};

class ProgressBox : public Progress {
public:
    explicit ProgressBox(QWidget* parent);

    void step(const std::string& text) override;
    void waiting() override;
    bool cancelled() override;

private:
    ProgressDialog dialog_;
    bool cancelled_ = false;
};

}  // namespace vadrel::app
