#include "tools/TFormGenericScoreboard.h"

TFormGenericScoreboard::TFormGenericScoreboard(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormGenericScoreboard"));
}
