// The equalizer's style presets, boosts, Flat, On/Off, Colors On/Off and the stored presets
// ("My Settings", kept in the options file).
#include "board/OptionsFile.h"
#include "board/Settings.h"
#include "controls/ButtonWithColor.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"
#include "playback/PlaybackState.h"
#include "playback/TFormEqualizer.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>

namespace {

using Sliders = std::array<int, TFormEqualizer::Bands>;

const Sliders kRock{18, 18, 17, 17, 15, 15, 15, 17, 19, 21};
// Band 10 at 13 (-2 dB): slider, label and the gain the live sounds get agree.
const Sliders kJazz{11, 12, 13, 15, 17, 18, 18, 17, 15, 13};
const Sliders kCountry{12, 18, 17, 17, 15, 17, 17, 20, 20, 19};
const Sliders kClassical{12, 13, 13, 15, 15, 15, 17, 19, 23, 25};
const Sliders kBassBoost{1, 2, 3, 4, 0, 0, 0, 0, 0, 0};
const Sliders kMidBoost{0, 0, 0, 0, 3, 5, 3, 0, 0, 0};
const Sliders kTrebleBoost{0, 0, 0, 0, 0, 0, 0, 3, 5, 3};

} // namespace

void TFormEqualizer::PaintStyleButtons(TColor color)
{
    for (TBitBtnWithColor* b : {RockEQButton, JazzEQButton, CountryEQButton, ClassicalEQButton}) {
        b->SetColor(color);
    }
}

void TFormEqualizer::ClearPresetFlags()
{
    PresetRock = PresetJazz = PresetCountry = PresetClassical = PresetMySettings = false;
}

void TFormEqualizer::ApplyStylePreset(const std::array<int, Bands>& sliders, TBitBtnWithColor* lit,
                                      bool& flag)
{
    for (int k = 1; k <= Bands; ++k) {
        BandBars[k]->SetValue(sliders[static_cast<std::size_t>(k - 1)]);
    }
    CheckDSPSettings();
    PaintStyleButtons(ctx_.settings.ButtonColor);
    lit->SetColor(ctx_.settings.ActiveButtonColor);
    ClearPresetFlags();
    flag = true;
    cbMySettings->setCurrentIndex(-1);
    if (ctx_.state.EqualizerOn) {
        ApplyAllBandsToLiveSlots(false);
    }
}

void TFormEqualizer::RockEQButtonClick()
{
    Guarded(QStringLiteral("Equalizer - RockEQButton"),
            [&] { ApplyStylePreset(kRock, RockEQButton, PresetRock); });
}

void TFormEqualizer::JazzEQButtonClick()
{
    Guarded(QStringLiteral("JazzEQButton"), [&] { ApplyStylePreset(kJazz, JazzEQButton, PresetJazz); });
}

void TFormEqualizer::CountryEQButtonClick()
{
    Guarded(QStringLiteral("CountryEQButton"),
            [&] { ApplyStylePreset(kCountry, CountryEQButton, PresetCountry); });
}

void TFormEqualizer::ClassicalEQButtonClick()
{
    Guarded(QStringLiteral("ClassicalEQButton"),
            [&] { ApplyStylePreset(kClassical, ClassicalEQButton, PresetClassical); });
}

void TFormEqualizer::ApplyBoost(const std::array<int, Bands>& steps)
{
    PaintStyleButtons(ctx_.settings.ButtonColor);
    ClearPresetFlags();
    cbMySettings->setCurrentIndex(-1);
    for (int k = 1; k <= Bands; ++k) {
        const int step = steps[static_cast<std::size_t>(k - 1)];
        if (step != 0) {
            // Repeated clicks boost further, up to the top of the bar (+15 dB).
            BandBars[k]->SetValue(std::min(BandBars[k]->Value() + step, 30));
        }
    }
    if (ctx_.state.EqualizerOn) {
        for (int k = 1; k <= Bands; ++k) {
            if (steps[static_cast<std::size_t>(k - 1)] != 0) {
                ApplyBandToLiveSlots(k, BandBars[k]->Value() - 15);
            }
        }
        CheckDSPSettings();
    }
}

void TFormEqualizer::BassBoostButtonClick()
{
    Guarded(QStringLiteral("BassBoostButton"), [&] { ApplyBoost(kBassBoost); });
}

void TFormEqualizer::MidBoostButtonClick()
{
    Guarded(QStringLiteral("MidBoostButton"), [&] { ApplyBoost(kMidBoost); });
}

void TFormEqualizer::TrebleBoostButtonClick()
{
    Guarded(QStringLiteral("TrebleBoostButton"), [&] { ApplyBoost(kTrebleBoost); });
}

void TFormEqualizer::FlatButtonClick()
{
    Guarded(QStringLiteral("FlatButton"), [&] {
        PaintStyleButtons(ctx_.settings.ButtonColor);
        cbMySettings->setCurrentIndex(-1);
        for (int k = 1; k <= Bands; ++k) {
            BandBars[k]->SetValue(15);
        }
        if (ctx_.state.EqualizerOn) {
            ApplyAllBandsToLiveSlots(true);
        }
        CheckDSPSettings();
    });
}

void TFormEqualizer::EqualizerOnOffButtonClick()
{
    Guarded(QStringLiteral("EqualizerOnOffButton"), [&] {
        // The list's text and the My Settings highlight survive the click.
        const QString text = cbMySettings->currentText();
        const TColor panel = MySettingsPanel->Color();
        PlaybackState& st = ctx_.state;
        st.EqualizerOn = !st.EqualizerOn;
        const TColor colour = st.EqualizerOn ? ctx_.settings.ActiveButtonColor : ctx_.settings.ButtonColor;
        EqualizerOnOffButton->SetColor(colour);
        if (ctx_.PaintEqualizerButton) {
            ctx_.PaintEqualizerButton(colour);
        }
        ApplyAllBandsToLiveSlots(!st.EqualizerOn);
        cbMySettings->setCurrentText(text);
        MySettingsPanel->SetColor(panel);
    });
}

