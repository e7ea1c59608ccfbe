#include "tools/GameDayWidgets.h"

#include "controls/ColorPanel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QPushButton* GameDayButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

TColorPanel* GameDayPanel(QWidget* parent, const QString& name, TColor color)
{
    auto* panel = new TColorPanel(parent);
    panel->setObjectName(name);
    panel->SetColor(color);
    return panel;
}

QLabel* GameDayLabel(QWidget* parent, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* TeamNameEdit(QWidget* parent, const QString& name, const QString& text)
{
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setStyleSheet(QStringLiteral("color: white; background: black;"));
    return edit;
}

int ScoreValue(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? value : 0;
}
