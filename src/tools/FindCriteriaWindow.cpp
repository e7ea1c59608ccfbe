#include "tools/FindCriteriaWindow.h"

TFormFindSpecs::TFormFindSpecs(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormFindSpecs"));
    setWindowTitle(QStringLiteral("Find"));
}