void TFormEqualizer::ColorOnOffButtonClick()
{
    Guarded(QStringLiteral("Equalizer - ColorsOnOffButton"), [&] {
        const bool coloured = BandBars[1]->TickStyle() == TzTickStyle::tsOwnerDraw;
        for (TzSlideBar* bar : AllBars()) {
            bar->SetTickStyle(coloured ? TzTickStyle::tsNormal : TzTickStyle::tsOwnerDraw);
        }
        ColorOnOffButton->SetColor(coloured ? ctx_.settings.ButtonColor : ctx_.settings.ActiveButtonColor);
    });
}

void TFormEqualizer::cbMySettingsClick()
{
    Guarded(QStringLiteral("MySSettingsClick"), [&] {
        const Settings& s = ctx_.settings;
        const QString text = cbMySettings->currentText();
        const int index = cbMySettings->currentIndex();
        int found = 0;
        for (int i = 1; i <= MySettingsCount && found == 0; ++i) {
            if (s.MySettingsNames[static_cast<std::size_t>(i)] == text) {
                found = i;
            }
        }
        if (found != 0) {
            const TMySetting& preset = s.MySettingsValues[static_cast<std::size_t>(found)];
            for (int k = 1; k <= Bands; ++k) {
                const int gain = std::clamp(preset.Values[static_cast<std::size_t>(k - 1)], -15, 15);
                BandLabels[k]->setText(QString::number(gain));
                BandBars[k]->SetValue(gain + 15);
            }
            if (ctx_.state.EqualizerOn) {
                ApplyAllBandsToLiveSlots(false);
            }
        }
        // The sliders' own checks cleared the highlight; a recalled preset keeps it and its row.
        PaintStyleButtons(s.ButtonColor);
        ClearPresetFlags();
        PresetMySettings = true;
        MySettingsPanel->SetColor(s.ActiveButtonColor);
        cbMySettings->setCurrentIndex(index);
        cbMySettings->setCurrentText(text);
    });
}

void TFormEqualizer::SyncPresetList()
{
    QStringList entries;
    for (int i = 0; i < cbMySettings->count(); ++i) {
        entries.append(cbMySettings->itemText(i));
    }
    ctx_.settings.MySettingsList = entries;
}

void TFormEqualizer::StorePresets()
{
    SyncPresetList();
    ctx_.optionsFile.UpdateINIFile();
}

void TFormEqualizer::MySettingsAddButtonClick()
{
    Guarded(QStringLiteral("MySettingsAddButton"), [&] {
        Settings& s = ctx_.settings;
        int free = 0;
        for (int i = 1; i <= MySettingsCount && free == 0; ++i) {
            if (s.MySettingsNames[static_cast<std::size_t>(i)].trimmed().isEmpty()) {
                free = i;
            }
        }
        if (free == 0) {
            ctx_.dialogs.MessageDlg(QStringLiteral("You have filled up your ten settings, please delete one"),
                                    mtWarning, mbOK);
            return;
        }
        const QString name = ctx_.dialogs.InputBox(QStringLiteral("My Settings Name"),
                                                   QStringLiteral("Enter Name for Setting"), {});
        if (name.trimmed().isEmpty()) {
            return;
        }
        // Recall and Delete find a preset by its name, so two of one name could not both be reached.
        for (int i = 1; i <= MySettingsCount; ++i) {
            if (s.MySettingsNames[static_cast<std::size_t>(i)] == name) {
                ctx_.dialogs.MessageDlg(QStringLiteral("There is already a setting named (") + name +
                                            QStringLiteral(")"),
                                        mtWarning, mbOK);
                return;
            }
        }
        cbMySettings->addItem(name);
        s.MySettingsNames[static_cast<std::size_t>(free)] = name;
        TMySetting& preset = s.MySettingsValues[static_cast<std::size_t>(free)];
        for (int k = 1; k <= Bands; ++k) {
            preset.Values[static_cast<std::size_t>(k - 1)] = BandLabels[k]->text().toInt();
        }
        StorePresets();
    });
}

void TFormEqualizer::MySettingsDeleteButtonClick()
{
    Guarded(QStringLiteral("MySettingsDeleteButton"), [&] {
        Settings& s = ctx_.settings;
        const QString text = cbMySettings->currentText();
        if (ctx_.dialogs.MessageDlg(QStringLiteral("Do you want to DELETE this entry in My Settings\r(") +
                                        text + QStringLiteral(")"),
                                    mtWarning, mbYesNo) == mrNo) {
            return;
        }
        int found = 0;
        for (int i = 1; i <= MySettingsCount && found == 0; ++i) {
            if (s.MySettingsNames[static_cast<std::size_t>(i)] == text) {
                found = i;
            }
        }
        // The row goes by its text: the list's selection may be gone after a slider moved.
        const int row = cbMySettings->findText(text, Qt::MatchExactly);
        if (found == 0 || row < 0) {
            ctx_.dialogs.MessageDlg(QStringLiteral("Could not find ") + text, mtError, mbOK);
            return;
        }
        s.MySettingsNames[static_cast<std::size_t>(found)].clear();
        cbMySettings->removeItem(row);
        cbMySettings->setCurrentIndex(-1);
        cbMySettings->setCurrentText(QString());
        StorePresets();
    });
}
