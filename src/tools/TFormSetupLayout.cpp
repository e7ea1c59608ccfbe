// The Setup dialog's controls, tab by tab, and the one place where their signals are wired.
#include "tools/TFormSetup.h"

#include "board/MainFormButtons.h"
#include "board/OptionsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// Answers "*" for the password character and leaves everything else to the application's style.
class AsteriskPasswordStyle : public QProxyStyle
{
public:
    explicit AsteriskPasswordStyle(QObject* owner) { setParent(owner); }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '*';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

template <typename W> W* Named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* Check(QLayout* layout, const char* name, const QString& caption, const QString& hint = {})
{
    auto* box = Named(new QCheckBox(caption), name);
    box->setToolTip(hint);
    layout->addWidget(box);
    return box;
}

QRadioButton* Radio(QLayout* layout, const char* name, const QString& caption)
{
    auto* radio = Named(new QRadioButton(caption), name);
    layout->addWidget(radio);
    return radio;
}

QSpinBox* Spin(const char* name, int min, int max, int start, int step = 1, const QString& hint = {})
{
    auto* spin = Named(new QSpinBox, name);
    spin->setRange(min, max);
    spin->setValue(start);
    spin->setSingleStep(step);
    spin->setToolTip(hint);
    return spin;
}

QGroupBox* Box(QLayout* parent, const QString& caption, QLayout* inner)
{
    auto* box = new QGroupBox(caption);
    box->setLayout(inner);
    parent->addWidget(box);
    return box;
}

// A labelled row: caption, then the control.
void Row(QVBoxLayout* layout, const QString& caption, QWidget* control)
{
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(caption));
    row->addWidget(control);
    row->addStretch();
    layout->addLayout(row);
}

QLineEdit* SecondsEdit(const char* name, const QString& hint)
{
    auto* edit = Named(new QLineEdit, name);
    edit->setToolTip(hint);
    edit->setMaximumWidth(80);
    return edit;
}

TBitBtnWithColor* ColorButton(QLayout* layout, QWidget* parent, const char* name, const QString& caption)
{
    TBitBtnWithColor* button = NewColorButton(parent);
    AsPushButton(button)->setObjectName(QString::fromLatin1(name));
    AsPushButton(button)->setText(caption);
    layout->addWidget(AsPushButton(button));
    return button;
}

} // namespace

