#include "app/web_dialog.hpp"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"

namespace vadrel::app {

WebDialog::WebDialog(TFVistaWeb& form, QWidget* parent) : FormWindow(form, parent)
{
    setObjectName(qs(form.instancia()));
    auto* root = new QVBoxLayout(this);
    for (auto [name, text] : {std::pair{"Label1", TFVistaWeb::Label1}, std::pair{"Label3", TFVistaWeb::Label3},
                              std::pair{"Label2", TFVistaWeb::Label2}}) {
        auto* l = new QLabel(qs(text));
        l->setObjectName(name);
        QFont f = l->font();
        f.setPixelSize(16);
        l->setFont(f);
        l->setAlignment(Qt::AlignHCenter);
        root->addWidget(l);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Yes | QDialogButtonBox::No);
    buttons->setCenterButtons(true);
    QPushButton* si = buttons->button(QDialogButtonBox::Yes);
    si->setObjectName("BBSi");
    si->setText("Sí");
    buttons->button(QDialogButtonBox::No)->setObjectName("BBNo");
    buttons->button(QDialogButtonBox::No)->setText("No");
    TFVistaWeb* f = &form;
    connect(si, &QPushButton::clicked, this, [this, f] {
        run([f] { f->BBSiClick(); });
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    root->addWidget(buttons);
    fixSizeAndCentre();
}

}  // namespace vadrel::app
