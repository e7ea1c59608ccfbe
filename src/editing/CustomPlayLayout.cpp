// The custom cue editor's controls, laid out in pixels as the window was designed.
#include "controls/ButtonWithColor.h"
#include "controls/ClickLabel.h"
#include "controls/SlideBar.h"
#include "controls/zShapeBtn.h"
#include "editing/TfrmCustomPlay.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

QLabel* AddPanel(QWidget* parent, const QString& name, int x, int y, int w)
{
    auto* panel = new QLabel(QStringLiteral("0"), parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setAlignment(Qt::AlignCenter);
    panel->setGeometry(x, y, w, 21);
    return panel;
}

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    return label;
}

TBitBtnWithColor* AddColorButton(QWidget* parent, const QString& name, const QString& caption, int x, int y,
                                 int w)
{
    auto* button = new TBitBtnWithColor(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, w, 25);
    return button;
}

QPushButton* AddSpin(QWidget* parent, const QString& name, const QString& caption, int x, int y)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(x, y, 17, 12);
    button->setAutoRepeat(true);
    return button;
}

TzShapeBtn* AddTransport(QWidget* parent, const QString& name, sbType shape, TColor colour, int x, int y)
{
    auto* button = new TzShapeBtn(parent);
    button->setObjectName(name);
    button->setGeometry(x, y, 39, 26);
    button->SetShape(shape);
    button->SetColor(colour);
    button->SetShadowColor(clBlack);
    return button;
}

} // namespace

void TfrmCustomPlay::BuildLayout()
{
    resize(560, 330);
    AddLabel(this, QStringLiteral("Sound Clip:"), 12, 12);
    SoundName = new QLineEdit(this);
    SoundName->setObjectName(QStringLiteral("SoundName"));
    SoundName->setGeometry(90, 8, 450, 22);
    BuildPanels();
    BuildTransport();
    BuildCueButtons();
    BuildOptions();
    CustomPlayTimer = new QTimer(this);
    CustomPlayTimer->setObjectName(QStringLiteral("CustomPlayTimer"));
    CustomPlayTimer->setInterval(10);
}

void TfrmCustomPlay::BuildPanels()
{
    CustomPlayProgressBar = new TzSlideBar(this);
    CustomPlayProgressBar->setObjectName(QStringLiteral("CustomPlayProgressBar"));
    CustomPlayProgressBar->setGeometry(12, 40, 528, 30);
    CustomPlayProgressBar->SetMin(0);
    CustomPlayProgressBar->SetMax(100);
    CustomPlayProgressBar->SetSteelLook(true);
    CustomPlayProgressBar->SetColor(clBlack);
    CustomPlayProgressBar->SetTicks(false);

    CustomPlayTime = AddPanel(this, QStringLiteral("CustomPlayTime"), 12, 76, 80);
    CustomPlayPercent = AddPanel(this, QStringLiteral("CustomPlayPercent"), 240, 76, 60);
    CustomPlayTimeEnd = AddPanel(this, QStringLiteral("CustomPlayTimeEnd"), 460, 76, 80);
    AddLabel(this, QStringLiteral("Position:"), 12, 106);
    PanPosition = AddPanel(this, QStringLiteral("PanPosition"), 12, 122, 110);
    AddLabel(this, QStringLiteral("Start Cue:"), 150, 106);
    SetStart = AddPanel(this, QStringLiteral("SetStart"), 150, 122, 110);
    AddLabel(this, QStringLiteral("End Point:"), 300, 106);
    SetEnd = AddPanel(this, QStringLiteral("SetEnd"), 300, 122, 110);
    AddLabel(this, QStringLiteral("Length:"), 430, 106);
    PanEnd = AddPanel(this, QStringLiteral("PanEnd"), 430, 122, 110);
}

void TfrmCustomPlay::BuildTransport()
{
    CustomPlayPlayButton =
        AddTransport(this, QStringLiteral("CustomPlayPlayButton"), sbType::sbRTriangle, clLime, 12, 200);
    AddLabel(this, QStringLiteral("Play"), 20, 228);
    CustomPlayPauseButton =
        AddTransport(this, QStringLiteral("CustomPlayPauseButton"), sbType::sbDnTrapezoid, clYellow, 60, 200);
    PauseLabel = new TClickLabel(this);
    PauseLabel->setObjectName(QStringLiteral("PauseLabel"));
    PauseLabel->setText(QStringLiteral("Pause"));
    PauseLabel->move(64, 228);
    CustomPlayStopButton =
        AddTransport(this, QStringLiteral("CustomPlayStopButton"), sbType::sbRectangle, clRed, 108, 200);
    AddLabel(this, QStringLiteral("Stop"), 116, 228);
    CustomPlayPreviewButton =
        AddTransport(this, QStringLiteral("CustomPlayPreviewButton"), sbType::sbRTriangle, clBlue, 156, 200);
    AddLabel(this, QStringLiteral("Preview"), 154, 228);

    CustomPlayVolume = new TzSlideBar(this);
    CustomPlayVolume->setObjectName(QStringLiteral("CustomPlayVolume"));
    CustomPlayVolume->setGeometry(12, 256, 190, 30);
    CustomPlayVolume->SetMin(0);
    CustomPlayVolume->SetMax(100);
    CustomPlayVolume->setToolTip(QStringLiteral("Volume"));
}

