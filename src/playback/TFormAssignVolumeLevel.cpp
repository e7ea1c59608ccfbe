#include "playback/TFormAssignVolumeLevel.h"

TFormAssignVolumeLevel::TFormAssignVolumeLevel(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormAssignVolumeLevel"));
    setWindowTitle(QStringLiteral("Assign Volume Level"));
}
