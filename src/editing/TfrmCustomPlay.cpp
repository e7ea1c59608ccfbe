#include "editing/TfrmCustomPlay.h"

TfrmCustomPlay::TfrmCustomPlay(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCustomPlay"));
    setWindowTitle(QStringLiteral("Custom Cue Control Settings"));
}
