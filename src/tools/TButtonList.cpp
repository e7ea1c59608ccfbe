#include "tools/TButtonList.h"

TButtonList::TButtonList(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ButtonList"));
}
