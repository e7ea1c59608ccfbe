#pragma once
// Small builders for the game-day windows' named controls: every control carries the object name
// its handlers and tests find it by.
#include "platform/Color.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TColorPanel;

QPushButton* GameDayButton(QWidget* parent, const QString& name, const QString& caption);
TColorPanel* GameDayPanel(QWidget* parent, const QString& name, TColor color);
QLabel* GameDayLabel(QWidget* parent, const QString& name, const QString& text);
// A team-name edit: read-only, white on black, until double-clicked.
QLineEdit* TeamNameEdit(QWidget* parent, const QString& name, const QString& text);
// The number a score text holds ("00" reads 0); 0 for text that is no number.
int ScoreValue(const QString& text);
