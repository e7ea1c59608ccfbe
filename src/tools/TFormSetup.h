#pragma once
// tools/: TFormSetup (this file); find TformFind and TFormFindSpecs (FindCriteriaWindow.h); lists
// TButtonList and TFormDuplicateList with TStringGrid (StringGrid.h) and ListPrinter; the game-day
// windows TScoreboard, TFormGenericScoreboard, TFormAustralianFootball, TFormLineups,
// TFormRoster, reached through GameDayContext; TFormHotKey, TFormPersonalize, TFormAbout,
// TfrmCustomCuedButtons, TfrmShutDown.
// The "Setup Options" dialog: the settings on ten tabs, the board lock on the Security tab, and
// Save Settings, which copies the controls back into the settings, applies them to the main window
// and the audio output and writes the options file. Colours, Daylight Mode, the lock and the
// buffer length take effect the moment they change. Code by concern: TFormSetup.cpp (creation,
// filling), TFormSetupLayout.cpp (controls), TFormSetupSave.cpp (Save Settings, the options
// write, the output re-open), TFormSetupColors.cpp (colour buttons, Daylight Mode) and
// TFormSetupSecurity.cpp (the board lock).
#include "platform/Color.h"

#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;
class TBitBtnWithColor;
class TForm1;
struct MainFormContext;

class TFormSetup : public QDialog
{
    Q_OBJECT
public:
    explicit TFormSetup(TForm1* mainForm);

    // Fills the controls from the settings and waits; always 1 (Save and Cancel alike).
    int ShowModal();
    // The same filling without waiting, for callers that drive the window themselves.
    void Open();

    // --- Handlers.
    // `active`: fills every control from the settings; the dialog's own handlers stay quiet.
    void active();
    void SetupSaveButtonClick();
    void SetupCancelButtolClick();
    void GroupColorClick(int group); // GroupAColorClick .. GroupJColorClick
    void CueColorClick();
    void EditModeColorClick();
    void DragModeColorClick();
    void SelectControlButtonColor();
    void ActiveButtonColorClick();
    void DefaultColorsClick();
    void DaylightModeCheckBoxClick();
    void BufferSpinChange();
    void SecurityButtonClick();

    // Setup's write of the options file: every key of the main writer plus "Personalization".
    // False, after "Error in SetupWriteOptions", when the file could not be written.
    bool SetupWriteOptions();
    // Paints in ActiveButtonColor the main window's group button of CurrentGroup, page button of
    // CurrentPage and the mode buttons whose mode is on; writes its trace line.
    void SetActiveButtonColor();
    // Paints the main window's buttons, the panels behind the volume bar and the bar meters and the
    // needle meters' housing in ButtonColor (sound buttons only where they wore `previous`, the
    // colour before), then the chosen group and page and the modes that are on in ActiveButtonColor.
    void ApplyControlButtonColor(TColor previous);
    // Ends or announces the play log after the log setting changed.
    void CloseLogFile();
    // Shows the lock state on the Security tab and in the main window.
    void ShowSecurityState();

    // --- Controls (object names as the operator's documentation names them).
    QTabWidget* PageControl1 = nullptr;
    QCheckBox* ActivateTracerCheckBox = nullptr;
    QCheckBox* BroadcastCheckBox = nullptr;
    QCheckBox* CueDeleteCheckBox = nullptr;
    QCheckBox* EnterKeyMirrorSpaceBarCheckBox = nullptr;
    QCheckBox* LogFileCheckBox = nullptr;
    QCheckBox* MultiUserCheckBox = nullptr;
    QCheckBox* ResetALLCheckBox = nullptr;
    QCheckBox* SpaceBarStopCheckBox = nullptr;
    QCheckBox* PlayListPageCheckBox = nullptr;
    QCheckBox* PlayListStopCheckBox = nullptr;
    QCheckBox* SkipRedCheckBox = nullptr;
    QCheckBox* InstantPlayCheckBox = nullptr;
    QSpinBox* ThresholdLevel = nullptr;
    QRadioButton* RadioPlay = nullptr;
    QRadioButton* RadioStop = nullptr;
    QCheckBox* DaylightModeCheckBox = nullptr;
    QCheckBox* RapidFireCheckBox = nullptr;
    QCheckBox* HideEmptyPagesCheckbox = nullptr;

