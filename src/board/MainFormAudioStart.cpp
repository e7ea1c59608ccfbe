// Start of the audio device at the end of the create step, the master volume setter and the
// blank board of multi-user start.
#include "board/MainForm.h"

#include "audio/Bass.h"
#include "board/Board.h"
#include "board/BassErrorText.h"
#include "board/MainFormButtons.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"

#include <QPushButton>

bool TForm1::StartAudio()
{
    Settings& s = ctx_.settings;
    Tracer& tracer = ctx_.tracer;
    tracer.WriteTracer(QStringLiteral("Bass Version Check"));
    if ((BASS_GetVersion() >> 16) != 0x0203) {
        ctx_.dialogs.MessageDlg(QStringLiteral("Rallybox requires BASS.DLL version 2.3\r \rRallybox is aborting"),
                                mtError, mbOK);
        ctx_.Halt(1);
        return false;
    }
    tracer.WriteTracer(QStringLiteral("Check Output Device"));
    const std::uint32_t flags = s.StereoMode ? 0 : BASS_DEVICE_MONO;
    const auto rate = static_cast<std::uint32_t>(s.SampleRate);
    auto deviceText = [&s] {
        return QStringLiteral("Device is %1, Sample Rate is %2").arg(s.OutputDevice).arg(s.SampleRate);
    };
    if (!ctx_.InitOutput(s.OutputDevice, rate, flags)) {
        tracer.WriteTracer(QStringLiteral("Bass Initialization Failed:  ") + deviceText());
        tracer.WriteTracer(QStringLiteral("Bass Error Code is ") + QString::number(BASS_ErrorGetCode()));
        bool retried = false;
        if (s.OutputDevice != 1) {
            s.OutputDevice = 1;
            BASS_Free();
            retried = ctx_.InitOutput(s.OutputDevice, rate, flags);
        }
        if (!retried) {
            BassErrorFunction(QStringLiteral("BASSInitError"), tracer, ctx_.dialogs);
            ctx_.dialogs.MessageDlg(QStringLiteral("BASS Initialization failed...Rallybox is Aborting"), mtError, mbOK);
            BASS_Free();
            ctx_.Halt(1);
            return false;
        }
    }
    if (!BASS_Start()) {
        BassErrorFunction(QStringLiteral("BassContinue - BassStart"), tracer, ctx_.dialogs);
    }
    tracer.WriteTracer(QStringLiteral("  Bass Initialize:  ") + deviceText());
    BASS_SetConfig(BASS_CONFIG_BUFFER, static_cast<std::uint32_t>(s.BufferLength));
    VolumeChanging = true;
    VolumeControl->SetValue(s.Volume);
    SetVolume(s.Volume);
    VolumeChanging = false;
    return true;
}

bool TForm1::SetVolume(int volume)
{
    Settings& s = ctx_.settings;
    ctx_.tracer.WriteTracer(QStringLiteral("Set Volume ") + QString::number(volume));
    MasterVolume = volume;
    if (!BASS_SetVolume(static_cast<std::uint32_t>(volume))) {
        if (s.OutputDevice > 1) {
            ctx_.tracer.WriteTracer(QStringLiteral("SetVolume failed - Device is ") + QString::number(s.OutputDevice) +
                                    QStringLiteral("Exiting Set Volume routine"));
            return false;
        }
        BassErrorFunction(QStringLiteral("SetVolume"), ctx_.tracer, ctx_.dialogs);
    }
    VolumeControl->setToolTip(QStringLiteral("Volume: ") + QString::number(s.Volume) + QStringLiteral("%"));
    return true;
}

void TForm1::StartBlankBoard()
{
    Board& board = ctx_.board;
    board.SetFileName = ctx_.ProgramFolder + QStringLiteral("blankfile.set");
    LoadSetFile();
    board.EraseBoard();
    for (int page = 1; page <= PageButtonSlots; ++page) {
        TBitBtnWithColor* button = PageButtons[static_cast<std::size_t>(page)];
        AsPushButton(button)->setText(QStringLiteral("(Blank Page)"));
        SetButtonFontColor(button, clSilver);
    }
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        CustomCueLabels[i]->setText(QString());
        VolumeLabels[i]->setText(QString());
        LoopLabels[i]->setText(QString());
        ButtonPanels[i]->SetColor(clTeal);
        ButtonMemos[i]->setText(QString());
    }
}
