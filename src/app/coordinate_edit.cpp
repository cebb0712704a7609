#include "app/coordinate_edit.hpp"

#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>

namespace vadrel::app {

namespace {

// The margin left of the text: a widget of its own, painted by the editor.
class LineNumbers : public QWidget {
public:
    explicit LineNumbers(CoordinateEdit* editor) : QWidget(editor), editor_(editor) {}
    QSize sizeHint() const override { return {editor_->numbersWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { editor_->paintNumbers(event); }

private:
    CoordinateEdit* editor_;
};

}  // namespace

CoordinateEdit::CoordinateEdit(QWidget* parent) : QPlainTextEdit(parent), numbers_(new LineNumbers(this))
{
    connect(this, &QPlainTextEdit::blockCountChanged, this, [this] { fitMargin(); });
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& r, int dy) { followScroll(r, dy); });
    fitMargin();
}

int CoordinateEdit::numbersWidth() const
{
    int digits = 1;
    for (int n = std::max(1, blockCount()); n >= 10; n /= 10) ++digits;
    return 8 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(2, digits);
}

void CoordinateEdit::fitMargin() { setViewportMargins(numbersWidth(), 0, 0, 0); }

void CoordinateEdit::followScroll(const QRect& rect, int dy)
{
    if (dy)
        numbers_->scroll(0, dy);
    else
        numbers_->update(0, rect.y(), numbers_->width(), rect.height());
    if (rect.contains(viewport()->rect())) fitMargin();
}

void CoordinateEdit::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    numbers_->setGeometry(QRect(r.left(), r.top(), numbersWidth(), r.height()));
}

void CoordinateEdit::paintNumbers(QPaintEvent* event)
{
    QPainter painter(numbers_);
    painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
    painter.setPen(palette().color(QPalette::PlaceholderText));
    QTextBlock block = firstVisibleBlock();
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    const int width = numbers_->width() - 4;
    const int height = fontMetrics().height();
    while (block.isValid() && top <= event->rect().bottom()) {
        const int bottom = top + qRound(blockBoundingRect(block).height());
        if (block.isVisible() && bottom >= event->rect().top())
            painter.drawText(0, top, width, height, Qt::AlignRight, QString::number(block.blockNumber() + 1));
        block = block.next();
        top = bottom;
    }
}

void scrollTogether(QPlainTextEdit* x, QPlainTextEdit* y)
{
    // Both fields show one line per value in the same font, so their
    // scroll positions count the same lines.
    QScrollBar* a = x->verticalScrollBar();
    QScrollBar* b = y->verticalScrollBar();
    QObject::connect(a, &QScrollBar::valueChanged, b, [b](int v) {
        if (b->value() != v) b->setValue(v);
    });
    QObject::connect(b, &QScrollBar::valueChanged, a, [a](int v) {
        if (a->value() != v) a->setValue(v);
    });
}

}  // namespace vadrel::app
