#include "tools/TFormAustralianFootball.h"

TFormAustralianFootball::TFormAustralianFootball(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAustralianFootball"));
    setWindowTitle(QStringLiteral("Australian Football"));
}
