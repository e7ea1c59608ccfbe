// The main window's controls, each under its own object name so that the start-up can find the
// slot controls by name. Bounds are those of the design client (784 x 494 below the menu); the
// form scaler fits them to the screen.
#include "board/MainForm.h"

#include "board/MainFormButtons.h"
#include "controls/GTSize32.h"

#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "controls/ElidedLabel.h"
#include "controls/ProgressGauge.h"
#include "controls/SlideBar.h"
#include "controls/Zseg.h"
#include "controls/zPanel.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int DesignWidth = 784;
constexpr int DesignHeight = 494;
constexpr int SlotColumns = 8;
constexpr int SlotWidth = 83;
constexpr int SlotHeight = 65;

template <typename W>
W* Named(W* widget, const QString& name, const QRect& bounds)
{
    widget->setObjectName(name);
    widget->setGeometry(bounds);
    return widget;
}

TBitBtnWithColor* MakeButton(QWidget* host, const QString& name, const QString& caption, const QRect& bounds)
{
    auto* button = Named(new TBitBtnWithColor(host), name, bounds);
    button->setText(caption);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

TColorPanel* MakePanel(QWidget* host, const QString& name, const QRect& bounds)
{
    return Named(new TColorPanel(host), name, bounds);
}

TClickLabel* MakeLabel(QWidget* host, const QString& name, const QRect& bounds)
{
    auto* label = Named(new TClickLabel(host), name, bounds);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel* MakePlainLabel(QWidget* host, const QString& name, const QString& text, const QRect& bounds)
{
    auto* label = Named(new QLabel(text, host), name, bounds);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

void TForm1::BuildLayout()
{
    setObjectName(QStringLiteral("Form1"));
    board_ = new QWidget(this);
    board_->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(board_);
    BuildToolbar(board_);
    BuildGroupRow(board_);
    BuildPageColumn(board_);
    BuildSlots(board_);
    BuildMeters(PanelControls);
    BuildGameClocks(board_, GameClockBounds(DesignWidth, 0), GameClockBounds(DesignWidth, 1));
    BuildTimers();
    BuildMenus();

    // Off-screen buttons that take the keyboard focus after every board click, so that keys
    // reach the hot-key handling.
    DummyButton = Named(new QPushButton(board_), QStringLiteral("DummyButton"), QRect(-40, -40, 10, 10));
    DummyButton1 = Named(new QPushButton(board_), QStringLiteral("DummyButton1"), QRect(-60, -40, 10, 10));
    // The design client lies below the menu bar, whose height follows the desktop's menu font.
    resize(DesignWidth, DesignHeight + menuWidget()->sizeHint().height());
}

void TForm1::BuildToolbar(QWidget* host)
{
    PanelControls = MakePanel(host, QStringLiteral("PanelControls"), QRect(0, 0, DesignWidth, 58));
    QWidget* p = PanelControls;
    // Each button is wide enough for its caption at the design font with a gap to either edge;
    // the scaler keeps that as fonts and bounds grow together.
    NewButton = MakeButton(p, QStringLiteral("NewButton"), QStringLiteral("New"), QRect(3, 3, 40, 24));
    OpenButton = MakeButton(p, QStringLiteral("OpenButton"), QStringLiteral("Open..."), QRect(45, 3, 54, 24));
    SaveButton = MakeButton(p, QStringLiteral("SaveButton"), QStringLiteral("Save"), QRect(101, 3, 42, 24));
    ResetPageButton =
        MakeButton(p, QStringLiteral("ResetPageButton"), QStringLiteral("Reset Page"), QRect(145, 3, 78, 24));
    FindButton = MakeButton(p, QStringLiteral("FindButton"), QStringLiteral("Find"), QRect(225, 3, 36, 24));
    EditButton = MakeButton(p, QStringLiteral("EditButton"), QStringLiteral("Edit"), QRect(263, 3, 36, 24));
    CueButton = MakeButton(p, QStringLiteral("CueButton"), QStringLiteral("Cue"), QRect(301, 3, 36, 24));
    EqualizerButton = MakeButton(p, QStringLiteral("EqualizerButton"), QStringLiteral("EQ/Rev/Temp"),
                                 QRect(339, 3, 90, 24));
    ButtonDragButton = MakeButton(p, QStringLiteral("ButtonDragButton"), QStringLiteral("Button Drag "),
                                  QRect(431, 3, 88, 24));
    ExitButton = MakeButton(p, QStringLiteral("ExitButton"), QStringLiteral("Exit"), QRect(521, 3, 46, 24));

    ShuffleButton =
        MakeButton(p, QStringLiteral("ShuffleButton"), QStringLiteral("Shuffle"), QRect(3, 31, 52, 24));
    PlayListButton =
        MakeButton(p, QStringLiteral("PlayListButton"), QStringLiteral("Play List"), QRect(57, 31, 58, 24));
    RapidFireButton =
        MakeButton(p, QStringLiteral("RapidFireButton"), QStringLiteral("Rapid Fire"), QRect(117, 31, 68, 24));
    CrossFadeButton = MakeButton(p, QStringLiteral("CrossFadeButton"), QStringLiteral("X"), QRect(187, 31, 24, 24));
    CrossFadeButton->setToolTip(QStringLiteral("Cross Fade"));
    AutoFadeButton =
        MakeButton(p, QStringLiteral("AutoFadeButton"), QStringLiteral("Auto Fade"), QRect(213, 31, 68, 24));
    MultiPlayButton =
        MakeButton(p, QStringLiteral("MultiPlayButton"), QStringLiteral("Multi-Play"), QRect(283, 31, 67, 24));
    FadeInButton = MakeButton(p, QStringLiteral("FadeInButton"), QStringLiteral("Fade In"), QRect(352, 31, 52, 24));
    FadeOutButton =
        MakeButton(p, QStringLiteral("FadeOutButton"), QStringLiteral("Fade Out"), QRect(406, 31, 62, 24));
    VoiceOverButton =
        MakeButton(p, QStringLiteral("VoiceOverButton"), QStringLiteral("Talk"), QRect(470, 31, 32, 24));
    LoopOnButton = MakeButton(p, QStringLiteral("LoopOnButton"), QStringLiteral("Loop"), QRect(504, 31, 38, 24));
    PauseButton = MakeButton(p, QStringLiteral("PauseButton"), QStringLiteral("&Pause"), QRect(544, 31, 44, 24));
    StopPlayButton =
        MakeButton(p, QStringLiteral("StopPlayButton"), QStringLiteral("Stop"), QRect(590, 31, 36, 24));
    NextButton = MakeButton(p, QStringLiteral("NextButton"), QStringLiteral("Next"), QRect(628, 31, 38, 24));

    Panel51 = MakePanel(p, QStringLiteral("Panel51"), QRect(571, 3, 96, 24));
    VolumeControl = Named(new TzSlideBar(Panel51), QStringLiteral("VolumeControl"), QRect(2, 2, 92, 20));
    VolumeControl->SetMin(0);
    VolumeControl->SetMax(100);
}

void TForm1::BuildMeters(QWidget* host)
{
    BarMeterPanel = MakePanel(host, QStringLiteral("BarMeterPanel"), QRect(669, 3, 112, 52));
    for (TzcPeakOmeter** meter : {&LMeter, &RMeter}) {
        const bool left = meter == &LMeter;
        *meter = Named(new TzcPeakOmeter(BarMeterPanel), left ? QStringLiteral("LMeter") : QStringLiteral("RMeter"),
                       QRect(16, left ? 6 : 28, 92, 18));
        (*meter)->SetOrientation(zcpOrientation::zcpHorizontal);
        // The range first: the zone starts are kept as percentages of it.
        (*meter)->SetMin(1);
        (*meter)->SetMax(128);
        (*meter)->SetColor2Pos(71);
        (*meter)->SetColor3Pos(109);
    }
    LeftMeterLabel = MakePlainLabel(BarMeterPanel, QStringLiteral("LeftMeterLabel"), QStringLiteral("L"),
                                    QRect(4, 6, 10, 18));
    RightMeterLabel = MakePlainLabel(BarMeterPanel, QStringLiteral("RightMeterLabel"), QStringLiteral("R"),
                                     QRect(4, 28, 10, 18));
    for (TzPanelMeter** meter : {&LeftMeter, &RightMeter}) {
        const bool left = meter == &LeftMeter;
        *meter = Named(new TzPanelMeter(host), left ? QStringLiteral("LeftMeter") : QStringLiteral("RightMeter"),
                       QRect(left ? 669 : 726, 3, 55, 52));
        (*meter)->SetCaption(left ? QStringLiteral("Left") : QStringLiteral("Right"));
        // Max before Alert: the alert level is kept within the range.
        (*meter)->SetMax(128);
        (*meter)->SetMin(1);
        (*meter)->SetAlert(110);
        (*meter)->SetHouseStyle(TBrushStyle::bsSolid);
        (*meter)->SetShadowColor(clGray);
        (*meter)->SetHighColor(clWhite);
        (*meter)->SetFaceColor(clInfoBk);
        (*meter)->SetHand(clBlack);
        (*meter)->SetScaleWidth(1);
    }
}

void TForm1::BuildGroupRow(QWidget* host)
{
    Panel52 = MakePanel(host, QStringLiteral("Panel52"), QRect(0, 58, DesignWidth, 26));
    lblGroup = MakePlainLabel(Panel52, QStringLiteral("lblGroup"), QString(), QRect(4, 3, 60, 20));
    static const char* const names[] = {"PageAGroup", "PageBGroup", "PageCGroup", "PageDGroup", "PageEGroup",
                                        "PageFGroup", "PageGGroup", "PageHGroup", "PageIGroup", "PageJGroup"};
    for (int g = 1; g <= Groups; ++g) {
        GroupButtons[static_cast<std::size_t>(g)] =
            MakeButton(Panel52, QString::fromLatin1(names[g - 1]), QString(QChar(u'A' + g - 1)),
                       QRect(66 + (g - 1) * 29, 2, 27, 22));
    }
    lblPage = Named(new TElidedLabel(Qt::ElideRight, Panel52), QStringLiteral("lblPage"), QRect(360, 3, 150, 20));
    LabelPageTotals = MakePlainLabel(Panel52, QStringLiteral("LabelPageTotals"), QString(), QRect(512, 3, 130, 20));
    LoggingOnDisplay = MakePanel(Panel52, QStringLiteral("LoggingOnDisplay"), QRect(644, 2, 70, 22));
    LoggingOnDisplay->SetCaption(QStringLiteral("Logging On"));
    LoggingOnDisplay->hide();
    MonoDisplay = MakePlainLabel(Panel52, QStringLiteral("MonoDisplay"), QStringLiteral("MONO"), QRect(716, 3, 32, 20));
    MonoDisplay->hide();
    LockDownDisplay =
        MakePlainLabel(Panel52, QStringLiteral("LockDownDisplay"), QStringLiteral("LOCKED!"), QRect(748, 3, 34, 20));
    LockDownDisplay->setStyleSheet(QStringLiteral("color: red"));
    LockDownDisplay->hide();

    Panel55 = MakePanel(host, QStringLiteral("Panel55"), QRect(0, 84, DesignWidth, 18));
    // Each caption and time has a place wide enough for its text and a gap to the next one; where
    // the desktop's font is wider than that, the label's font is made to fit.
    Label5 = MakePlainLabel(Panel55, QStringLiteral("Label5"), QStringLiteral("Elapsed"), QRect(2, 1, 48, 16));
    lblTimeElapsed = MakePlainLabel(Panel55, QStringLiteral("lblTimeElapsed"), QStringLiteral("00:00"),
                                    QRect(50, 1, 38, 16));
    AdvanceBar = Named(new TzSlideBar(Panel55), QStringLiteral("AdvanceBar"), QRect(88, 0, 150, 13));
    AdvanceBar->SetMin(0);
    AdvanceBar->SetMax(100);
    ProgressGauge = Named(new TProgressGauge(Panel55), QStringLiteral("ProgressGauge"), QRect(88, 13, 150, 5));
    ProgressGauge->SetRange(0, 100);
    Label4 = MakePlainLabel(Panel55, QStringLiteral("Label4"), QStringLiteral("Remaining"), QRect(242, 1, 64, 16));
    lblTimeRemaining = MakePlainLabel(Panel55, QStringLiteral("lblTimeRemaining"), QStringLiteral("00:00"),
                                      QRect(306, 1, 38, 16));
    Label3 = MakePlainLabel(Panel55, QStringLiteral("Label3"), QStringLiteral("Total"), QRect(344, 1, 32, 16));
    lblTotalTime =
        MakePlainLabel(Panel55, QStringLiteral("lblTotalTime"), QStringLiteral("00:00"), QRect(376, 1, 38, 16));
    Label2 = MakePlainLabel(Panel55, QStringLiteral("Label2"), QStringLiteral("Now Playing:"), QRect(414, 1, 76, 16));
    Label2->hide();
    // A path too long for the line keeps its start (group and page) and its file name.
    SoundPlaying = Named(new TElidedLabel(Qt::ElideMiddle, Panel55), QStringLiteral("SoundPlaying"),
                         QRect(490, 1, 292, 16));
    for (QLabel* label : {Label5, Label4, Label3, Label2}) {
        FitFontToWidth(*label, label->text(), 4);
    }
    for (QLabel* label : {lblTimeElapsed, lblTimeRemaining, lblTotalTime}) {
        FitFontToWidth(*label, QStringLiteral("00:00"), 4);
    }
    // The edit-mode and drag-mode notices show whole on the now-playing line (the longer one).
    FitFontToWidth(*SoundPlaying, QStringLiteral("****** NOTICE:  PROGRAM IN BUTTON DRAG MODE!!! ******"), 2);
    // Filled while the program runs: they keep their place's width rather than their first text's.
    for (QLabel* label : {lblPage, LabelPageTotals, SoundPlaying}) {
        label->setProperty(GTKeepSizeProperty, true);
    }
}

void TForm1::BuildPageColumn(QWidget* host)
{
    PanelPages = MakePanel(host, QStringLiteral("PanelPages"), QRect(0, 102, 118, DesignHeight - 102));
    for (int n = 1; n <= PageButtonSlots; ++n) {
        const auto i = static_cast<std::size_t>(n);
        PanelPage[i] = MakePanel(PanelPages, QStringLiteral("PanelPage%1").arg(n), QRect(2, 2 + (n - 1) * 21, 114, 21));
        PageButtons[i] = MakeButton(PanelPage[i], QStringLiteral("PageButton%1").arg(n), QString(), QRect(1, 1, 112, 19));
        // A page name keeps its "&", and shows it; a long one ends in an ellipsis.
        PageButtons[i]->SetShowAccelChar(false);
        PageButtons[i]->SetEllipsis(true);
    }
}

void TForm1::BuildSlots(QWidget* host)
{
    Panel54 = MakePanel(host, QStringLiteral("Panel54"), QRect(118, 102, DesignWidth - 118, DesignHeight - 102));
    for (int n = 1; n <= SlotCount; ++n) {
        const int column = (n - 1) % SlotColumns;
        const int row = (n - 1) / SlotColumns;
        auto* panel = MakePanel(Panel54, QStringLiteral("Panel%1").arg(n),
                                QRect(1 + column * SlotWidth, 1 + row * SlotHeight, SlotWidth - 2, SlotHeight - 2));
        // The sound button lies under the caption memo: the memo shows the caption, the button
        // keeps it and its state colour for the commands that read them.
        MakeButton(panel, QStringLiteral("Button%1").arg(n), QString(), QRect(4, 5, SlotWidth - 10, 20));
        auto* memo = MakeLabel(panel, QStringLiteral("Memo%1").arg(n), QRect(3, 2, SlotWidth - 8, 33));
        memo->setWordWrap(true);
        MakeLabel(panel, QStringLiteral("VL%1").arg(n), QRect(3, 35, 18, 11));
        MakeLabel(panel, QStringLiteral("LL%1").arg(n), QRect(22, 35, 18, 11));
        MakeLabel(panel, QStringLiteral("cl%1").arg(n), QRect(41, 35, 18, 11));
        MakeLabel(panel, QStringLiteral("TimeLabel%1").arg(n), QRect(3, 47, 38, 13));
        MakeLabel(panel, QStringLiteral("KL%1").arg(n), QRect(42, 47, SlotWidth - 47, 13));
    }
}

void TForm1::PlaceSoundButtons()
{
    for (int n = 1; n <= SlotCount; ++n) {
        QPushButton* button = AsPushButton(SoundButtons[static_cast<std::size_t>(n)]);
        const QRect design = GTForm1->DesignBounds(button).value_or(button->geometry());
        GTForm1->SetDesignBounds(button, QRect(design.x(), 5, design.width(), 20));
    }
}

QFont TForm1::ScaledToWindow(const QFont& designFont) const
{
    return GTForm1 != nullptr ? GTForm1->ScaledFont(designFont) : designFont;
}

void TForm1::BuildTimers()
{
    auto make = [this](const char* name, int intervalMs) {
        auto* timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(name));
        timer->setInterval(intervalMs);
        return timer;
    };
    DisplayTimer = make("DisplayTimer", 1000);
    SecondTimer = make("SecondTimer", 1000);
    StopWatchTimer = make("StopWatchTimer", 100);
    ProgressionTimer = make("ProgressionTimer", 1);
}
