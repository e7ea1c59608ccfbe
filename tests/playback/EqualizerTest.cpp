// The equalizer window over live channels of the real play path, measured on audio rendered from
// the engine's manual clock.
#include "PlaybackFixture.h"

#include "audio/EngineManual.h"
#include "board/OptionsFile.h"
#include "controls/ButtonWithColor.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/IniFile.h"
#include "playback/TFormEqualizer.h"

#include <QComboBox>
#include <QDataStream>
#include <QLabel>
#include <QTest>

#include <cmath>
#include <numbers>

using namespace PlaybackTest;

namespace {

// A 16-bit stereo sine file at its own sample rate.
void WriteSineWav(const QString& path, int rate, double seconds, double hz, double level)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const int frames = static_cast<int>(seconds * rate);
    const auto dataBytes = static_cast<quint32>(frames * 4);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(2) << quint32(rate) << quint32(rate * 4) << quint16(4)
        << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (int f = 0; f < frames; ++f) {
        const auto s =
            static_cast<qint16>(std::lround(level * 32767 * std::sin(2 * std::numbers::pi * hz * f / rate)));
        out << s << s;
    }
}

// Amplitude of `hz` in the left channel of interleaved stereo output (Goertzel).
double Amplitude(const std::vector<float>& out, double hz)
{
    const std::size_t frames = out.size() / 2;
    const double w = 2 * std::numbers::pi * hz / kRate;
    double s1 = 0;
    double s2 = 0;
    for (std::size_t i = 0; i < frames; ++i) {
        const double s0 = out[i * 2] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s0;
    }
    const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(frames);
}

double Db(double ratio)
{
    return 20 * std::log10(ratio);
}

class EqualizerTest : public PlaybackFixture
{
protected:
    void SetUp() override
    {
        PlaybackFixture::SetUp();
        settings_.ButtonColor = clBtnFace;
        settings_.ActiveButtonColor = clYellow;
        options_ = std::make_unique<OptionsFile>(dir_.path(), settings_, *tracer_, dialogs_);
        eq_ = std::make_unique<TFormEqualizer>(EqualizerContext{state_, settings_, *options_, dialogs_,
                                                                [this](TColor c) { eqButton_ = c; },
                                                                [this] { ++focus_; }});
        eq_->Open();
    }

    void TearDown() override
    {
        eq_.reset();
        PlaybackFixture::TearDown();
    }

    void PlaySine(int button, int rate, double hz, double seconds = 3.0)
    {
        const QString path = dir_.filePath(QStringLiteral("sine%1.wav").arg(button));
        WriteSineWav(path, rate, seconds, hz, 0.1);
        AssignFile(button, path);
        ASSERT_TRUE(play_->ProcessSoundButton(button));
    }

    // Renders in 10 ms pieces, as the device would ask for them.
    std::vector<float> Listen(int frames)
    {
        std::vector<float> all;
        for (int done = 0; done < frames; done += kPumpFrames) {
            const auto piece = Render(std::min(kPumpFrames, frames - done));
            all.insert(all.end(), piece.begin(), piece.end());
        }
        return all;
    }

    double GainDb(int slot, int band) const
    {
        BassEqParams p;
        EXPECT_TRUE(BASS_FXGetParameters(state_.ChannelFX[slot][band], p));
        return p.gainDb;
    }

    std::unique_ptr<OptionsFile> options_;
    std::unique_ptr<TFormEqualizer> eq_;
    TColor eqButton_ = 0;
    int focus_ = 0;
};

} // namespace

