#include "tools/TFormPersonalize.h"

TFormPersonalize::TFormPersonalize(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormPersonalize"));
    setWindowTitle(QStringLiteral("Form Personalize"));
}
