#include "tools/TfrmCustomCuedButtons.h"

TfrmCustomCuedButtons::TfrmCustomCuedButtons(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCustomCuedButtons"));
}
