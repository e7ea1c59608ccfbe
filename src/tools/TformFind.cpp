#include "tools/TformFind.h"

TformFind::TformFind(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("formFind"));
    setWindowTitle(QStringLiteral("Matches Found"));
}