TEST_F(EqualizerTest, APresetChangesTheMeasuredBandGainOfALiveChannelOnlyWhileTheEqualizerIsOn)
{
    PlaySine(1, kRate, 8000, 6.0);
    Listen(kRate / 2);
    const double flat = Amplitude(Listen(kRate / 2), 8000);
    ASSERT_GT(flat, 0.01);

    eq_->ClassicalEQButtonClick();
    EXPECT_EQ(eq_->BandBars[9]->Value(), 23);
    EXPECT_EQ(eq_->BandLabels[9]->text(), QStringLiteral("8"));
    EXPECT_EQ(GainDb(1, 9), 0.0); // off: the live sound stays flat
    Listen(kRate / 4);
    EXPECT_NEAR(Db(Amplitude(Listen(kRate / 2), 8000) / flat), 0.0, 0.3);

    eq_->EqualizerOnOffButtonClick();
    EXPECT_TRUE(state_.EqualizerOn);
    EXPECT_EQ(GainDb(1, 9), 8.0);
    EXPECT_EQ(GainDb(1, 1), -3.0);
    Listen(kRate / 4);
    EXPECT_GT(Db(Amplitude(Listen(kRate / 2), 8000) / flat), 7.0);
    EXPECT_EQ(eq_->ClassicalEQButton->Color(), clYellow);
    EXPECT_TRUE(eq_->PresetClassical);

    eq_->FlatButtonClick();
    EXPECT_EQ(GainDb(1, 9), 0.0);
    Listen(kRate / 4);
    EXPECT_NEAR(Db(Amplitude(Listen(kRate / 2), 8000) / flat), 0.0, 0.3);
    EXPECT_EQ(eq_->ClassicalEQButton->Color(), clBtnFace);
}

TEST_F(EqualizerTest, OneBandSliderActsOnThatBandOfEveryLiveSlotAndLightsTheEqButton)
{
    settings_.MultiPlay = true;
    PlaySine(1, kRate, 1000);
    PlaySine(2, kRate, 1000);
    eq_->Open(); // as the EQ button opens it, with the sample-rate bar at the sound's own rate
    eq_->EqualizerOnOffButtonClick();
    EXPECT_EQ(eqButton_, clYellow);
    eq_->BandBars[8]->SetValue(25);
    EXPECT_EQ(eq_->BandLabels[8]->text(), QStringLiteral("10"));
    for (int slot : {1, 2}) {
        EXPECT_EQ(GainDb(slot, 8), 10.0);
        EXPECT_EQ(GainDb(slot, 7), 0.0);
        EXPECT_EQ(GainDb(slot, 9), 0.0);
    }
    EXPECT_EQ(eqButton_, clYellow);
    eq_->BandBars[8]->SetValue(15);
    EXPECT_EQ(eqButton_, clBtnFace);
    // Off leaves the sliders and flattens the live bands; reverb still acts.
    eq_->BandBars[8]->SetValue(20);
    eq_->EqualizerOnOffButtonClick();
    EXPECT_EQ(eq_->BandBars[8]->Value(), 20);
    EXPECT_EQ(GainDb(1, 8), 0.0);
    EXPECT_EQ(eqButton_, clBtnFace);
}

TEST_F(EqualizerTest, ReverbBarGivesTheCubicMixOnEveryLiveSlot)
{
    PlaySine(1, kRate, 440);
    const std::pair<int, float> expected[] = {{20, 0.0f}, {15, -1.5f}, {10, -12.0f}, {0, -96.0f}};
    for (const auto& [value, mixDb] : expected) {
        eq_->zSlideBar11->SetValue(value);
        BassReverbParams p;
        ASSERT_TRUE(BASS_FXGetParameters(state_.ChannelFX[1][11], p));
        EXPECT_NEAR(p.reverbMixDb, mixDb, 1e-4) << value;
        EXPECT_EQ(eq_->Label11->text(), QString::number(value));
        EXPECT_EQ(state_.Equalizer.Reverb, value);
    }
    // Fully dry: the output is the steady sine itself.
    Listen(kRate / 2);
    EXPECT_NEAR(Amplitude(Listen(kRate / 2), 440), 0.1, 0.005);
}

TEST_F(EqualizerTest, TempoTwelvePercentShortensTheMeasuredDuration)
{
    PlaySine(1, kRate, 440, 1.0);
    eq_->tbTempo->SetValue(12);
    EXPECT_EQ(eq_->TempoLabel->text(), QStringLiteral("Tempo = 12%"));
    int loud = 0;
    for (int block = 0; block < 300 && BASS_ChannelIsActive(state_.ChannelArray[1]) != BassActiveStopped;
         ++block) {
        const auto out = Render(441);
        for (std::size_t i = 0; i < out.size(); i += 2) {
            loud += std::fabs(out[i]) > 1e-4f;
        }
    }
    const double seconds = static_cast<double>(loud) / kRate;
    EXPECT_NEAR(seconds, 1.0 / 1.12, 0.02);
    eq_->ResetTempoButtonClick();
    EXPECT_EQ(eq_->tbTempo->Value(), 0);
}