void TFormSetup::BuildLayout()
{
    auto* outer = new QVBoxLayout(this);
    PageControl1 = Named(new QTabWidget, "PageControl1");
    // Ten whole tab captions are wider than the dialog: the strip scrolls, whatever the style's habit.
    PageControl1->setUsesScrollButtons(true);
    PageControl1->setElideMode(Qt::ElideNone);
    outer->addWidget(PageControl1);
    PageControl1->addTab(BuildGeneralTab(), QStringLiteral("General"));
    PageControl1->addTab(BuildColorsTab(), QStringLiteral("Colors"));
    PageControl1->addTab(BuildDelayTab(), QStringLiteral("Delay"));
    PageControl1->addTab(BuildFadersTab(), QStringLiteral("Faders"));
    PageControl1->addTab(BuildMetersTab(), QStringLiteral("Meters"));
    PageControl1->addTab(BuildSystemTab(), QStringLiteral("System"));
    PageControl1->addTab(BuildNotesTab(), QStringLiteral("Notes"));
    PageControl1->addTab(BuildTalkTab(), QStringLiteral("Talk"));
    PageControl1->addTab(BuildVolumeTab(), QStringLiteral("Volume"));
    PageControl1->addTab(BuildSecurityTab(), QStringLiteral("Security"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    SetupSaveButton = Named(new QPushButton(QStringLiteral("Save Settings")), "SetupSaveButton");
    SetupCancelButtol = Named(new QPushButton(QStringLiteral("Cancel")), "SetupCancelButtol");
    SetupSaveButton->setAutoDefault(false);
    SetupCancelButtol->setAutoDefault(false);
    buttons->addWidget(SetupSaveButton);
    buttons->addWidget(SetupCancelButtol);
    outer->addLayout(buttons);
}

QWidget* TFormSetup::BuildGeneralTab()
{
    auto* tab = Named(new QWidget, "General");
    auto* layout = new QVBoxLayout(tab);
    ActivateTracerCheckBox = Check(layout, "ActivateTracerCheckBox", QStringLiteral("Activate Tracer"));
    BroadcastCheckBox = Check(layout, "BroadcastCheckBox", QStringLiteral("Assign Broadcast Shortcut Keys"));
    CueDeleteCheckBox = Check(layout, "CueDeleteCheckBox", QStringLiteral("Cue Page Auto Delete"));
    EnterKeyMirrorSpaceBarCheckBox = Check(layout, "EnterKeyMirrorSpaceBarCheckBox",
                                           QStringLiteral("\"Enter Key\" Mirrors \"Space Bar\""));
    LogFileCheckBox = Check(layout, "LogFileCheckBox", QStringLiteral("Log File"));
    MultiUserCheckBox = Check(layout, "MultiUserCheckBox", QStringLiteral("Multi User Mode"));
    ResetALLCheckBox = Check(layout, "ResetALLCheckBox", QStringLiteral("Reset ALL Pages on Start-up"));
    SpaceBarStopCheckBox = Check(layout, "SpaceBarStopCheckBox", QStringLiteral("Space Bar Stop"));
    auto* playList = new QVBoxLayout;
    PlayListPageCheckBox =
        Check(playList, "PlayListPageCheckBox", QStringLiteral("Play List Automatic Page Advance"));
    PlayListStopCheckBox =
        Check(playList, "PlayListStopCheckBox", QStringLiteral("Stop \"Play List\" on \"Place Marker\""));
    SkipRedCheckBox =
        Check(playList, "SkipRedCheckBox", QStringLiteral("Skip Previously Played Sounds (Colored Red)"));
    Box(layout, QStringLiteral("Play List:"), playList);
    auto* instant = new QVBoxLayout;
    InstantPlayCheckBox = Check(instant, "InstantPlayCheckBox", QStringLiteral("Instant Play"));
    ThresholdLevel = Spin("ThresholdLevel", 0, 1000000, 100, 10);
    Row(instant, QStringLiteral("Threshold:"), ThresholdLevel);
    Box(layout, QStringLiteral("Instant Play:"), instant);
    layout->addWidget(new QLabel(QStringLiteral("Clicking on a playing Sound will:")));
    auto* playStop = new QHBoxLayout;
    RadioPlay = Radio(playStop, "RadioPlay", QStringLiteral("Play It Again"));
    RadioStop = Radio(playStop, "RadioStop", QStringLiteral("Stop It"));
    layout->addLayout(playStop);
    DaylightModeCheckBox = Check(layout, "DaylightModeCheckBox", QStringLiteral("Daylight Mode"));
    RapidFireCheckBox = Check(layout, "RapidFireCheckBox", QStringLiteral("Rapid Fire"));
    HideEmptyPagesCheckbox =
        Check(layout, "HideEmptyPagesCheckbox", QStringLiteral("Hide Empty Page Buttons"));
    RapidFireCheckBox->hide();
    HideEmptyPagesCheckbox->hide();
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildColorsTab()
{
    auto* tab = Named(new QWidget, "Colors");
    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(new QLabel(QStringLiteral("Click Button to Change Colors")));
    auto* groups = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    static const char* const names[] = {"GroupAColor", "GroupBColor", "GroupCColor", "GroupDColor",
                                        "GroupEColor", "GroupFColor", "GroupGColor", "GroupHColor",
                                        "GroupIColor", "GroupJColor"};
    for (int group = 1; group <= 10; ++group) {
        const QString caption = QStringLiteral("Group ") + QChar('A' + group - 1) + QStringLiteral(" Color");
        GroupColorButtons[static_cast<std::size_t>(group)] =
            ColorButton(group <= 5 ? left : right, tab, names[group - 1], caption);
    }
    groups->addLayout(left);
    groups->addLayout(right);
    layout->addLayout(groups);
    CueColor = ColorButton(layout, tab, "CueColor", QStringLiteral("Cue Color"));
    EditModeColor = ColorButton(layout, tab, "EditModeColor", QStringLiteral("Edit Mode Color"));
    AsPushButton(EditModeColor)->hide();
    DragModeColor = ColorButton(layout, tab, "DragModeColor", QStringLiteral("Drag Mode Color"));
    ButtonColor = ColorButton(layout, tab, "ButtonColor", QStringLiteral("Control Buttons Color"));
    ActiveButtonColor = ColorButton(layout, tab, "ActiveButtonColor", QStringLiteral("Active Button Color"));
    DefaultColors = ColorButton(layout, tab, "DefaultColors", QStringLiteral("Restore Default Colors"));
    auto* indicators = new QHBoxLayout;
    IndicatorSilver = Radio(indicators, "IndicatorSilver", QStringLiteral("Silver"));
    IndicatorGray = Radio(indicators, "IndicatorGray", QStringLiteral("Gray"));
    IndicatorBlack = Radio(indicators, "IndicatorBlack", QStringLiteral("Black"));
    Box(layout, QStringLiteral("Loop, Cue, Volume Indicators -  Background Color: "), indicators);
    return tab;
}

QWidget* TFormSetup::BuildDelayTab()
{
    auto* tab = Named(new QWidget, "Delay");
    auto* layout = new QVBoxLayout(tab);
    const QString hint = QStringLiteral("Recommend lowest setting possible");
    VeskDelay = Spin("VeskDelay", 0, MaxDelayMs, 0, 1, hint);
    MeterRate = Spin("MeterRate", 1, 500, 1, 1, hint);
    Row(layout, QStringLiteral("Delay between sounds:"), VeskDelay);
    Row(layout, QStringLiteral("Meter Sample Rate:"), MeterRate);
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildFadersTab()
{
    auto* tab = Named(new QWidget, "Faders");
    auto* layout = new QVBoxLayout(tab);
    const QString four = QStringLiteral("Recommend setting of 4 seconds");
    const QString six = QStringLiteral("Recommend setting of 6 seconds");
    FadeInEdit = SecondsEdit("FadeInEdit", four);
    FadeOutEdit = SecondsEdit("FadeOutEdit", four);
    FadeOutStartEdit = SecondsEdit("FadeOutStartEdit", six);
    CrossFadeEdit = SecondsEdit("CrossFadeEdit", four);
    CrossFadeStartEdit = SecondsEdit("CrossFadeStartEdit", six);
    Row(layout, QStringLiteral("Length of fade in* "), FadeInEdit);
    Row(layout, QStringLiteral("Length of fade out*"), FadeOutEdit);
    Row(layout, QStringLiteral("Position from end to start fade out* "), FadeOutStartEdit);
    Row(layout, QStringLiteral("Length of cross fade*"), CrossFadeEdit);
    Row(layout, QStringLiteral("Position from end to start cross fade* "), CrossFadeStartEdit);
    FadeOnHotCheckBox = Check(layout, "FadeOnHotCheckBox", QStringLiteral("Allow Fades on Hot Keys"),
                              QStringLiteral("Recommended setting - Not Checked"));
    auto* pause = new QVBoxLayout;
    PauseFadeInCheckBox = Check(pause, "PauseFadeInCheckBox", QStringLiteral("Fade In Active"));
    PauseFadeInEdit = SecondsEdit("PauseFadeInEdit", QString());
    pause->addWidget(PauseFadeInEdit);
    PauseFadeOutCheckBox = Check(pause, "PauseFadeOutCheckBox", QStringLiteral("Fade Out Active"));
    PauseFadeOutEdit = SecondsEdit("PauseFadeOutEdit", QString());
    pause->addWidget(PauseFadeOutEdit);
    Box(layout, QStringLiteral("Pause Faders: "), pause);
    layout->addWidget(new QLabel(QStringLiteral("* In Seconds, tenths allowed (e.g. 2,  4.0,  4.3)")));
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildMetersTab()
{
    auto* tab = Named(new QWidget, "Meters");
    auto* layout = new QVBoxLayout(tab);
    auto* style = new QHBoxLayout;
    PanelRadioButton = Radio(style, "PanelRadioButton", QStringLiteral("Panel"));
    BarRadioButton = Radio(style, "BarRadioButton", QStringLiteral("Bar"));
    Box(layout, QStringLiteral("Meter Style:"), style);
    auto* panel = new QHBoxLayout;
    PanelSpin = Spin("PanelSpin", 0, 128, 110, 1, QStringLiteral("Recommended setting of 110"));
    panel->addWidget(PanelSpin);
    Box(layout, QStringLiteral("Panel Meter Red Line"), panel);
    auto* bar = new QHBoxLayout;
    YellowSpin = Spin("YellowSpin", 0, 128, 73);
    RedSpin = Spin("RedSpin", 0, 128, 109);
    bar->addWidget(YellowSpin);
    bar->addWidget(RedSpin);
    Box(layout, QStringLiteral("Bar Meter Activation Points:"), bar);
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildSystemTab()
{
    auto* tab = Named(new QWidget, "System");
    auto* layout = new QVBoxLayout(tab);
    auto* rates = new QHBoxLayout;
    LowSampleRadioButton = Radio(rates, "LowSampleRadioButton", QStringLiteral("22050 hz"));
    MediumSampleRadioButton = Radio(rates, "MediumSampleRadioButton", QStringLiteral("44100 hz"));
    HighSampleRadioButton = Radio(rates, "HighSampleRadioButton", QStringLiteral("48000 hz"));
    Box(layout, QStringLiteral("Sample Rate:"), rates);
    auto* buffer = new QHBoxLayout;
    BufferSpin = Spin("BufferSpin", 150, 5000, 150);
    buffer->addWidget(new QLabel(QStringLiteral("Min 150")));
    buffer->addWidget(BufferSpin);
    buffer->addWidget(new QLabel(QStringLiteral("Max 5,000")));
    Box(layout, QStringLiteral("Buffer Length in Milliseconds:"), buffer);
    auto* mode = new QHBoxLayout;
    MonoRadioButton = Radio(mode, "MonoRadioButton", QStringLiteral("Mono"));
    StereoRadioButton = Radio(mode, "StereoRadioButton", QStringLiteral("Stereo"));
    Box(layout, QStringLiteral("Mode:"), mode);
    auto* device = new QHBoxLayout;
    combobox2 = Named(new QComboBox, "combobox2");
    device->addWidget(combobox2);
    Box(layout, QStringLiteral("Output Device:"), device);
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildNotesTab()
{
    auto* tab = Named(new QWidget, "Notes");
    auto* layout = new QVBoxLayout(tab);
    auto* inner = new QVBoxLayout;
    NoteTimeEdit = SecondsEdit("NoteTimeEdit", QString());
    inner->addWidget(NoteTimeEdit);
    inner->addWidget(new QLabel(QStringLiteral("Seconds, tenths allowed... ")));
    inner->addWidget(new QLabel(QStringLiteral("(e.g. 3, 3.0, 3.4)")));
    Box(layout, QStringLiteral("Display Time for Notes:"), inner);
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildTalkTab()
{
    auto* tab = Named(new QWidget, "Talk");
    auto* layout = new QVBoxLayout(tab);
    auto* fade = new QHBoxLayout;
    VoiceOverEdit = SecondsEdit("VoiceOverEdit", QStringLiteral("Recommended Setting less than 1.0"));
    fade->addWidget(VoiceOverEdit);
    Box(layout, QStringLiteral("Talk Fade:"), fade);
    auto* volume = new QHBoxLayout;
    VoiceOverSpinEdit =
        Spin("VoiceOverSpinEdit", 0, 100, 10, 1, QStringLiteral("Recommended setting below 30"));
    volume->addWidget(VoiceOverSpinEdit);
    Box(layout, QStringLiteral("Talk Volume Level:"), volume);
    auto* blink = new QHBoxLayout;
    RadioVOYes = Radio(blink, "RadioVOYes", QStringLiteral("Yes"));
    RadioVONo = Radio(blink, "RadioVONo", QStringLiteral("No"));
    Box(layout, QStringLiteral("Blink \"Talk\" Button:"), blink);
    ShiftKeyCheckBox =
        Check(layout, "ShiftKeyCheckBox", QStringLiteral("Use Shift Key to Activate \"Talk\" Function"));
    HotKeyOverRideTalkCheckBox =
        Check(layout, "HotKeyOverRideTalkCheckBox", QStringLiteral("Hot Keys Ignore \"Talk\" Volume Level"));
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildVolumeTab()
{
    auto* tab = Named(new QWidget, "Volume");
    auto* layout = new QVBoxLayout(tab);
    auto* inner = new QHBoxLayout;
    DefaultVolumeSpin1 =
        Spin("DefaultVolumeSpin1", 0, 100, 75, 1, QStringLiteral("Recommended setting is 75 "));
    inner->addWidget(DefaultVolumeSpin1);
    Box(layout, QStringLiteral("Individual Volume Level Default Setting:"), inner);
    layout->addStretch();
    return tab;
}

QWidget* TFormSetup::BuildSecurityTab()
{
    auto* tab = Named(new QWidget, "Security");
    auto* layout = new QVBoxLayout(tab);
    SecurityCodeEdit = Named(new QLineEdit, "SecurityCodeEdit");
    SecurityCodeEdit->setMaxLength(8);
    // The locked code shows as "*" whatever the desktop style's own password character is.
    SecurityCodeEdit->setStyle(new AsteriskPasswordStyle(SecurityCodeEdit));
    Row(layout, QStringLiteral("Security Code:"), SecurityCodeEdit);
    SecurityButton = Named(new QPushButton(QStringLiteral("Apply Security Code")), "SecurityButton");
    SecurityButton->setAutoDefault(false);
    layout->addWidget(SecurityButton);
    UnlockLabel1 =
        Named(new QLabel(QStringLiteral("Rallybox is now unlocked. \n\nTo lock the program, enter an "
                                        "eight digit all numeric key and click the \n\"Apply Security "
                                        "Code\"")),
              "UnlockLabel1");
    LockLabel1 =
        Named(new QLabel(QStringLiteral("Rallybox is now LOCKED!\n\nTo unlock the program, enter the "
                                        "Security Code and Click the\n\"Validate Security Code\" "
                                        "button.")),
              "LockLabel1");
    layout->addWidget(UnlockLabel1);
    layout->addWidget(LockLabel1);
    layout->addStretch();
    return tab;
}

void TFormSetup::WireSignals()
{
    connect(SetupSaveButton, &QPushButton::clicked, this, &TFormSetup::SetupSaveButtonClick);
    connect(SetupCancelButtol, &QPushButton::clicked, this, &TFormSetup::SetupCancelButtolClick);
    for (int group = 1; group <= 10; ++group) {
        connect(AsPushButton(GroupColorButtons[static_cast<std::size_t>(group)]), &QPushButton::clicked, this,
                [this, group] { GroupColorClick(group); });
    }
    connect(AsPushButton(CueColor), &QPushButton::clicked, this, &TFormSetup::CueColorClick);
    connect(AsPushButton(EditModeColor), &QPushButton::clicked, this, &TFormSetup::EditModeColorClick);
    connect(AsPushButton(DragModeColor), &QPushButton::clicked, this, &TFormSetup::DragModeColorClick);
    connect(AsPushButton(ButtonColor), &QPushButton::clicked, this, &TFormSetup::SelectControlButtonColor);
    connect(AsPushButton(ActiveButtonColor), &QPushButton::clicked, this,
            &TFormSetup::ActiveButtonColorClick);
    connect(AsPushButton(DefaultColors), &QPushButton::clicked, this, &TFormSetup::DefaultColorsClick);
    // clicked, not toggled: only the operator's change runs the handler, never the filling.
    connect(DaylightModeCheckBox, &QCheckBox::clicked, this, &TFormSetup::DaylightModeCheckBoxClick);
    connect(BufferSpin, &QSpinBox::valueChanged, this, &TFormSetup::BufferSpinChange);
    connect(SecurityButton, &QPushButton::clicked, this, &TFormSetup::SecurityButtonClick);
    for (QLineEdit* edit : SecondsEdits()) {
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { EditChange(edit); });
    }
    SecurityCodeEdit->installEventFilter(this);
}
