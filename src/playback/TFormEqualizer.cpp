#include "playback/TFormEqualizer.h"

TFormEqualizer::TFormEqualizer(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FormEqualizer"));
    setWindowTitle(QStringLiteral("Digital Signal Processing (DSP)  [Equalizer-Reverb-Tempo-Sample Rate]"));
}