    std::array<TBitBtnWithColor*, 11> GroupColorButtons{}; // GroupAColor .. GroupJColor at 1..10
    TBitBtnWithColor* CueColor = nullptr;
    TBitBtnWithColor* EditModeColor = nullptr;
    TBitBtnWithColor* DragModeColor = nullptr;
    TBitBtnWithColor* ButtonColor = nullptr;
    TBitBtnWithColor* ActiveButtonColor = nullptr;
    TBitBtnWithColor* DefaultColors = nullptr;
    QRadioButton* IndicatorSilver = nullptr;
    QRadioButton* IndicatorGray = nullptr;
    QRadioButton* IndicatorBlack = nullptr;

    QSpinBox* VeskDelay = nullptr;
    QSpinBox* MeterRate = nullptr;

    QLineEdit* FadeInEdit = nullptr;
    QLineEdit* FadeOutEdit = nullptr;
    QLineEdit* FadeOutStartEdit = nullptr;
    QLineEdit* CrossFadeEdit = nullptr;
    QLineEdit* CrossFadeStartEdit = nullptr;
    QCheckBox* FadeOnHotCheckBox = nullptr;
    QCheckBox* PauseFadeInCheckBox = nullptr;
    QCheckBox* PauseFadeOutCheckBox = nullptr;
    QLineEdit* PauseFadeInEdit = nullptr;
    QLineEdit* PauseFadeOutEdit = nullptr;

    QRadioButton* PanelRadioButton = nullptr;
    QRadioButton* BarRadioButton = nullptr;
    QSpinBox* PanelSpin = nullptr;
    QSpinBox* YellowSpin = nullptr;
    QSpinBox* RedSpin = nullptr;

    QRadioButton* LowSampleRadioButton = nullptr;
    QRadioButton* MediumSampleRadioButton = nullptr;
    QRadioButton* HighSampleRadioButton = nullptr;
    QSpinBox* BufferSpin = nullptr;
    QRadioButton* MonoRadioButton = nullptr;
    QRadioButton* StereoRadioButton = nullptr;
    QComboBox* combobox2 = nullptr;

    QLineEdit* NoteTimeEdit = nullptr;
    QLineEdit* VoiceOverEdit = nullptr;
    QSpinBox* VoiceOverSpinEdit = nullptr;
    QRadioButton* RadioVOYes = nullptr;
    QRadioButton* RadioVONo = nullptr;
    QCheckBox* ShiftKeyCheckBox = nullptr;
    QCheckBox* HotKeyOverRideTalkCheckBox = nullptr;
    QSpinBox* DefaultVolumeSpin1 = nullptr;

    QLineEdit* SecurityCodeEdit = nullptr;
    QPushButton* SecurityButton = nullptr;
    QLabel* LockLabel1 = nullptr;
    QLabel* UnlockLabel1 = nullptr;

    QPushButton* SetupSaveButton = nullptr;
    QPushButton* SetupCancelButtol = nullptr;

    // The seconds edits: the five fader edits, the two pause edits, NoteTimeEdit, VoiceOverEdit.
    std::array<QLineEdit*, 9> SecondsEdits() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // TFormSetupLayout.cpp
    void BuildLayout();
    QWidget* BuildGeneralTab();
    QWidget* BuildColorsTab();
    QWidget* BuildDelayTab();
    QWidget* BuildFadersTab();
    QWidget* BuildMetersTab();
    QWidget* BuildSystemTab();
    QWidget* BuildNotesTab();
    QWidget* BuildTalkTab();
    QWidget* BuildVolumeTab();
    QWidget* BuildSecurityTab();
    void WireSignals();
    // TFormSetup.cpp
    void FillDeviceList();
    void FillColorButtons();
    void FillChecks();
    void FillSeconds();
    void FillSystem();
    bool SecondsKeyPress(QLineEdit* edit, QKeyEvent* event);
    void EditChange(QLineEdit* edit);
    bool SecurityCodeEditKeyPress(QKeyEvent* event);
    // TFormSetupSave.cpp
    void SaveMeters();
    void SaveModes();
    void SaveLogging();
    void SaveSeconds();
    void SaveMeterKind();
    bool SaveOutput();
    void ReopenOutput(int oldDevice, int oldRate, bool oldStereo);
    bool TryOutput(int device, int rate, bool stereo);
    void SaveKeysAndTrace();
    double SecondsOf(const QLineEdit* edit, double current) const;
    // TFormSetupColors.cpp
    bool PickColor(TBitBtnWithColor* button, TColor& setting);
    void PaintActiveButtons();
    void SetDaylightMode(bool on);

    TForm1& main_;
    MainFormContext& ctx_;
    // Set while the dialog fills itself, so that no handler of its own runs on those changes.
    bool filling_ = false;
    // The last accepted text of each seconds edit, restored when pasted text is not a number of
    // seconds with at most one tenth.
    std::array<QString, 9> secondsText_{};
};
