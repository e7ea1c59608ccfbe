// The five-slot channel table: entering a sound, freeing ended and stopped slots, closing gaps,
// and the effect chain built on each new slot.
#include "playback/Playback.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "platform/Dialogs.h"
#include "platform/Rounding.h"
#include "playback/EqualizerBands.h"
#include "playback/PlaybackWindow.h"

#include <cmath>
#include <exception>

Playback::Playback(const PlaybackContext& context)
    : s_(context.state), board_(context.board), sel_(context.selection), set_(context.settings),
      tracer_(context.tracer), log_(context.playLog), dialogs_(context.dialogs), pump_(context.pump),
      clock_(context.clock), win_(context.window)
{
}

void Playback::ShowError(const QString& routine)
{
    dialogs_.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
}

bool Playback::Guarded(const QString& routine, const std::function<bool()>& body)
{
    try {
        return body();
    } catch (const std::exception&) {
        ShowError(routine);
        return false;
    }
}

bool Playback::OnDisplay(int group, int page) const
{
    return group == sel_.CurrentGroup && page == sel_.CurrentPage;
}

void Playback::MarkPlayed(int group, int page, int button)
{
    if (!Board::IsValidAddress(group, page, button)) {
        return;
    }
    int& state = board_.ButtonState[group][page][button];
    state = state == bstHighlightedPlaying ? bstHighlightedPlayed : bstPlayed;
    if (OnDisplay(group, page)) {
        win_.SetPanelColor(button, clRed);
    }
}

bool Playback::TableChannel(int group, int page, int button)
{
    tracer_.WriteTracer(QStringLiteral("TableChannel"));
    int n = 1;
    while (n <= ChannelSlots && s_.ChannelArray[n] != 0) {
        ++n;
    }
    s_.TableChannelPosition = n;
    if (n > ChannelSlots) {
        tracer_.WriteTracer(QStringLiteral("TableChannel stack is full, exiting"));
        s_.CurrentChannel = s_.ChannelArray[ChannelSlots];
        return false;
    }
    tracer_.WriteTracer(QStringLiteral("TableChannelPosition = ") + QString::number(n));
    s_.ChannelArray[n] = s_.CurrentChannel;
    s_.ChannelButton[n] = button;
    s_.ChannelPage[n] = page;
    s_.ChannelGroup[n] = group;
    s_.StoppedByClick = false;
    InitEqualizerChannel(n);
    if (board_.ButtonCustomCue[group][page][button] == QStringLiteral("Y")) {
        s_.ChannelCueFlag[n] = QStringLiteral("Y");
        s_.ChannelCueEnd[n] = board_.ButtonCueEnd[group][page][button];
    } else {
        s_.ChannelCueFlag[n] = QStringLiteral(" ");
        s_.ChannelCueEnd[n] = 0;
    }
    return true;
}

bool Playback::RoomInTableChannel()
{
    for (int n = 1; n <= ChannelSlots; ++n) {
        if (s_.ChannelArray[n] == 0) {
            tracer_.WriteTracer(QStringLiteral("RoomInTableChannel at ") + QString::number(n));
            return true;
        }
    }
    tracer_.WriteTracer(QStringLiteral("No RoomInTableChannel"));
    return false;
}

void Playback::ChannelStackDown(int slot)
{
    tracer_.WriteTracer(QStringLiteral("ChannelStackDown ") + QString::number(slot));
    if (slot >= ChannelSlots) {
        s_.ChannelArray[ChannelSlots] = 0;
        return;
    }
    for (int k = slot + 1; k <= ChannelSlots; ++k) {
        if (s_.ChannelArray[k] == 0) {
            continue;
        }
        s_.ChannelArray[k - 1] = s_.ChannelArray[k];
        s_.ChannelButton[k - 1] = s_.ChannelButton[k];
        s_.ChannelPage[k - 1] = s_.ChannelPage[k];
        s_.ChannelGroup[k - 1] = s_.ChannelGroup[k];
        s_.ChannelPauseVolume[k - 1] = s_.ChannelPauseVolume[k];
        s_.ChannelVolume[k - 1] = s_.ChannelVolume[k];
        s_.ChannelCueFlag[k - 1] = s_.ChannelCueFlag[k];
        s_.ChannelCueEnd[k - 1] = s_.ChannelCueEnd[k];
        s_.ChannelFX[k - 1] = s_.ChannelFX[k];
        s_.ChannelArray[k] = 0;
        s_.ChannelButton[k] = 0;
        s_.ChannelPage[k] = 0;
        s_.ChannelGroup[k] = 0;
        s_.ChannelPauseVolume[k] = 0;
        s_.ChannelVolume[k] = 0;
        s_.ChannelCueFlag[k] = QStringLiteral(" ");
        s_.ChannelCueEnd[k] = 0;
        s_.ChannelFX[k] = {};
        tracer_.WriteTracer(QStringLiteral("ChannelStackDown %1 to %2").arg(k).arg(k - 1));
        s_.lSoundTimer = true;
    }
    s_.ChannelArray[ChannelSlots] = 0;
    s_.CurrentChannel = s_.ChannelArray[1];
    sel_.PlayingGroup = s_.ChannelGroup[1];
    sel_.PlayingPage = s_.ChannelPage[1];
    sel_.PlayingButton = s_.ChannelButton[1];
}