TEST_F(EqualizerTest, SampleRateShiftsEachSlotByTheSameRatioOfItsOwnRate)
{
    settings_.MultiPlay = true;
    PlaySine(1, kRate, 1000);
    PlaySine(2, 22050, 3000);
    eq_->Open(); // the bar takes the range of the sound started last (22050 Hz)
    EXPECT_EQ(eq_->tbSampleRate->Min(), 15435);
    EXPECT_EQ(eq_->tbSampleRate->Max(), 28665);
    eq_->tbSampleRate->SetValue(24255); // 1.1 x 22050
    EXPECT_EQ(eq_->SampleRateLabel->text(), QStringLiteral("Sample Rate (Pitch) = 24255 Hz"));
    Listen(kRate / 2);
    const auto out = Listen(kRate / 2);
    EXPECT_GT(Amplitude(out, 1100), 0.05);
    EXPECT_GT(Amplitude(out, 3300), 0.05);
    EXPECT_LT(Amplitude(out, 1000), 0.01);
    EXPECT_LT(Amplitude(out, 550), 0.01); // the 44.1 kHz sound was not given the other's rate
    BassDspParams dsp;
    ASSERT_TRUE(BASS_FX_DSP_GetParameters(state_.ChannelArray[1], BassDspSampleRate, dsp));
    EXPECT_EQ(dsp.sampleRate, 48510.0f);

    eq_->ResetSampleRateButtonClick();
    EXPECT_EQ(eq_->tbSampleRate->Value(), 22050);
    ASSERT_TRUE(BASS_FX_DSP_GetParameters(state_.ChannelArray[1], BassDspSampleRate, dsp));
    EXPECT_EQ(dsp.sampleRate, 44100.0f);
}

TEST_F(EqualizerTest, BandsAboveWhatALowRateFileHoldsStayFlat)
{
    settings_.MultiPlay = true;
    PlaySine(1, kRate, 1000);
    PlaySine(2, 22050, 1000);
    eq_->EqualizerOnOffButtonClick();
    eq_->ClassicalEQButtonClick();
    EXPECT_EQ(GainDb(1, 10), 10.0);
    EXPECT_EQ(GainDb(2, 10), 0.0); // 16 kHz >= 0.45 x 22050
    EXPECT_EQ(GainDb(2, 9), 8.0);  // 8 kHz stays below 9922.5 Hz
    EXPECT_EQ(GainDb(1, 9), 8.0);
    // A sound started later takes the window's sliders with the same rule.
    PlaySine(3, 22050, 1000);
    EXPECT_EQ(GainDb(3, 10), 0.0);
    EXPECT_EQ(GainDb(3, 1), -3.0);
}

TEST_F(EqualizerTest, BoostsClimbToTheTopOfTheBar)
{
    eq_->BandBars[1]->SetValue(30);
    eq_->BassBoostButtonClick();
    EXPECT_EQ(eq_->BandBars[1]->Value(), 30);
    EXPECT_EQ(eq_->BandBars[2]->Value(), 17);
    EXPECT_EQ(eq_->BandBars[3]->Value(), 18);
    EXPECT_EQ(eq_->BandBars[4]->Value(), 19);
    EXPECT_EQ(eq_->BandBars[5]->Value(), 15);
    eq_->MidBoostButtonClick();
    eq_->MidBoostButtonClick();
    EXPECT_EQ(eq_->BandBars[6]->Value(), 25);
    eq_->TrebleBoostButtonClick();
    EXPECT_EQ(eq_->BandLabels[9]->text(), QStringLiteral("5"));
    eq_->JazzEQButtonClick();
    EXPECT_EQ(eq_->BandLabels[10]->text(), QStringLiteral("-2"));
    EXPECT_EQ(state_.Equalizer.Bands[10], 13);
}

