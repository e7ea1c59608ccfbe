#pragma once
// The equalizer window ("Digital Signal Processing (DSP)  [Equalizer-Reverb-Tempo-Sample Rate]"):
// ten bands, reverb, tempo and sample rate, four style presets, three boosts, Flat, and up to ten
// stored presets ("My Settings"). Every change reaches each live slot of the channel table at
// once; the window keeps the playback state's equalizer sliders current, so a sound started later
// takes the same settings. Created once at start and shown modally from the "EQ/Rev/Temp" button.
//
// Code by concern: TFormEqualizer.cpp (creation, layout, activation), EqualizerApply.cpp (the
// slider handlers, the live slots, CheckDSPSettings), EqualizerPresets.cpp (style presets, boosts,
// Flat, On/Off, My Settings), EqualizerTicks.cpp (tick colours and drawing).
#include "controls/SlideBarTypes.h"
#include "platform/Color.h"

#include <QDialog>
#include <QString>

#include <array>
#include <functional>

class Dialogs;
class OptionsFile;
class QComboBox;
class QLabel;
class QPainter;
class TBitBtnWithColor;
class TColorPanel;
class TzSlideBar;
struct PlaybackState;
struct Settings;

struct EqualizerContext
{
    PlaybackState& state;
    Settings& settings;
    OptionsFile& optionsFile;
    Dialogs& dialogs;
    // Paints the main window's "EQ/Rev/Temp" button.
    std::function<void(TColor)> PaintEqualizerButton;
    // Parks the keyboard focus on the main window's hidden button.
    std::function<void()> FocusDummyButton;
};

// The colour of a band tick (value 0..30) and of the reverb, tempo and sample-rate ticks, by the
// tick's value and whether the bar's value has reached it.
TColor BandTickColor(int tick, int value);
TColor ReverbTickColor(int tick, int value);
// Half the height of a vertical band tick: (bar height div (Max div StepPerTick)) div 2, 0 when the
// bar has no ticks to share its height among.
int BandTickHalf(int barHeight, int max, int stepPerTick);

class TFormEqualizer : public QDialog
{
    Q_OBJECT
public:
    static constexpr int Bands = 10;

    TFormEqualizer(const EqualizerContext& context, QWidget* parent = nullptr);

    // Activates (FormActivate) and waits; 1 after Hide.
    int ShowModal();
    // The same without waiting (tests).
    void Open();

    // --- Handlers.
    void FormActivate();
    void BandChange(int band); // zSlideBar1Change .. zSlideBar10Change
    void zSlideBar11Change();
    void tbTempoChange();
    void tbSampleRateChange();
    void ResetTempoButtonClick();
    void ResetSampleRateButtonClick();
    void RockEQButtonClick();
    void JazzEQButtonClick();
    void CountryEQButtonClick();
    void ClassicalEQButtonClick();
    void BassBoostButtonClick();
    void MidBoostButtonClick();
    void TrebleBoostButtonClick();
    void FlatButtonClick();
    void EqualizerOnOffButtonClick();
    void ColorOnOffButtonClick();
    void cbMySettingsClick();
    void MySettingsAddButtonClick();
    void MySettingsDeleteButtonClick();
    void HideButtonClick();
    bool CheckDSPSettings();

    // Presets lit, shown again on activation.
    bool PresetRock = false;
    bool PresetJazz = false;
    bool PresetCountry = false;
    bool PresetClassical = false;
    bool PresetMySettings = false;

    // --- Controls; index 1..10 for the bands (0 unused).
    std::array<TzSlideBar*, Bands + 1> BandBars{};
    std::array<QLabel*, Bands + 1> BandLabels{}; // Label31 .. Label40
    TzSlideBar* zSlideBar11 = nullptr;
    QLabel* Label11 = nullptr;
    TzSlideBar* tbTempo = nullptr;
    QLabel* TempoLabel = nullptr;
    TzSlideBar* tbSampleRate = nullptr;
    QLabel* SampleRateLabel = nullptr;
    TBitBtnWithColor* RockEQButton = nullptr;
    TBitBtnWithColor* JazzEQButton = nullptr;
    TBitBtnWithColor* CountryEQButton = nullptr;
    TBitBtnWithColor* ClassicalEQButton = nullptr;
    TBitBtnWithColor* BassBoostButton = nullptr;
    TBitBtnWithColor* MidBoostButton = nullptr;
    TBitBtnWithColor* TrebleBoostButton = nullptr;
    TBitBtnWithColor* FlatButton = nullptr;
    TBitBtnWithColor* EqualizerOnOffButton = nullptr;
    TBitBtnWithColor* ResetTempoButton = nullptr;
    TBitBtnWithColor* ResetSampleRateButton = nullptr;
    TBitBtnWithColor* ColorOnOffButton = nullptr;
    QComboBox* cbMySettings = nullptr;
    TBitBtnWithColor* MySettingsAddButton = nullptr;
    TBitBtnWithColor* MySettingsDeleteButton = nullptr;
    TColorPanel* MySettingsPanel = nullptr;
    TBitBtnWithColor* HideButton = nullptr;

    // The thirteen bars in the order ten bands, reverb, tempo, sample rate.
    std::array<TzSlideBar*, 13> AllBars() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // TFormEqualizer.cpp
    void BuildBars();
    void BuildButtons();
    void BuildMySettings();
    void WireSignals();
    void ShowError(const QString& routine);
    bool Guarded(const QString& routine, const std::function<void()>& body);

    // EqualizerApply.cpp
    void ApplyBandToLiveSlots(int band, int gainDb);
    void ApplyAllBandsToLiveSlots(bool flat);
    void ApplySampleRateToLiveSlots(int value);
    int NativeRate() const;

    // EqualizerPresets.cpp
    void ApplyStylePreset(const std::array<int, Bands>& sliders, TBitBtnWithColor* lit, bool& flag);
    void ApplyBoost(const std::array<int, Bands>& steps);
    void PaintStyleButtons(TColor color);
    void ClearPresetFlags();
    void StorePresets();
    void SyncPresetList();

    // EqualizerTicks.cpp
    void DrawVerticalTick(const TzSlideBar* bar, TColor color, QPainter& canvas, int x, int y, bool leftSide);
    void DrawBandTick(int band, QPainter& canvas, int x, int y, bool leftSide, int tickNumber);
    void DrawReverbTick(QPainter& canvas, int x, int y, bool leftSide, int tickNumber);
    void DrawHorizontalTick(TzSlideBar* bar, TColor color, QPainter& canvas, int x, int y, bool leftSide,
                            int tickNumber);

    EqualizerContext ctx_;
    // Activation copies the playback state into the bars; their handlers must not act on that.
    bool syncing_ = false;
};
