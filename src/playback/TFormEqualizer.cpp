#include "playback/TFormEqualizer.h"

#include "board/Settings.h"
#include "controls/ButtonWithColor.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"
#include "playback/PlaybackState.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>

#include <algorithm>
#include <exception>

namespace {

const std::array<const char*, TFormEqualizer::Bands> kBandCaptions{"80", "100", "150", "250", "500",
                                                                   "1K", "2K",  "4K",  "8K",  "16K"};

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, int x, int y, int w)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(x, y, w, 16);
    return label;
}

TBitBtnWithColor* AddButton(QWidget* parent, const QString& name, const QString& caption, int x, int y, int w)
{
    auto* button = new TBitBtnWithColor(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, 25);
    button->setAutoDefault(false);
    return button;
}

TzSlideBar* AddBar(QWidget* parent, const QString& name, int min, int max, int value, const QRect& at)
{
    auto* bar = new TzSlideBar(parent);
    bar->setObjectName(name);
    bar->setGeometry(at);
    bar->SetMin(min);
    bar->SetMax(max);
    bar->SetValue(value);
    bar->SetTickStyle(TzTickStyle::tsOwnerDraw);
    return bar;
}

} // namespace

TFormEqualizer::TFormEqualizer(const EqualizerContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    setObjectName(QStringLiteral("FormEqualizer"));
    setWindowTitle(QStringLiteral("Digital Signal Processing (DSP)  [Equalizer-Reverb-Tempo-Sample Rate]"));
    resize(640, 430);
    BuildBars();
    BuildButtons();
    BuildMySettings();
    WireSignals();
}

void TFormEqualizer::ShowError(const QString& routine)
{
    ctx_.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\rNotify Program Author"),
                            mtError, mbOK);
}

bool TFormEqualizer::Guarded(const QString& routine, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const std::exception&) {
        ShowError(routine);
        return false;
    }
}

std::array<TzSlideBar*, 13> TFormEqualizer::AllBars() const
{
    return {BandBars[1], BandBars[2], BandBars[3],  BandBars[4], BandBars[5], BandBars[6], BandBars[7],
            BandBars[8], BandBars[9], BandBars[10], zSlideBar11, tbTempo,     tbSampleRate};
}

void TFormEqualizer::BuildBars()
{
    for (int k = 1; k <= Bands; ++k) {
        const int x = 14 + (k - 1) * 44;
        BandLabels[k] = AddLabel(this, QStringLiteral("Label%1").arg(30 + k), QStringLiteral("0"), x, 12, 40);
        BandBars[k] =
            AddBar(this, QStringLiteral("zSlideBar%1").arg(k), 0, 30, 15, QRect(x + 2, 30, 36, 190));
        AddLabel(this, QStringLiteral("BandCaption%1").arg(k), QString::fromLatin1(kBandCaptions[k - 1]), x,
                 222, 40);
    }
    Label11 = AddLabel(this, QStringLiteral("Label11"), QStringLiteral("0"), 470, 12, 50);
    zSlideBar11 = AddBar(this, QStringLiteral("zSlideBar11"), 0, 20, 0, QRect(476, 30, 36, 190));
    AddLabel(this, QStringLiteral("ReverbCaption"), QStringLiteral("REVERB"), 462, 222, 64);

    TempoLabel = AddLabel(this, QStringLiteral("TempoLabel"), QStringLiteral("Tempo = 0%"), 14, 248, 290);
    tbTempo = AddBar(this, QStringLiteral("tbTempo"), -30, 30, 0, QRect(14, 266, 230, 34));
    SampleRateLabel = AddLabel(this, QStringLiteral("SampleRateLabel"),
                               QStringLiteral("Sample Rate (Pitch) = 0 Hz"), 320, 248, 300);
    tbSampleRate = AddBar(this, QStringLiteral("tbSampleRate"), 0, 1, 0, QRect(320, 266, 230, 34));
    for (TzSlideBar* bar : {tbTempo, tbSampleRate}) {
        bar->SetTickSpace(5);
        bar->SetTickSize(7);
    }
}