void TfrmCustomPlay::BuildCueButtons()
{
    SetStartButton =
        AddColorButton(this, QStringLiteral("SetStartButton"), QStringLiteral("Set Start Cue"), 150, 148, 90);
    StartSpinUp = AddSpin(this, QStringLiteral("StartSpinButtonUp"), QStringLiteral("+"), 243, 148);
    StartSpinDown = AddSpin(this, QStringLiteral("StartSpinButtonDown"), QStringLiteral("-"), 243, 161);
    ResetStartButton =
        AddColorButton(this, QStringLiteral("ResetStartButton"), QStringLiteral("Reset"), 150, 176, 110);
    SetEndButton =
        AddColorButton(this, QStringLiteral("SetEndButton"), QStringLiteral("Set End Point"), 300, 148, 90);
    EndSpinUp = AddSpin(this, QStringLiteral("EndSpinButtonUp"), QStringLiteral("+"), 393, 148);
    EndSpinDown = AddSpin(this, QStringLiteral("EndSpinButtonDown"), QStringLiteral("-"), 393, 161);
    ResetEndButton =
        AddColorButton(this, QStringLiteral("ResetEndButton"), QStringLiteral("Reset"), 300, 176, 110);
    for (TBitBtnWithColor* reset : {ResetStartButton, ResetEndButton}) {
        reset->SetColor(clBlack);
        reset->SetFontColor(clWhite);
    }
}

void TfrmCustomPlay::BuildOptions()
{
    auto* fine = new QGroupBox(QStringLiteral(" Fine Tune Factor: "), this);
    fine->setGeometry(230, 210, 310, 44);
    FineTune10 = new QRadioButton(QStringLiteral("10"), fine);
    FineTune100 = new QRadioButton(QStringLiteral("100"), fine);
    FineTune1000 = new QRadioButton(QStringLiteral("1,000"), fine);
    FineTune10000 = new QRadioButton(QStringLiteral("10,000"), fine);
    const std::array<QRadioButton*, 4> steps{FineTune10, FineTune100, FineTune1000, FineTune10000};
    const std::array<const char*, 4> names{"FineTune10", "FineTune100", "FineTune1000", "FineTune10000"};
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i]->setObjectName(QString::fromLatin1(names[i]));
        steps[i]->setGeometry(10 + static_cast<int>(i) * 74, 18, 70, 20);
    }
    FineTune1000->setChecked(true);

    auto* cue = new QGroupBox(QStringLiteral("Custom Cue for this Sound Clip:"), this);
    cue->setGeometry(230, 258, 200, 44);
    CustomPlayOn = new QRadioButton(QStringLiteral("On"), cue);
    CustomPlayOn->setObjectName(QStringLiteral("CustomPlayOn"));
    CustomPlayOn->setGeometry(10, 18, 60, 20);
    CustomPlayOff = new QRadioButton(QStringLiteral("Off"), cue);
    CustomPlayOff->setObjectName(QStringLiteral("CustomPlayOff"));
    CustomPlayOff->setGeometry(90, 18, 60, 20);
    CustomPlayOff->setChecked(true);

    CustomPlaySaveButton = new QPushButton(QStringLiteral("Save"), this);
    CustomPlaySaveButton->setObjectName(QStringLiteral("CustomPlaySaveButton"));
    CustomPlaySaveButton->setGeometry(450, 262, 90, 25);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(450, 292, 90, 25);
}

void TfrmCustomPlay::WireSignals()
{
    CustomPlayPlayButton->OnClick = [this](QObject*) { CustomPlayPlayButtonClick(); };
    CustomPlayPreviewButton->OnClick = [this](QObject*) { CustomPlayPreviewButtonClick(); };
    CustomPlayPauseButton->OnClick = [this](QObject*) { CustomPlayPauseButtonClick(); };
    connect(PauseLabel, &TClickLabel::clicked, this, [this] { CustomPlayPauseButtonClick(); });
    CustomPlayStopButton->OnClick = [this](QObject*) { CustomPlayStopButtonClick(); };
    connect(CustomPlayTimer, &QTimer::timeout, this, [this] { CustomPlayTimerTimer(); });
    CustomPlayProgressBar->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        CustomPlayProgressBarMouseDown();
    };
    CustomPlayProgressBar->OnMouseUpTwo = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        CustomPlayProgressBarMouseUp();
    };
    CustomPlayProgressBar->OnChange = [this](QObject*) { CustomPlayProgressBarChange(); };
    CustomPlayVolume->OnChange = [this](QObject*) { CustomPlayVolumeChange(); };
    connect(SetStartButton, &QPushButton::clicked, this, [this] { SetStartButtonClick(); });
    connect(SetEndButton, &QPushButton::clicked, this, [this] { SetEndButtonClick(); });
    connect(ResetStartButton, &QPushButton::clicked, this, [this] { ResetStartButtonClick(); });
    connect(ResetEndButton, &QPushButton::clicked, this, [this] { ResetEndButtonClick(); });
    connect(StartSpinUp, &QPushButton::clicked, this, [this] { StartSpinButtonUpClick(); });
    connect(StartSpinDown, &QPushButton::clicked, this, [this] { StartSpinButtonDownClick(); });
    connect(EndSpinUp, &QPushButton::clicked, this, [this] { EndSpinButtonUpClick(); });
    connect(EndSpinDown, &QPushButton::clicked, this, [this] { EndSpinButtonDownClick(); });
    connect(FineTune10, &QRadioButton::clicked, this, [this] { FineTuneClick(10); });
    connect(FineTune100, &QRadioButton::clicked, this, [this] { FineTuneClick(100); });
    connect(FineTune1000, &QRadioButton::clicked, this, [this] { FineTuneClick(1000); });
    connect(FineTune10000, &QRadioButton::clicked, this, [this] { FineTuneClick(10000); });
    connect(CustomPlaySaveButton, &QPushButton::clicked, this, [this] { CustomPlaySaveButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
}
