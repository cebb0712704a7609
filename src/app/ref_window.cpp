#include "app/ref_window.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"
#include "app/widgets.hpp"

namespace vadrel::app {

RefWindow::RefWindow(TFRef& form, QWidget* parent) : FormWindow(form, parent), form_(form)
{
    setObjectName("FRef");
    auto* label = new QLabel(qs(TFRef::Label1));
    label->setObjectName("Label1");
    ERef = new QLineEdit;
    ERef->setObjectName("ERef");
    QDialogButtonBox* buttons = okCancel(this, "BBOK", "BBCancel");

    auto* root = new QVBoxLayout(this);
    root->addWidget(label);
    root->addWidget(ERef);
    root->addWidget(buttons);
    fixSizeAndCentre();
}

void RefWindow::pull() { form_.ERef = str(ERef->text()); }
void RefWindow::push() { ERef->setText(qs(form_.ERef)); }

}  // namespace vadrel::app
