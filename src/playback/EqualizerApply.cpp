// The equalizer window's bars and what they do to the live slots of the channel table, and
// CheckDSPSettings, which lights the main window's "EQ/Rev/Temp" button.
#include "audio/Bass.h"
#include "board/Settings.h"
#include "controls/ButtonWithColor.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/Rounding.h"
#include "playback/EqualizerBands.h"
#include "playback/PlaybackState.h"
#include "playback/TFormEqualizer.h"

#include <QComboBox>
#include <QLabel>

int TFormEqualizer::NativeRate() const
{
    return static_cast<int>(ctx_.state.CurrentChannelInfo.freq);
}

void TFormEqualizer::ApplyBandToLiveSlots(int band, int gainDb)
{
    PlaybackState& st = ctx_.state;
    for (int n = 1; n <= ChannelSlots; ++n) {
        const BassHandle h = st.ChannelArray[n];
        if (h == 0) {
            continue;
        }
        const BassFxHandle fx = st.ChannelFX[n][band];
        if (!BASS_FXGetParameters(fx, st.EqParams)) {
            continue;
        }
        BassChannelInfo info;
        BASS_ChannelGetInfo(h, info);
        st.EqParams.gainDb = BandGainForFile(st.EqParams.centerHz, info.freq, static_cast<float>(gainDb));
        BASS_FXSetParameters(fx, st.EqParams);
    }
}

void TFormEqualizer::ApplyAllBandsToLiveSlots(bool flat)
{
    for (int k = 1; k <= Bands; ++k) {
        ApplyBandToLiveSlots(k, flat ? 0 : BandBars[k]->Value() - 15);
    }
}

void TFormEqualizer::BandChange(int band)
{
    Guarded(QStringLiteral("zSlideBar%1Change").arg(band), [&] {
        const int value = BandBars[band]->Value();
        BandLabels[band]->setText(QString::number(value - 15));
        ctx_.state.Equalizer.Bands[static_cast<std::size_t>(band)] = value;
        CheckDSPSettings();
        if (ctx_.state.EqualizerOn) {
            ApplyBandToLiveSlots(band, value - 15);
        }
    });
}

void TFormEqualizer::zSlideBar11Change()
{
    Guarded(QStringLiteral("zSlideBar11Change"), [&] {
        PlaybackState& st = ctx_.state;
        const int value = zSlideBar11->Value();
        st.Equalizer.Reverb = value;
        // 20 gives the full mix (0 dB), 0 leaves the sound dry (-96 dB).
        const double x = 20 - value;
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (st.ChannelArray[n] == 0) {
                continue;
            }
            const BassFxHandle fx = st.ChannelFX[n][11];
            if (!BASS_FXGetParameters(fx, st.ReverbParams)) {
                continue;
            }
            st.ReverbParams.reverbMixDb = static_cast<float>(-0.012 * x * x * x);
            BASS_FXSetParameters(fx, st.ReverbParams);
        }
        Label11->setText(QString::number(value));
        CheckDSPSettings();
    });
}

void TFormEqualizer::tbTempoChange()
{
    Guarded(QStringLiteral("TempoChange"), [&] {
        PlaybackState& st = ctx_.state;
        const int value = tbTempo->Value();
        TempoLabel->setText(QStringLiteral("Tempo = ") + QString::number(value) + QStringLiteral("%"));
        st.Equalizer.Tempo = value;
        CheckDSPSettings();
        for (int n = 1; n <= ChannelSlots; ++n) {
            if (st.ChannelArray[n] != 0) {
                BASS_FX_TempoSet(st.ChannelArray[n], static_cast<float>(value), 0, -100);
            }
        }
    });
}

void TFormEqualizer::ResetTempoButtonClick()
{
    tbTempo->SetValue(0);
    CheckDSPSettings();
}

void TFormEqualizer::ApplySampleRateToLiveSlots(int value)
{
    PlaybackState& st = ctx_.state;
    const int native = NativeRate();
    if (native <= 0) {
        return;
    }
    // The bar is in the current sound's hertz; each slot takes the same ratio of its own rate,
    // on its own handle, so sounds of different rates shift their pitch alike.
    const double ratio = static_cast<double>(value) / native;
    for (int n = 1; n <= ChannelSlots; ++n) {
        const BassHandle h = st.ChannelArray[n];
        BassChannelInfo info;
        if (h == 0 || !BASS_ChannelGetInfo(h, info) || info.freq == 0) {
            continue;
        }
        const float rate = static_cast<float>(RoundHalfEven(ratio * info.freq));
        BASS_FX_TempoSet(h, -100, rate, -100);
        BassDspParams dsp;
        dsp.option = 0;
        BASS_FX_DSP_GetParameters(h, BassDspSampleRate, dsp);
        dsp.sampleRate = rate;
        BASS_FX_DSP_SetParameters(h, BassDspSampleRate, dsp);
    }
}

void TFormEqualizer::tbSampleRateChange()
{
    if (syncing_) {
        return;
    }
    Guarded(QStringLiteral("SampleRateChange"), [&] {
        const int value = tbSampleRate->Value();
        SampleRateLabel->setText(QStringLiteral("Sample Rate (Pitch) = ") + QString::number(value) +
                                 QStringLiteral(" Hz"));
        ctx_.state.Equalizer.SampleRateValue = value;
        CheckDSPSettings();
        ApplySampleRateToLiveSlots(value);
    });
}

void TFormEqualizer::ResetSampleRateButtonClick()
{
    tbSampleRate->SetValue(NativeRate());
    CheckDSPSettings();
}

bool TFormEqualizer::CheckDSPSettings()
{
    return Guarded(QStringLiteral("CheckDSPSettings"), [&] {
        const Settings& s = ctx_.settings;
        if (ctx_.PaintEqualizerButton) {
            ctx_.PaintEqualizerButton(s.ButtonColor);
        }
        ClearPresetFlags();
        PaintStyleButtons(s.ButtonColor);
        MySettingsPanel->SetColor(clBtnFace);
        cbMySettings->setCurrentIndex(-1);
        if (!ctx_.state.EqualizerOn) {
            return;
        }
        bool changed =
            zSlideBar11->Value() != 0 || tbTempo->Value() != 0 || tbSampleRate->Value() != NativeRate();
        for (int k = 1; k <= Bands; ++k) {
            changed = changed || BandBars[k]->Value() != 15;
        }
        if (changed && ctx_.PaintEqualizerButton) {
            ctx_.PaintEqualizerButton(s.ActiveButtonColor);
        }
    });
}
