#include "app/widgets.hpp"

#include "app/coordinate_edit.hpp"
#include "app/logo.hpp"
#include "app/qt_ui.hpp"

#include <QFileInfo>

namespace vadrel::app {

void ClickableLabel::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLabel::mouseDoubleClickEvent(event);
    if (onDoubleClick) onDoubleClick();
}

void KeyboardList::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && onKeyboardMove) onKeyboardMove();
}

QPlainTextEdit* coordinateList(const char* name)
{
    auto* m = new CoordinateEdit;
    m->setObjectName(name);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setTabChangesFocus(true);
    return m;
}

void tabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* previous = nullptr;
    for (QWidget* w : widgets) {
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

QComboBox* choice(const char* name, const QStringList& items, const QString& hint)
{
    auto* c = new QComboBox;
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    if (!hint.isEmpty()) c->setToolTip(hint);
    return c;
}

CoordList lines(const QPlainTextEdit* edit) { return splitLines(str(edit->toPlainText())); }

void setLines(QPlainTextEdit* edit, const CoordList& list)
{
    // Rewriting unchanged lines would only move the person's cursor, and
    // add the line end the person did not type after the last one.
    if (lines(edit) == list) return;
    edit->setPlainText(qs(joinLines(list, "\n")));
}


void setText(QLineEdit* edit, const std::string& text)
{
    if (edit->text() != qs(text)) edit->setText(qs(text));
}

void setChoice(QComboBox* combo, const std::string& text)
{
    if (combo->currentText() != qs(text)) combo->setCurrentText(qs(text));
}

void setItems(QListWidget* list, const std::vector<std::string>& wanted)
{
    if (items(list) == wanted) return;
    list->clear();
    for (const auto& s : wanted) list->addItem(qs(s));
}

std::vector<std::string> items(const QListWidget* list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(str(list->item(i)->text()));
    return out;
}

void setFileItems(QListWidget* list, const std::vector<std::string>& paths)
{
    if (fileItems(list) == paths) return;
    list->clear();
    for (const auto& p : paths) {
        auto* item = new QListWidgetItem(QFileInfo(qs(p)).fileName(), list);
        item->setData(Qt::UserRole, qs(p));
        item->setToolTip(qs(p));
    }
}

std::vector<std::string> fileItems(const QListWidget* list)
{
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(str(list->item(i)->data(Qt::UserRole).toString()));
    return out;
}

std::vector<int> selectedRows(const QListWidget* list)
{
    std::vector<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) rows.push_back(i);
    return rows;
}

void selectRows(QListWidget* list, const std::vector<int>& rows)
{
    if (selectedRows(list) == rows) return;
    list->clearSelection();
    for (int r : rows)
        if (r >= 0 && r < list->count()) list->item(r)->setSelected(true);
}

QHBoxLayout* windowHeader(const QString& title, ClickableLabel*& emblem)
{
    emblem = new ClickableLabel;
    emblem->setObjectName("Image1");
    emblem->setPixmap(vadrelLogo(44));
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

QDialogButtonBox* okCancel(QDialog* dialog, const char* okName, const char* cancelName)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(okName);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(cancelName);
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancelar");
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace vadrel::app
