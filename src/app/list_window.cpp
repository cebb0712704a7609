#include "app/list_window.hpp"

#include <QDialogButtonBox>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"
#include "app/widgets.hpp"

namespace vadrel::app {

ListWindow::ListWindow(TFList& form, QWidget* parent) : FormWindow(form, parent), form_(form)
{
    setObjectName("FList");
    auto* label = new QLabel(qs(TFList::Label1));
    label->setObjectName("Label1");

    // Monospaced and unwrapped, so the pasted columns line up as AutoCAD printed them.
    Memo1 = new QPlainTextEdit;
    Memo1->setObjectName("Memo1");
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed("monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    Memo1->setFont(fixed);
    Memo1->setTabChangesFocus(true);
    Memo1->setMinimumSize(720, 420);

    QDialogButtonBox* buttons = okCancel(this, "BBOk", "BBCancel");

    auto* root = new QVBoxLayout(this);
    root->addWidget(label);
    root->addWidget(Memo1, 1);
    root->addWidget(buttons);
    resize(sizeHint());
}

void ListWindow::showEvent(QShowEvent* event)
{
    FormWindow::showEvent(event);
    // Every opening starts in the text box: the focus left on "Aceptar" by
    // the last one made Ctrl+V paste nothing and Enter accept an empty text.
    Memo1->setFocus(Qt::OtherFocusReason);
}

void ListWindow::pull() { form_.Memo1 = lines(Memo1); }
void ListWindow::push() { setLines(Memo1, form_.Memo1); }

}  // namespace vadrel::app
