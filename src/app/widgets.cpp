#include "app/widgets.hpp"

#include "app/logo.hpp"
#include "app/qt_ui.hpp"

namespace vadrel::app {

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (onDoubleClick) onDoubleClick();
}

void setLines(QPlainTextEdit* edit, const CoordList& list)
{
    const QString text = qs(joinLines(list, "\n"));
    // Rewriting an unchanged text would only move the person's cursor.
    if (edit->toPlainText() != text) edit->setPlainText(text);
}

CoordList lines(const QPlainTextEdit* edit) { return splitLines(str(edit->toPlainText())); }

QHBoxLayout* windowHeader(const QString& title, ClickableLabel*& emblem)
{
    emblem = new ClickableLabel;
    emblem->setObjectName("Image1");
    emblem->setPixmap(vadrelLogo(56));
    auto* label = new QLabel(title);
    QFont f = label->font();
    f.setPointSizeF(f.pointSizeF() * 1.8);
    f.setBold(true);
    label->setFont(f);
    auto* header = new QHBoxLayout;
    header->addWidget(emblem);
    header->addWidget(label);
    header->addStretch();
    return header;
}

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    if (!hint.isEmpty()) b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

}  // namespace vadrel::app
