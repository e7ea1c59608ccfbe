// Start of the audio device at the end of the create step, the master volume setter and the
// blank board of multi-user start.
#include "board/MainForm.h"

#include "audio/Bass.h"
#include "board/Board.h"
#include "board/BassErrorText.h"
#include "board/MainFormButtons.h"
#include "board/OutputWatch.h"
#include "board/SetFile.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"

#include <QPushButton>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {
// The options file's own default for "SampleRaten".
constexpr int kDefaultSampleRate = 48000;
} // namespace

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
        if (!StartFallbackOutput(flags)) {
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
    if (outputWatch_ == nullptr) {
        outputWatch_ = new OutputWatch(tracer, ctx_.dialogs, [this] { return PlaybackWaiting && PlaybackWaiting(); }, this);
    }
    outputWatch_->start();
    BASS_SetConfig(BASS_CONFIG_BUFFER, static_cast<std::uint32_t>(s.BufferLength));
    VolumeChanging = true;
    VolumeControl->SetValue(s.Volume);
    SetVolume(s.Volume);
    VolumeChanging = false;
    return true;
}

bool TForm1::StartFallbackOutput(std::uint32_t flags)
{
    // An options file may hold a device or sample rate this machine's output refuses (edited by
    // hand, or moved from another machine): device 1 with the same rate first, then the asked
    // device at the default rate, then both defaults. Only when the defaults fail too does the
    // start end. The values that worked replace the refused ones, so the next start is clean.
    Settings& s = ctx_.settings;
    const int askedDevice = s.OutputDevice;
    const int askedRate = s.SampleRate;
    const std::pair<int, int> choices[] = {
        {1, askedRate}, {askedDevice, kDefaultSampleRate}, {1, kDefaultSampleRate}};
    for (std::size_t i = 0; i < std::size(choices); ++i) {
        const auto [device, rate] = choices[i];
        const bool triedBefore = (device == askedDevice && rate == askedRate) ||
                                 std::find(choices, choices + i, choices[i]) != choices + i;
        if (triedBefore) {
            continue;
        }
        BASS_Free();
        if (ctx_.InitOutput(device, static_cast<std::uint32_t>(rate), flags)) {
            s.OutputDevice = device;
            s.SampleRate = rate;
            const QString text =
                QStringLiteral("The sound output refused Device %1 at Sample Rate %2 from the "
                               "options file.\r \rRallybox uses Device %3 at Sample Rate %4.")
                    .arg(askedDevice)
                    .arg(askedRate)
                    .arg(device)
                    .arg(rate);
            ctx_.tracer.WriteTracer(text);
            ctx_.dialogs.MessageDlg(text, mtWarning, mbOK);
            return true;
        }
    }
    return false;
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
