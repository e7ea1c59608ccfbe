#include "playback/TTimedStartSet.h"

TTimedStartSet::TTimedStartSet(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TimedStartSet"));
    setWindowTitle(QStringLiteral("Timed Start Set"));
}