TEST_F(EqualizerTest, MySettingsAreAddedRecalledDeletedAndStoredInTheOptionsFile)
{
    eq_->RockEQButtonClick();
    dialogs_.QueueText(QStringLiteral("Loud"));
    eq_->MySettingsAddButtonClick();
    ASSERT_EQ(eq_->cbMySettings->count(), 1);
    IniFile ini(dir_.filePath(QStringLiteral("RBX.inf")));
    EXPECT_EQ(ini.ReadString("Main", "MySettingsName 1", "-"), QStringLiteral("Loud"));
    EXPECT_EQ(ini.ReadString("Main", "MySettingsValue 1", "-"), QStringLiteral("3,3,2,2,0,0,0,2,4,6"));

    dialogs_.QueueText(QStringLiteral("Loud"));
    eq_->MySettingsAddButtonClick();
    EXPECT_EQ(eq_->cbMySettings->count(), 1);
    EXPECT_EQ(dialogs_.Calls().back().text, QStringLiteral("There is already a setting named (Loud)"));
    dialogs_.QueueText(QStringLiteral("   "));
    eq_->MySettingsAddButtonClick();
    EXPECT_EQ(eq_->cbMySettings->count(), 1);

    eq_->FlatButtonClick();
    dialogs_.QueueText(QStringLiteral("Plain"));
    eq_->MySettingsAddButtonClick();
    eq_->cbMySettings->setCurrentIndex(0);
    eq_->cbMySettingsClick();
    EXPECT_EQ(eq_->BandBars[10]->Value(), 21);
    EXPECT_TRUE(eq_->PresetMySettings);
    EXPECT_EQ(eq_->MySettingsPanel->Color(), clYellow);
    EXPECT_EQ(eq_->cbMySettings->currentText(), QStringLiteral("Loud"));

    // Delete finds the row by its text, even with the selection cleared by a slider.
    eq_->cbMySettings->setCurrentIndex(-1);
    eq_->cbMySettings->setCurrentText(QStringLiteral("Loud"));
    dialogs_.QueueResult(mrYes);
    eq_->MySettingsDeleteButtonClick();
    ASSERT_EQ(eq_->cbMySettings->count(), 1);
    EXPECT_EQ(eq_->cbMySettings->itemText(0), QStringLiteral("Plain"));
    EXPECT_TRUE(settings_.MySettingsNames[1].isEmpty());
    IniFile after(dir_.filePath(QStringLiteral("RBX.inf")));
    EXPECT_EQ(after.ReadString("Main", "MySettingsName 1", "-"), QStringLiteral("Plain"));
    EXPECT_FALSE(after.ValueExists("Main", "MySettingsName 2"));

    dialogs_.QueueText(QStringLiteral("Again"));
    eq_->MySettingsAddButtonClick();
    EXPECT_EQ(settings_.MySettingsNames[1], QStringLiteral("Again")); // the freed slot is reused
    // The exit's writer keeps the list as the window shows it.
    ASSERT_TRUE(options_->UpdateINIFile());
    IniFile atExit(dir_.filePath(QStringLiteral("RBX.inf")));
    EXPECT_EQ(atExit.ReadString("Main", "MySettingsName 2", "-"), QStringLiteral("Again"));
}

TEST_F(EqualizerTest, AnEleventhPresetAndAnUnknownDeleteAreRefused)
{
    for (int i = 1; i <= 10; ++i) {
        dialogs_.QueueText(QStringLiteral("P%1").arg(i));
        eq_->MySettingsAddButtonClick();
    }
    EXPECT_EQ(eq_->cbMySettings->count(), 10);
    eq_->MySettingsAddButtonClick();
    EXPECT_EQ(dialogs_.Calls().back().text,
              QStringLiteral("You have filled up your ten settings, please delete one"));
    EXPECT_EQ(dialogs_.Calls().back().type, mtWarning);

    eq_->cbMySettings->setCurrentText(QStringLiteral("Nope"));
    dialogs_.QueueResult(mrYes);
    eq_->MySettingsDeleteButtonClick();
    EXPECT_EQ(dialogs_.Calls()[dialogs_.Calls().size() - 2].text,
              QStringLiteral("Do you want to DELETE this entry in My Settings\r(Nope)"));
    EXPECT_EQ(dialogs_.Calls().back().text, QStringLiteral("Could not find Nope"));
    EXPECT_EQ(eq_->cbMySettings->count(), 10);
}