void TFormEqualizer::BuildButtons()
{
    RockEQButton = AddButton(this, QStringLiteral("RockEQButton"), QStringLiteral("Rock"), 536, 30, 90);
    JazzEQButton = AddButton(this, QStringLiteral("JazzEQButton"), QStringLiteral("Jazz"), 536, 58, 90);
    CountryEQButton =
        AddButton(this, QStringLiteral("CountryEQButton"), QStringLiteral("Country"), 536, 86, 90);
    ClassicalEQButton =
        AddButton(this, QStringLiteral("ClassicalEQButton"), QStringLiteral("Classical"), 536, 114, 90);
    BassBoostButton =
        AddButton(this, QStringLiteral("BassBoostButton"), QStringLiteral("Bass Boost"), 536, 142, 90);
    MidBoostButton =
        AddButton(this, QStringLiteral("MidBoostButton"), QStringLiteral("Mid Boost"), 536, 170, 90);
    TrebleBoostButton =
        AddButton(this, QStringLiteral("TrebleBoostButton"), QStringLiteral("Treble Boost"), 536, 198, 90);
    FlatButton = AddButton(this, QStringLiteral("FlatButton"), QStringLiteral("Flat"), 536, 226, 90);
    ResetTempoButton =
        AddButton(this, QStringLiteral("ResetTempoButton"), QStringLiteral("Reset"), 250, 270, 54);
    ResetSampleRateButton =
        AddButton(this, QStringLiteral("ResetSampleRateButton"), QStringLiteral("Reset"), 556, 270, 54);
    EqualizerOnOffButton = AddButton(this, QStringLiteral("EqualizerOnOffButton"),
                                     QStringLiteral("Equalizer On/Off"), 14, 390, 130);
    ColorOnOffButton =
        AddButton(this, QStringLiteral("ColorOnOffButton"), QStringLiteral("Colors On/Off"), 154, 390, 110);
    HideButton = AddButton(this, QStringLiteral("HideButton"), QStringLiteral("Hide"), 536, 390, 90);
}

void TFormEqualizer::BuildMySettings()
{
    MySettingsPanel = new TColorPanel(this);
    MySettingsPanel->setObjectName(QStringLiteral("MySettingsPanel"));
    MySettingsPanel->setGeometry(14, 310, 500, 70);
    auto* title = new QLabel(QStringLiteral("My Settings"), MySettingsPanel);
    title->move(8, 4);
    auto* limit = new QLabel(QStringLiteral("(Maximum of 10)"), MySettingsPanel);
    limit->move(100, 4);
    cbMySettings = new QComboBox(MySettingsPanel);
    cbMySettings->setObjectName(QStringLiteral("cbMySettings"));
    cbMySettings->setEditable(true);
    cbMySettings->setInsertPolicy(QComboBox::NoInsert);
    cbMySettings->setGeometry(8, 26, 260, 24);
    MySettingsAddButton =
        AddButton(MySettingsPanel, QStringLiteral("MySettingsAddButton"), QStringLiteral("Add"), 280, 26, 80);
    MySettingsDeleteButton = AddButton(MySettingsPanel, QStringLiteral("MySettingsDeleteButton"),
                                       QStringLiteral("Delete"), 370, 26, 80);
}

void TFormEqualizer::WireSignals()
{
    for (int k = 1; k <= Bands; ++k) {
        BandBars[k]->OnChange = [this, k](QObject*) { BandChange(k); };
        BandBars[k]->OnOwnerDraw = [this, k](QPainter& canvas, int x, int y, bool leftSide, int tick) {
            DrawBandTick(k, canvas, x, y, leftSide, tick);
        };
    }
    zSlideBar11->OnChange = [this](QObject*) { zSlideBar11Change(); };
    zSlideBar11->OnOwnerDraw = [this](QPainter& canvas, int x, int y, bool leftSide, int tick) {
        DrawReverbTick(canvas, x, y, leftSide, tick);
    };
    tbTempo->OnChange = [this](QObject*) { tbTempoChange(); };
    tbTempo->OnOwnerDraw = [this](QPainter& canvas, int x, int y, bool leftSide, int tick) {
        DrawHorizontalTick(tbTempo, 0x00FFFF, canvas, x, y, leftSide, tick);
    };
    tbSampleRate->OnChange = [this](QObject*) { tbSampleRateChange(); };
    tbSampleRate->OnOwnerDraw = [this](QPainter& canvas, int x, int y, bool leftSide, int tick) {
        DrawHorizontalTick(tbSampleRate, 0x800080, canvas, x, y, leftSide, tick);
    };
    const std::pair<TBitBtnWithColor*, void (TFormEqualizer::*)()> clicks[] = {
        {RockEQButton, &TFormEqualizer::RockEQButtonClick},
        {JazzEQButton, &TFormEqualizer::JazzEQButtonClick},
        {CountryEQButton, &TFormEqualizer::CountryEQButtonClick},
        {ClassicalEQButton, &TFormEqualizer::ClassicalEQButtonClick},
        {BassBoostButton, &TFormEqualizer::BassBoostButtonClick},
        {MidBoostButton, &TFormEqualizer::MidBoostButtonClick},
        {TrebleBoostButton, &TFormEqualizer::TrebleBoostButtonClick},
        {FlatButton, &TFormEqualizer::FlatButtonClick},
        {EqualizerOnOffButton, &TFormEqualizer::EqualizerOnOffButtonClick},
        {ColorOnOffButton, &TFormEqualizer::ColorOnOffButtonClick},
        {ResetTempoButton, &TFormEqualizer::ResetTempoButtonClick},
        {ResetSampleRateButton, &TFormEqualizer::ResetSampleRateButtonClick},
        {MySettingsAddButton, &TFormEqualizer::MySettingsAddButtonClick},
        {MySettingsDeleteButton, &TFormEqualizer::MySettingsDeleteButtonClick},
        {HideButton, &TFormEqualizer::HideButtonClick},
    };
    for (const auto& [button, handler] : clicks) {
        connect(button, &QPushButton::clicked, this, [this, h = handler] { (this->*h)(); });
    }
    connect(cbMySettings, &QComboBox::activated, this, [this] { cbMySettingsClick(); });
}