void Playback::StopChannel()
{
    for (int n = 1; n <= ChannelSlots; ++n) {
        const BassHandle h = s_.ChannelArray[n];
        if (h == 0 || BASS_ChannelIsActive(h) != BassActiveStopped) {
            continue;
        }
        tracer_.WriteTracer(QStringLiteral("StopChannel SC1 - Channel is not active ") + QString::number(h));
        BASS_StreamFree(h);
        s_.ChannelArray[n] = 0;
        tracer_.WriteTracer(QStringLiteral("StopChannel - Clear ChannelArray ") + QString::number(n));
        const int g = s_.ChannelGroup[n];
        const int p = s_.ChannelPage[n];
        const int b = s_.ChannelButton[n];
        MarkPlayed(g, p, b);
        win_.CueEndPlay(g, p, b);
        ChannelStackDown(n);
    }
}

void Playback::StopAllChannels()
{
    tracer_.WriteTracer(QStringLiteral("StopAllChannels"));
    for (int n = 1; n <= ChannelSlots; ++n) {
        const BassHandle h = s_.ChannelArray[n];
        if (h == 0) {
            continue;
        }
        tracer_.WriteTracer(QStringLiteral("StopAllChannels - Stop Channel ") + QString::number(h));
        BASS_StreamFree(h);
        s_.ChannelArray[n] = 0;
        tracer_.WriteTracer(QStringLiteral("Stop All Channels - Clear ChannelArray ") + QString::number(n));
        MarkPlayed(s_.ChannelGroup[n], s_.ChannelPage[n], s_.ChannelButton[n]);
        EndCueEntry(s_.ChannelGroup[n], s_.ChannelPage[n], s_.ChannelButton[n]);
    }
    s_.lSoundTimer = false;
    s_.Playing = false;
}

void Playback::EndCueEntry(int group, int page, int button)
{
    if (s_.RestartingButton == std::array<int, 3>{group, page, button}) {
        // Played again at once: the entry ends with the replay.
        return;
    }
    win_.CueEndPlay(group, page, button);
}

bool Playback::AllChannelsIdle()
{
    for (int n = 1; n <= ChannelSlots; ++n) {
        if (s_.ChannelArray[n] != 0) {
            return false;
        }
    }
    s_.Playing = false;
    return true;
}

bool Playback::InitEqualizerChannel(int slot)
{
    try {
        tracer_.WriteTracer(QStringLiteral("InitEqualizerChannel") + QString::number(slot));
        const BassHandle h = s_.ChannelArray[slot];
        auto& fx = s_.ChannelFX[slot];
        for (int band = 1; band <= 10; ++band) {
            fx[band] = BASS_ChannelSetFX(h, BassFxParamEq, 1);
        }
        fx[11] = BASS_ChannelSetFX(h, BassFxReverb, 1);

        s_.EqParams.gainDb = 0;
        s_.EqParams.bandwidthSemitones = 18;
        for (int band = 1; band <= 10; ++band) {
            s_.EqParams.centerHz = EqualizerBandCentresHz[static_cast<std::size_t>(band - 1)];
            BASS_FXSetParameters(fx[band], s_.EqParams);
        }

        BASS_FXGetParameters(fx[11], s_.ReverbParams);
        const double x = 20 - s_.Equalizer.Reverb;
        s_.ReverbParams.reverbMixDb = static_cast<float>(-0.012 * x * x * x);
        s_.ReverbParams.reverbTimeMs = 1200;
        s_.ReverbParams.highFreqRatio = 0.1f;
        BASS_FXSetParameters(fx[11], s_.ReverbParams);

        if (s_.Equalizer.Tempo != 0) {
            BASS_FX_TempoSet(h, static_cast<float>(s_.Equalizer.Tempo), 0, -100);
        }

        const double freq = s_.CurrentChannelInfo.freq;
        EqualizerSliders& eq = s_.Equalizer;
        eq.SampleRateMin = 0;
        eq.SampleRateMax = 1;
        eq.SampleRateMax = RoundHalfEven(freq * 1.3);
        eq.SampleRateMin = RoundHalfEven(freq * 0.7);
        eq.SampleRateValue = static_cast<int>(s_.CurrentChannelInfo.freq);
        if (eq.SampleRateValue != static_cast<int>(s_.CurrentChannelInfo.freq)) {
            BASS_FX_TempoSet(h, -100, static_cast<float>(eq.SampleRateValue), -100);
            BassDspParams dsp;
            BASS_FX_DSP_GetParameters(h, BassDspSampleRate, dsp);
            dsp.sampleRate = static_cast<float>(eq.SampleRateValue);
            BASS_FX_DSP_SetParameters(h, BassDspSampleRate, dsp);
        }

        if (s_.EqualizerOn) {
            for (int band = 1; band <= 10; ++band) {
                BassEqParams params;
                BASS_FXGetParameters(fx[band], params);
                params.gainDb =
                    BandGainForFile(params.centerHz, s_.CurrentChannelInfo.freq,
                                    static_cast<float>(eq.Bands[static_cast<std::size_t>(band)] - 15));
                BASS_FXSetParameters(fx[band], params);
            }
        }
    } catch (const std::exception&) {
        dialogs_.MessageDlg(QStringLiteral("Error in InitEqualizerChannel\rNotify Program Author"), mtError, mbOK);
    }
    return true;
}
