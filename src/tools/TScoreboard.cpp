#include "tools/TScoreboard.h"

TScoreboard::TScoreboard(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Scoreboard"));
    setWindowTitle(QStringLiteral("Baseball Scoreboard"));
}
