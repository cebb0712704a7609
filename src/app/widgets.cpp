#include "app/widgets.hpp"

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

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    if (!hint.isEmpty()) b->setToolTip(hint);
    b->setAutoDefault(false);
    return b;
}

}  // namespace vadrel::app