int TFormEqualizer::ShowModal()
{
    FormActivate();
    return exec();
}

void TFormEqualizer::Open()
{
    FormActivate();
    QDialog::open();
}

void TFormEqualizer::FormActivate()
{
    Guarded(QStringLiteral("DSP - FormActivate"), [&] {
        const Settings& s = ctx_.settings;
        const PlaybackState& st = ctx_.state;
        EqualizerOnOffButton->SetColor(st.EqualizerOn ? s.ActiveButtonColor : s.ButtonColor);
        RockEQButton->SetColor(PresetRock ? s.ActiveButtonColor : s.ButtonColor);
        JazzEQButton->SetColor(PresetJazz ? s.ActiveButtonColor : s.ButtonColor);
        CountryEQButton->SetColor(PresetCountry ? s.ActiveButtonColor : s.ButtonColor);
        ClassicalEQButton->SetColor(PresetClassical ? s.ActiveButtonColor : s.ButtonColor);
        MySettingsPanel->SetColor(PresetMySettings ? s.ActiveButtonColor : clBtnFace);
        for (TBitBtnWithColor* b : {BassBoostButton, MidBoostButton, TrebleBoostButton, FlatButton,
                                    ResetTempoButton, ResetSampleRateButton, MySettingsAddButton,
                                    MySettingsDeleteButton, ColorOnOffButton, HideButton}) {
            b->SetColor(s.ButtonColor);
        }
        // A sound started since the last opening set the sample-rate range to its own rate.
        syncing_ = true;
        const EqualizerSliders& eq = st.Equalizer;
        if (eq.SampleRateMax > eq.SampleRateMin) {
            // In this order a new range is accepted whichever side of the old one it lies on.
            tbSampleRate->SetMin(std::min(eq.SampleRateMin, tbSampleRate->Min()));
            tbSampleRate->SetMax(eq.SampleRateMax);
            tbSampleRate->SetMin(eq.SampleRateMin);
            // About fifty ticks over the range, not one per hertz.
            tbSampleRate->SetStepPerTick(std::max(1, (eq.SampleRateMax - eq.SampleRateMin) / 50));
        }
        tbSampleRate->SetValue(eq.SampleRateValue);
        SampleRateLabel->setText(QStringLiteral("Sample Rate (Pitch) = ") +
                                 QString::number(tbSampleRate->Value()) + QStringLiteral(" Hz"));
        syncing_ = false;
        if (!ctx_.settings.MySettingsLoaded) {
            ctx_.settings.MySettingsLoaded = true;
            for (int i = 1; i <= MySettingsCount; ++i) {
                const QString& name = s.MySettingsNames[static_cast<std::size_t>(i)];
                if (name.trimmed().isEmpty()) {
                    break;
                }
                cbMySettings->addItem(name);
            }
            SyncPresetList();
        }
    });
}

void TFormEqualizer::HideButtonClick()
{
    done(1);
}

void TFormEqualizer::keyPressEvent(QKeyEvent* event)
{
    // The window previews every key and hands the focus back to the board.
    if (ctx_.FocusDummyButton) {
        ctx_.FocusDummyButton();
    }
    QDialog::keyPressEvent(event);
}
