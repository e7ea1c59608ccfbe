#pragma once
// The main window: the board of 48 sound buttons, the 18 page buttons, the ten group buttons,
// the mode buttons and the menus. Its code is split by concern: MainFormLayout (controls),
// MainFormWiring (signals), MainFormStartup, MainFormExit, MainFormPainting,
// MainFormNavigation, MainFormSetFileCommands, MainFormLogCommands and MainFormMenus.
#include "board/MainFormContext.h"
#include "platform/Color.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class GTForm;
class TBitBtnWithColor;
class TClickLabel;
class TColorPanel;
class QProgressBar;
class TzcPeakOmeter;
class TzPanelMeter;
class TzSlideBar;

class TForm1 : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int SlotCount = 48;
    static constexpr int PageButtonSlots = 18;
    static constexpr int Groups = 10;
    // A slot number that names one of the 48 slots. A key, a timer or a file can hand over any
    // number (0 is "no button under the cursor"); only these reach the slot tables.
    static constexpr bool IsSlot(int slot) { return slot >= 1 && slot <= SlotCount; }

    // Builds the controls and runs the create step, as the program's first window.
    explicit TForm1(MainFormContext& context, QWidget* parent = nullptr);
    ~TForm1() override;

    // --- Start-up and exit (MainFormStartup.cpp, MainFormExit.cpp)
    void FormCreate();
    // The close step; true when the program ends, false when the window stays open.
    bool TermExit();
    void ExitButtonClick();
    void Exit1Click();
    // The window caption: version text, five blanks and the personal title or the set file,
    // and the logging note when withLogging and the play log is on.
    void SetMainCaption(bool withPersonalization, bool withLogging);

    // --- Painting (MainFormPainting.cpp)
    bool LoadButtons();
    bool TotalPage(int group, int page);
    bool ButtonsOn();

    // --- Navigation (MainFormNavigation.cpp)
    bool ProcessGroupButton(int group);
    bool ProcessPageButton(int page);
    bool PlayListNextPage();
    bool PrevPage();
    bool NextPage();
    bool ResetPageProcess();
    bool AutoResetAll();
    void GroupButtonClick(int group); // PageAGroup1Click .. PageJGroupClick
    void PageButtonClick(int page);   // PageButton1Click .. PageButton18Click
    void ResetPageClick();
    void ResetPageButtonClick();
    void FormResetClick();
    void FormRestoreClick();
    void GTForm1GTOnResize();
    // The window size reset: the controls back to their design bounds and fonts.
    void RestoreDesignLayout();

    // --- Set-file commands (MainFormSetFileCommands.cpp)
    void OpenSet1Click();
    void OpenButtonClick();
    void SaveSet1Click();
    void SaveButtonClick();
    void SaveSetAs1Click();
    void NewSet1Click();
    void NewButtonClick();
    // Reads the set file into the board after blanking the slots, and sets the caption.
    bool LoadSetFile();

    // --- Trace and log commands (MainFormLogCommands.cpp)
    void DeleteTracerFileClick();
    void DeleteLogFileClick();
    void ViewLogFile1Click();
    void PrintLogFile1Click();
    void ShowWindowsVersion1Click();
    void LoggingOnDisplayClick();
    void OpenBackups1Click();
    // Clears the board and the slots before a backup is read into them.
    void BackupSetFileSetup();
    void ClearSlotsForBackup();

    // --- The slot click and the playback entry points. Playback itself is built elsewhere; until
    // then these keep the board consistent: nothing plays, so there is nothing to stop.
    void ButtonClick(int slot); // Button1Click .. Button48Click
    virtual void ProcessSoundButton(int slot);
    virtual bool StopProcess(const QString& reason);
    virtual bool SetVolume(int volume);

    // --- Edit mode (MainFormEditMode.cpp)
    void EditButtonClick();
    // The edit-mode click on slot N: makes it the popup target and opens the sound-button editor
    // (after the page check). False outside edit mode, when the click is the play path's.
    bool EditModeSoundClick(int slot);
    // Shows the sound-button editor modally on the popup target and returns its modal result;
    // set by the application once that window exists.
    std::function<int()> ShowSoundButtonEditor;

    // --- Slot-control tables, filled by name at start (index 1..48, 1..18).
    std::array<TColorPanel*, SlotCount + 1> ButtonPanels{};
    std::array<TBitBtnWithColor*, SlotCount + 1> SoundButtons{};
    std::array<TClickLabel*, SlotCount + 1> ButtonMemos{};
    std::array<TClickLabel*, SlotCount + 1> TimeLabels{};
    std::array<TClickLabel*, SlotCount + 1> HotKeyLabels{};
    std::array<TClickLabel*, SlotCount + 1> VolumeLabels{};
    std::array<TClickLabel*, SlotCount + 1> LoopLabels{};
    std::array<TClickLabel*, SlotCount + 1> CustomCueLabels{};
    std::array<TBitBtnWithColor*, PageButtonSlots + 1> PageButtons{};

    // --- Named controls.
    std::array<TBitBtnWithColor*, Groups + 1> GroupButtons{}; // PageAGroup .. PageJGroup
    std::array<TColorPanel*, PageButtonSlots + 1> PanelPage{};
    TColorPanel* PanelControls = nullptr;
    TColorPanel* PanelPages = nullptr;
    TColorPanel* Panel51 = nullptr;
    TColorPanel* Panel52 = nullptr;
    TColorPanel* Panel54 = nullptr;
    TColorPanel* Panel55 = nullptr;
    TColorPanel* BarMeterPanel = nullptr;
    TColorPanel* LoggingOnDisplay = nullptr;
    QLabel* LockDownDisplay = nullptr;
    QLabel* MonoDisplay = nullptr;
    QLabel* SoundPlaying = nullptr;
    QLabel* lblGroup = nullptr;
    QLabel* lblPage = nullptr;
    QLabel* LabelPageTotals = nullptr;
    QLabel* LeftMeterLabel = nullptr;
    QLabel* RightMeterLabel = nullptr;
    TzcPeakOmeter* LMeter = nullptr;
    TzcPeakOmeter* RMeter = nullptr;
    TzPanelMeter* LeftMeter = nullptr;
    TzPanelMeter* RightMeter = nullptr;
    TzSlideBar* VolumeControl = nullptr;
    TzSlideBar* AdvanceBar = nullptr;
    // The gauge under the progress bar, and the time labels with their captions (Label3 total,
    // Label4 remaining, Label5 elapsed).
    QProgressBar* ProgressGauge = nullptr;
    QLabel* lblTotalTime = nullptr;
    QLabel* lblTimeRemaining = nullptr;
    QLabel* lblTimeElapsed = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QPushButton* DummyButton = nullptr;
    QPushButton* DummyButton1 = nullptr;
    TBitBtnWithColor* NewButton = nullptr;
    TBitBtnWithColor* OpenButton = nullptr;
    TBitBtnWithColor* SaveButton = nullptr;
    TBitBtnWithColor* ResetPageButton = nullptr;
    TBitBtnWithColor* ExitButton = nullptr;
    TBitBtnWithColor* FindButton = nullptr;
    TBitBtnWithColor* EditButton = nullptr;
    TBitBtnWithColor* CueButton = nullptr;
    TBitBtnWithColor* EqualizerButton = nullptr;
    TBitBtnWithColor* ShuffleButton = nullptr;
    TBitBtnWithColor* PlayListButton = nullptr;
    TBitBtnWithColor* RapidFireButton = nullptr;
    TBitBtnWithColor* CrossFadeButton = nullptr;
    TBitBtnWithColor* AutoFadeButton = nullptr;
    TBitBtnWithColor* MultiPlayButton = nullptr;
    TBitBtnWithColor* FadeInButton = nullptr;
    TBitBtnWithColor* FadeOutButton = nullptr;
    TBitBtnWithColor* VoiceOverButton = nullptr;
    TBitBtnWithColor* LoopOnButton = nullptr;
    TBitBtnWithColor* PauseButton = nullptr;
    TBitBtnWithColor* StopPlayButton = nullptr;
    TBitBtnWithColor* NextButton = nullptr;
    TBitBtnWithColor* ButtonDragButton = nullptr;

    // Timers of the main window; their work is added with playback and the game clock.
    QTimer* DisplayTimer = nullptr;
    QTimer* SecondTimer = nullptr;
    QTimer* StopWatchTimer = nullptr;
    QTimer* ProgressionTimer = nullptr;

    // Menu items.
    QMenu* File1 = nullptr;
    QMenu* Log1 = nullptr;
    QMenu* Tools1 = nullptr;
    QMenu* Help1 = nullptr;
    QAction* NewSet1 = nullptr;
    QAction* OpenSet1 = nullptr;
    QAction* SaveSet1 = nullptr;
    QAction* SaveSetAs1 = nullptr;
    QAction* OpenBackups1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ResetPage1 = nullptr;
    QAction* Loop1 = nullptr;
    QAction* ButtonDragModeOnOff = nullptr;
    QAction* FormReset = nullptr;
    QAction* FormRestore1 = nullptr;
    QAction* ViewLogFile1 = nullptr;
    QAction* PrintLogFile1 = nullptr;
    QAction* DeleteLogFile = nullptr;
    QAction* DeleteTracerFile = nullptr;
    QAction* ShowWindowsVersion1 = nullptr;

    // --- Texts and colours set at start.
    QString VersionText;
    QString BuildText;
    QString WindowsVersionText;
    QString OldOptionsFileName;
    QString OptionsFileName;
    static constexpr TColor DefaultDragModeColor = static_cast<TColor>(0x027280FA);
    static constexpr TColor DefaultEditModeColor = static_cast<TColor>(0x02E6E0B0);
    static constexpr TColor CuedColor = static_cast<TColor>(0x02FF9B37);
    TColor HotKeyLabelColor = DefaultEditModeColor;

    // --- Flags of the main window.
    bool Playing = false;
    bool PlayListMode = false;
    bool PlayListRunning = false;
    bool LoopMode = false;
    bool ButtonDragMode = false;
    bool VolumeChanging = false;
    bool GroupChanged = false;
    bool PageEditAdding = false;
    bool PopupEdited = false;
    bool ManualControl = false;
    bool TimeErrorShown = false;
    bool Exiting = false;
    bool lCrossFadingIn = false;
    bool lCrossFadingOut = false;
    int MasterVolume = 0;
    bool ProfileWritten = false;
    // Set once the exit sequence has run to its end; the window then closes for good.
    bool ExitDone = false;

    MainFormContext& Context() { return ctx_; }
    // The form scaler that rescales the window and forwards its form events.
    GTForm* GTForm1 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // MainFormLayout.cpp
    void BuildLayout();
    void BuildToolbar(QWidget* host);
    void BuildGroupRow(QWidget* host);
    void BuildPageColumn(QWidget* host);
    void BuildSlots(QWidget* host);
    void BuildMeters(QWidget* host);
    void BuildTimers();
    // MainFormMenus.cpp
    void BuildMenus();
    // MainFormWiring.cpp
    void WireSignals();
    // MainFormStartup.cpp
    void ReadOptionsAtStart();
    void AskTracerQuestion();
    void FindSlotControls();
    void WireSlotClicks();
    void PrepareSlots();
    void PaintButtonsAtStart();
    void ApplyModesAtStart();
    void WarnLowIndividualVolume();
    void ShowStartGroup();
    bool StartAudio();
    // After the options' device and rate were refused: the defaults, with a message. False when
    // those fail too.
    bool StartFallbackOutput(std::uint32_t flags);
    void StartBlankBoard();
    void ShowError(const QString& routine);
    // MainFormEditMode.cpp
    void EnterEditMode();
    void LeaveEditMode();
    // MainFormExit.cpp
    bool ConfirmClipboards();
    void SaveBoardAtExit();
    void StopTimersForExit();
    void RestoreTimersAfterCancel();
    // MainFormPainting.cpp
    void PaintSlot(int slot);
    void PaintPanelByState(int slot, int state, bool captionBlank);
    void ShowBroadcastKey(int slot, bool captionBlank);
    void ApplyPageButtonFont(int page);
    // withColor: also the font colour (start-up); a resize keeps the colours painted by state.
    void ApplySoundFont(int slot, bool withColor = true);
    // MainFormNavigation.cpp
    void PaintGroupButtons(int activeGroup);
    void EmptyPageArea();
    void ApplyPlayListFlags(int page);
    void ShowNamedPage(int page);
    void OpenPageEditor();
    bool StepPage(int direction, const QString& routine);
    void ResetPanelsOfPage(bool autoReset);
    static int ResetState(int state, bool playing);
    // MainFormSetFileCommands.cpp
    void EraseBoardDisplay();
    bool NewBoard(bool fromMenu);
    bool AskSaveBeforeOpen(const QString& routine);
    void FocusDummy();

    MainFormContext& ctx_;
    // Timers that ran when the exit sequence stopped them, restored when the exit is cancelled.
    std::array<bool, 4> timersRunning_{};
    bool loggingDisplayWasVisible_ = false;
    QWidget* board_ = nullptr;
    bool created_ = false;
};
