#include "tools/TFormDuplicateList.h"

TFormDuplicateList::TFormDuplicateList(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormDuplicateList"));
    setWindowTitle(QStringLiteral("Duplicate(s) List"));
}
