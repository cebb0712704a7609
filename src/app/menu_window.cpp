#include "app/menu_window.hpp"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/logo.hpp"
#include "app/qt_ui.hpp"
#include "app/widgets.hpp"
#include "shell/about_form.hpp"

namespace vadrel::app {

MenuWindow::MenuWindow(TFMenu& form) : FormWindow(form)
{
    setObjectName("FMenu");
    // The main window: a window of its own on the task bar, closing it ends
    // the program.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* image = new QLabel;
    image->setObjectName("Image1");
    image->setPixmap(vadrelLogo(96));

    auto* heading = new QLabel(qs(TFMenu::Label9));
    heading->setObjectName("Label9");
    QFont big = heading->font();
    big.setPointSizeF(big.pointSizeF() * 2.4);
    big.setBold(true);
    heading->setFont(big);
    auto* line1 = new QLabel(qs(kEditorLinea1));
    line1->setObjectName("Label1");
    auto* line2 = new QLabel(qs(kEditorLinea2));
    line2->setObjectName("Label10");

    auto* texts = new QVBoxLayout;
    texts->addWidget(heading);
    texts->addWidget(line1);
    texts->addWidget(line2);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(image);
    top->addLayout(texts);

    QPushButton* parcela = button("GML Parcela", QString());
    parcela->setObjectName("BBParcela");
    QPushButton* edif = button("GML Edificio", QString());
    edif->setObjectName("BBEdif");
    for (QPushButton* b : {parcela, edif}) b->setMinimumHeight(40);
    connect(parcela, &QPushButton::clicked, this, [this, &form] { run([&form] { form.BBParcelaClick(); }); });
    connect(edif, &QPushButton::clicked, this, [this, &form] { run([&form] { form.BBEdifClick(); }); });

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(parcela);
    root->addWidget(edif);
    // Escape would end the program.
    setClosesOnEscape(false);
    fixSizeAndCentre();
}

}  // namespace vadrel::app
