#include "editing/TFormChangePageButton.h"

TFormChangePageButton::TFormChangePageButton(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormChangePageButton"));
}
