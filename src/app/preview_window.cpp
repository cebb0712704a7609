#include "app/preview_window.hpp"

#include <QHBoxLayout>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/qt_ui.hpp"
#include "app/widgets.hpp"

namespace vadrel::app {

namespace {

const char* const kCopiarHint = "Copia el dibujo al portapapeles para poder pegarlo en otro programa";

}  // namespace

QLayout* PreviewWindow::picture(Form& form, const std::function<void()>& copy)
{
    setObjectName(qs(form.instancia()));
    IDibujo = new QLabel;
    IDibujo->setObjectName("IDibujo");
    IDibujo->setFixedSize(kLadoDibujo, kLadoDibujo);
    canvas_.onRepaint = [this] { IDibujo->setPixmap(QPixmap::fromImage(canvas_.image())); };

    QPushButton* copiar = button("Copiar", kCopiarHint);
    copiar->setObjectName("BBCopiar");
    connect(copiar, &QPushButton::clicked, this, [this, copy] { run(copy); });

    auto* column = new QVBoxLayout;
    column->addWidget(copiar);
    auto* root = new QHBoxLayout(this);
    root->addWidget(IDibujo, 0, Qt::AlignTop | Qt::AlignLeft);
    root->addLayout(column);
    return column;
}

PreviewWindow::PreviewWindow(TFPreviewConOpciones& form, QWidget* parent) : FormWindow(form, parent), options_(&form)
{
    form.IDibujo = &canvas_;
    auto* column = static_cast<QVBoxLayout*>(picture(form, [&form] { form.BBCopiarClick(); }));
    auto option = [&](const char* name, const char* caption, const char* hint, void (TFPreviewConOpciones::*handler)()) {
        auto* c = new QCheckBox(caption);
        c->setObjectName(name);
        c->setToolTip(hint);
        column->addWidget(c);
        TFPreviewConOpciones* f = &form;
        connect(c, &QCheckBox::clicked, this, [this, f, handler] { run([f, handler] { (f->*handler)(); }); });
        return c;
    };
    CBPuntos = option("CBPuntos", "Puntos", "Numera los vértices del polígono", &TFPreviewConOpciones::CBPuntosClick);
    CBRef = option("CBRef", "Referencia", "Escribe la referencia en el centro del polígono",
                   &TFPreviewConOpciones::CBRefClick);
    CBSup = option("CBSup", "Superficie", "Escribe la superficie en el centro del polígono",
                   &TFPreviewConOpciones::CBSupClick);
    column->addStretch();
    fixSizeAndCentre();
}

PreviewWindow::PreviewWindow(TFVPrevTotal& form, QWidget* parent) : FormWindow(form, parent)
{
    form.IDibujo = &canvas_;
    static_cast<QVBoxLayout*>(picture(form, [&form] { form.BBCopiarClick(); }))->addStretch();
    fixSizeAndCentre();
}

void PreviewWindow::pull()
{
    if (!options_) return;
    options_->CBPuntos = CBPuntos->isChecked();
    options_->CBRef = CBRef->isChecked();
    options_->CBSup = CBSup->isChecked();
}

void PreviewWindow::push()
{
    IDibujo->setPixmap(QPixmap::fromImage(canvas_.image()));
    if (!options_) return;
    CBPuntos->setChecked(options_->CBPuntos);
    CBRef->setChecked(options_->CBRef);
    CBSup->setChecked(options_->CBSup);
}

}  // namespace vadrel::app
