#pragma once
// Small widgets the windows share.

#include <QHBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>
#include <functional>
#include <initializer_list>

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

// A list whose keyboard moves (arrows, Home, End, pages) report themselves
// as a click does, so choosing a line by keyboard or by mouse is one thing.
class KeyboardList : public QListWidget {
public:
    using QListWidget::QListWidget;
    std::function<void()> onKeyboardMove;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// A multi-line coordinate field: no wrapping, numbered lines, and Tab moves
// on as in every other field (a tab character would end up inside the GML).
QPlainTextEdit* coordinateList(const char* name);

// Tab and Shift+Tab go through `widgets` in this order.
void tabOrder(std::initializer_list<QWidget*> widgets);

// An editable choice where Enter does nothing: typed texts are not added
// to its items.
QComboBox* choice(const char* name, const QStringList& items, const QString& hint = QString());

// A coordinate list shown as a multi-line field: each line followed by a
// break, so that the lines read back are exactly the lines shown.
void setLines(QPlainTextEdit* edit, const CoordList& lines);
CoordList lines(const QPlainTextEdit* edit);

// Field contents from a form; rewritten only when they differ, so the
// person's cursor and selection stay where they were.
void setText(QLineEdit* edit, const std::string& text);
void setChoice(QComboBox* combo, const std::string& text);
void setItems(QListWidget* list, const std::vector<std::string>& items);
std::vector<std::string> items(const QListWidget* list);
std::vector<int> selectedRows(const QListWidget* list);
// A list of files: each line shows the bare name, with the full path as its
// hint, and reads back as the full path.
void setFileItems(QListWidget* list, const std::vector<std::string>& paths);
std::vector<std::string> fileItems(const QListWidget* list);
void selectRows(QListWidget* list, const std::vector<int>& rows);

// The emblem and the window's big title, side by side.
QHBoxLayout* windowHeader(const QString& title, ClickableLabel*& emblem);

QPushButton* button(const QString& caption, const QString& hint, QWidget* parent = nullptr);

// The standard OK and "Cancelar" buttons of a small dialog, under the given
// names, closing it with its answer.
QDialogButtonBox* okCancel(QDialog* dialog, const char* okName, const char* cancelName);

}  // namespace vadrel::app
