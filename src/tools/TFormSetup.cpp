#include "tools/TFormSetup.h"

TFormSetup::TFormSetup(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormSetup"));
    setWindowTitle(QStringLiteral("Setup Options"));
}
