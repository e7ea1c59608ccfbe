#include "playback/TFormAutoStartTimer.h"

TFormAutoStartTimer::TFormAutoStartTimer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAutoStartTimer"));
    setWindowTitle(QStringLiteral("Automatic Start Timer"));
}
