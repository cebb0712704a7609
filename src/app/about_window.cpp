#include "app/about_window.hpp"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "app/logo.hpp"
#include "app/qt_ui.hpp"

namespace vadrel::app {

AboutWindow::AboutWindow(TFAcercade& form, QWidget* parent) : FormWindow(form, parent)
{
    setObjectName("FAcercade");
    auto label = [](const char* name, std::string_view text, double scale = 1.0, bool bold = false) {
        auto* l = new QLabel(qs(text));
        l->setObjectName(name);
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * scale);
        f.setBold(bold);
        l->setFont(f);
        return l;
    };

    auto* image = new QLabel;
    image->setObjectName("Image1");
    image->setPixmap(vadrelLogo(88));

    auto* who = new QVBoxLayout;
    who->addWidget(label("Label1", TFAcercade::Label1, 1.8, true));
    who->addWidget(label("Label2", TFAcercade::Label2, 1.0, true));
    who->addWidget(label("Label3", TFAcercade::Label3));
    who->addWidget(label("Label4", TFAcercade::Label4));
    who->addWidget(label("Label5", TFAcercade::Label5));
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addLayout(who, 1);

    auto* memo = new QPlainTextEdit(QString::fromUtf8(TFAcercade::Memo1));
    memo->setObjectName("Memo1");
    memo->setReadOnly(true);
    memo->setMinimumSize(560, 340);

    auto* close = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(close, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(label("Label7", TFAcercade::Label7, 0.9));
    bottom->addStretch();
    bottom->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(label("Label6", TFAcercade::Label6, 1.1, true));
    root->addWidget(memo);
    root->addLayout(bottom);
    fixSizeAndCentre();
}

}  // namespace vadrel::app