TEST_F(EqualizerTest, TicksTakeTheirZoneColoursAndNeverDivideByZero)
{
    EXPECT_EQ(BandTickColor(10, 5), 0x0000FF);
    EXPECT_EQ(BandTickColor(10, 20), 0x000080);
    EXPECT_EQ(BandTickColor(15, 10), 0x008000);
    EXPECT_EQ(BandTickColor(20, 10), 0x008000);
    EXPECT_EQ(BandTickColor(20, 25), 0x00FF00);
    EXPECT_EQ(ReverbTickColor(5, 3), 0xFF0000);
    EXPECT_EQ(ReverbTickColor(5, 5), 0xFFFF00);
    EXPECT_EQ(BandTickHalf(190, 30, 1), 3);
    EXPECT_EQ(BandTickHalf(190, 0, 1), 0);
    EXPECT_EQ(BandTickHalf(190, 30, 0), 0);

    auto limeIn = [](const QImage& image) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if ((image.pixel(x, y) & 0xFFFFFF) == 0x00FF00) {
                    return true;
                }
            }
        }
        return false;
    };
    EXPECT_FALSE(limeIn(eq_->BandBars[1]->PaintToImage()));
    eq_->BandBars[1]->SetValue(30);
    EXPECT_TRUE(limeIn(eq_->BandBars[1]->PaintToImage()));
    // A sample-rate range of thousands of hertz still paints (ticks at least 2 pixels apart).
    state_.Equalizer.SampleRateMin = 30870;
    state_.Equalizer.SampleRateMax = 57330;
    state_.Equalizer.SampleRateValue = 44100;
    eq_->Open();
    EXPECT_FALSE(eq_->tbSampleRate->PaintToImage().isNull());
    // Tempo and rate ticks are 3 pixels wide, as the volume bar's (tempo ticks 3.7 pixels apart touch
    // in pairs); the first tick of a row is clear of the thumb.
    auto firstRun = [](const QImage& image, QRgb rgb) {
        for (int y = 0; y < image.height(); ++y) {
            int x = 0;
            while (x < image.width() && (image.pixel(x, y) & 0xFFFFFF) != rgb) {
                ++x;
            }
            int run = 0;
            while (x + run < image.width() && (image.pixel(x + run, y) & 0xFFFFFF) == rgb) {
                ++run;
            }
            if (run > 0) {
                return run;
            }
        }
        return 0;
    };
    EXPECT_GE(firstRun(eq_->tbTempo->PaintToImage(), 0xFFFF00), 3);
    EXPECT_EQ(firstRun(eq_->tbSampleRate->PaintToImage(), 0x800080), 3);
    eq_->ColorOnOffButtonClick();
    for (TzSlideBar* bar : eq_->AllBars()) {
        EXPECT_EQ(bar->TickStyle(), TzTickStyle::tsNormal);
    }
    EXPECT_EQ(eq_->ColorOnOffButton->Color(), clBtnFace);
}

TEST_F(EqualizerTest, ReverbTempoAndRateLightTheEqButtonOnlyWhileTheEqualizerIsOn)
{
    PlaySine(1, kRate, 440);
    eq_->Open();
    eq_->tbTempo->SetValue(5);
    EXPECT_EQ(eqButton_, clBtnFace);
    eq_->EqualizerOnOffButtonClick();
    eq_->ResetTempoButtonClick();
    EXPECT_EQ(eqButton_, clBtnFace);
    eq_->zSlideBar11->SetValue(3);
    EXPECT_EQ(eqButton_, clYellow);
    eq_->zSlideBar11->SetValue(0);
    EXPECT_EQ(eqButton_, clBtnFace);
    eq_->tbSampleRate->SetValue(40000);
    EXPECT_EQ(eqButton_, clYellow);
    eq_->ResetSampleRateButtonClick();
    EXPECT_EQ(eqButton_, clBtnFace);

    // Any key hands the focus back to the board; Hide closes with 1.
    const int before = focus_;
    QTest::keyClick(eq_.get(), Qt::Key_A);
    EXPECT_EQ(focus_, before + 1);
    eq_->HideButton->click();
    EXPECT_EQ(eq_->result(), 1);
    EXPECT_FALSE(eq_->isVisible());
}
