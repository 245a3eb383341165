#include "editor/WidgetWrites.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include "nodeconf/TextEncoding.h"

namespace mnm::editor {

QString Shown(const std::string& cp1252) { return QString::fromStdString(Cp1252ToUtf8(cp1252)); }

std::string Held(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

void WriteText(QLineEdit* edit, const std::string& cp1252)
{
    const QString text = Shown(cp1252);
    if (edit->text() == text) return;
    const QSignalBlocker quiet(edit);
    edit->setText(text);
}

void WriteText(QComboBox* box, const std::string& cp1252)
{
    const QString text = Shown(cp1252);
    if (box->currentText() == text) return;
    const QSignalBlocker quiet(box);
    const int item = box->findText(text);
    box->setCurrentIndex(item); // -1 leaves no item chosen
    box->setEditText(text);
}

void WriteChecked(QAbstractButton* button, bool checked)
{
    if (button->isChecked() == checked) return;
    const QSignalBlocker quiet(button);
    button->setChecked(checked);
}

void WriteShown(QWidget* widget, bool shown)
{
    if (widget->isHidden() != shown) return;
    widget->setVisible(shown);
}

void WriteEnabled(QWidget* widget, bool enabled)
{
    if (widget->isEnabledTo(widget->parentWidget()) == enabled) return;
    widget->setEnabled(enabled);
}

void KeepPlaceWhenHidden(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets) {
        QSizePolicy policy = widget->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        widget->setSizePolicy(policy);
    }
}

QLabel* BuddyLabel(const QString& text, int id, QWidget* buddy, QWidget* parent)
{
    QLabel* label = PlainLabel(text, id, parent);
    label->setBuddy(buddy);
    QString name = text;
    buddy->setAccessibleName(name.remove('&'));
    return label;
}

QLabel* PlainLabel(const QString& text, int id, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    if (id != 0) label->setObjectName(QString::number(id));
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace mnm::editor
