#pragma once
// Small widgets the windows share.

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <functional>

#include "core/coord_list.hpp"

namespace vadrel::app {

// A picture that reports a double click.
class ClickableLabel : public QLabel {
public:
    using QLabel::QLabel;
    std::function<void()> onDoubleClick;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// A coordinate list shown as a multi-line field: each line followed by a
// break, so that the lines read back are exactly the lines shown.
void setLines(QPlainTextEdit* edit, const CoordList& lines);
CoordList lines(const QPlainTextEdit* edit);

// The emblem and the window's big title, side by side.
QHBoxLayout* windowHeader(const QString& title, ClickableLabel*& emblem);

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent = nullptr);

}  // namespace vadrel::app
