#include "tools/TFormHotKey.h"

TFormHotKey::TFormHotKey(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormHotKey"));
}
