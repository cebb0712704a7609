#pragma once
// The "Coord. X" / "Coord. Y" fields: one value per line, numbered in a
// margin, and a pair that scrolls as one, so that line n of X always sits
// beside line n of Y.

#include <QPlainTextEdit>

namespace vadrel::app {

class CoordinateEdit : public QPlainTextEdit {
public:
    explicit CoordinateEdit(QWidget* parent = nullptr);

    // The margin's width for the current number of lines.
    int numbersWidth() const;
    // Called by the margin to paint the visible lines' numbers.
    void paintNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void fitMargin();
    void followScroll(const QRect& rect, int dy);

    QWidget* numbers_;
};

// X and Y scroll together, whichever of them the person scrolls.
void scrollTogether(QPlainTextEdit* x, QPlainTextEdit* y);

}  // namespace vadrel::app
