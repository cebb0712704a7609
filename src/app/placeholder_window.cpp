#include "app/placeholder_window.hpp"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"

namespace vadrel::app {

PlaceholderWindow::PlaceholderWindow(Form& form, QWidget* parent) : FormWindow(form, parent)
{
    setObjectName(qs(form.instancia()));
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* root = new QVBoxLayout(this);
    root->addStretch();
    root->addWidget(close);
    resize(480, 360);
}

}  // namespace vadrel::app
