#include "tools/TFormRoster.h"

TFormRoster::TFormRoster(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormRoster"));
    setWindowTitle(QStringLiteral("Team Roster"));
}
