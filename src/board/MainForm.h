#pragma once
// board/: TForm1 (this file, the main window), Board (the tables of the open set), Settings,
// Selection, SetFile (SetFileReader.cpp / SetFileWriter.cpp), OptionsFile, Backups, Tracer,
// PlayLog, CountUpClock; MainFormContext is what the window is given.
// The main window: the board of 48 sound buttons, the 18 page buttons, the ten group buttons,
// the mode buttons and the menus. Its code is split by concern: MainFormLayout (controls),
// MainFormWiring (signals), MainFormStartup, MainFormExit, MainFormPainting,
// MainFormNavigation, MainFormSetFileCommands, MainFormLogCommands and MainFormMenus.
#include "board/CountUpClock.h"
#include "board/Board.h"
#include "board/MainFormContext.h"
#include "board/MainFormWindows.h"
#include "board/PlayModes.h"
#include "platform/Color.h"

#include <QHash>
#include <QMainWindow>
#include <QRect>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;
class GTForm;
class TBitBtnWithColor;
class TClickLabel;
class TColorPanel;
class TProgressGauge;
class TzcPeakOmeter;
class TzPanelMeter;
class TzSlideBar;
class OutputWatch;
class SoundLengthFollower;

class TForm1 : public QMainWindow
{
    Q_OBJECT
    // The window's own modes when no playback shares them (a bare window). Declared first: the
    // flag names further down refer to whichever instance the window was built with.
    PlayModes ownModes_;
    PlayModes& modes_;

public:
    static constexpr int SlotCount = 48;
    static constexpr int PageButtonSlots = 18;
    static constexpr int Groups = 10;
    // A slot number that names one of the 48 slots. A key, a timer or a file can hand over any
    // number (0 is "no button under the cursor"); only these reach the slot tables.
    static constexpr bool IsSlot(int slot) { return slot >= 1 && slot <= SlotCount; }

    // Builds the controls and runs the create step, as the program's first window.
    explicit TForm1(MainFormContext& context, QWidget* parent = nullptr);
    // A window whose play modes are shared with playback: both read and set the one instance.
    TForm1(MainFormContext& context, PlayModes& modes, QWidget* parent = nullptr);
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
    // The toolbar, page area, group and time rows and the page frames in one colour.
    void PaintBoardPanels(TColor color);
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
    // The 48 sound buttons get height 20 and top 5 inside their panels, in the scaler's design
    // layout, and their present bounds follow from it.
    void PlaceSoundButtons();
    // A sound or page font as set (the design size) scaled to the window's present size.
    QFont ScaledToWindow(const QFont& designFont) const;
    // The window size reset: the controls back to their design bounds and fonts.
    void RestoreDesignLayout();
    // The whole window back to its design size: out of the maximized state first, as a
    // maximized window keeps the size the window manager gave it.
    void RestoreDesignWindow();

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
    // Drops the sounds still waiting for their files (leaving the program).
    virtual void CancelWaitingStarts() {}

    // --- Edit mode (MainFormEditMode.cpp)
    void EditButtonClick();
    // The edit-mode click on slot N: makes it the popup target and opens the sound-button editor
    // (after the page check). False outside edit mode, when the click is the play path's.
    bool EditModeSoundClick(int slot);
    // The windows of higher folders (editors, Setup, find, lists, game-day windows) and the
    // channel table's answer to "does this address play?"; the application sets itself, tests a
    // double. Until then no window opens and nothing plays.
    MainFormWindows& Windows() const;
    void SetWindows(MainFormWindows* windows) { windows_ = windows; }
    // Paints slot N from the cell of the page on display (PaintSlot), for the editing commands.
    void RepaintSlot(int slot) { PaintSlot(slot); }

    // --- Window, help, find and list commands (MainFormToolCommands.cpp). The windows they open
    // live in higher folders and are reached through Windows().
    void Options1Click();
    void About2Click();
    void Lineups1Click();
    void Roster1Click();
    void HelpTopics1Click();
    void VersionHistory1Click();
    // Opens the first of baseName + ".chm" / ".html" found in the program folder and the help
    // folders; else the warning notFoundText.
    void OpenHelpFile(const QString& baseName, const QString& notFoundText);
    void Personalize1Click();
    void Listsetfileandpath1Click();
    void FindButtonClick();
    void ListHotKeys1Click();
    void ListSoundButtons1Click();
    void VerifySoundButtons1Click();
    void ListCustomCuedButtons1Click();
    void DuplicateCheck1Click();
    // `ButtonListInvalidMode`: the sound-button list window shows the missing-file list.
    bool ButtonListInvalidMode = false;
    // The board lock as the main window shows it: the LOCKED! panel, the four set-file items
    // hidden, the Edit button (outside edit mode) and the five remove-all items disabled.
    void ShowLockState();
    // Edit mode may be entered (not locked, not in drag mode) or left (in edit mode).
    bool EditButtonAllowed() const;
    // The buttons whose mode is on, which wear ActiveButtonColor (MainFormActiveButtons.cpp): Fade
    // In, Fade Out, Cross Fade, Loop, Auto Fade, Play List, Rapid Fire, Multi-Play, Shuffle, Edit,
    // Button Drag, and Cue while the cue shows. The playing window adds Pause and Talk.
    virtual std::vector<TBitBtnWithColor*> ModeButtonsOn() const;
    // Repaints the volume bar in the current colours without changing the volume.
    void NudgeVolumeBar();
    // --- Right-click menus (MainFormPopupMenus.cpp). Every item of both menus exists with its
    // object name; an item runs the command registered for its name, so commands built with other
    // windows are registered from outside (an item without a command does nothing).
    QMenu* PopupMenuSound = nullptr;
    QMenu* PopupMenuPage = nullptr;
    void SetMenuCommand(const QString& itemName, std::function<void()> command);
    // Runs the command registered for the item; false when there is none.
    bool RunMenuCommand(const QString& itemName);
    bool HasMenuCommand(const QString& itemName) const;
    // The item of that object name in either right-click menu or the menu bar, or nullptr.
    QAction* MenuItem(const QString& itemName) const;
    // What a right click on the widget opens: the prepared menu (its items shown or hidden for the
    // widget's slot or page), or nullptr when no menu opens. Child controls of a slot count as the
    // slot, and the page button inside a page frame as the page button.
    QMenu* PreparePopup(QWidget* widget);
    // The control the last menu was prepared for, by its object name ("Panel7", "PageButton3",
    // "PanelPage3", "PanelPages", "CueButton", "PageCGroup").
    QString PopupComponentName;

    // OnPopup of the two menus: set the popup target from PopupComponentName and show or hide the
    // items; true when the menu has an item to offer.
    bool PopupSoundOptionsSet();
    bool PopupPageOptionsSet();
    // --- Game clock and stopwatch (MainFormGameClock.cpp).
    void HideUnhideGameClock1Click();
    void HideUnhideTimer1Click();
    void GameClockStartStopButtonClick();
    void GameClockResetButtonClick();
    void SecondTimerAdvance();
    void TimerStartStopButtonClick();
    void StopWatchResetButtonClick();
    void StopWatchTimerAdvance();
    TColorPanel* GameClockPanel = nullptr;
    QLabel* GameClockTime = nullptr;
    TBitBtnWithColor* GameClockStartStopButton = nullptr;
    TBitBtnWithColor* GameClockResetButton = nullptr;
    TColorPanel* TimerPanel = nullptr;
    QLabel* TimerTime = nullptr;
    TBitBtnWithColor* TimerStartStopButton = nullptr;
    TBitBtnWithColor* StopWatchResetButton = nullptr;
    bool GameClockRunning = false;
    bool GameClockShown = false;
    int GameClockSeconds = 0;
    bool StopWatchRunning = false;
    bool TimerShown = false;
    int StopWatchTenths = 0;

    // --- The cue (MainFormCue.cpp): page 19 of group D, filled by "Cue It" from anywhere.
    void PopupCueClick();
    // Appends CueTransfer to the first free cue slot, with the current address as its origin.
    void CueIt();
    // A sound has ended (every stop path of the playback calls this); acts on cue entries only.
    void CueEndPlay(int group, int page, int button);
    void CueButtonClick();
    bool CueButtonProcess();
    void PopupClearClueClick();
    // The copy of one button that "Cue It" fills and CueIt reads (its own custom cue, so the
    // sound clipboard is never touched).
    TSoundButtonCell CueTransfer;

    // --- Adding files and moving a sound (MainFormAddSounds.cpp)
    bool AddSoundButton();
    // Moves (group, page, button) to the first free button of page target of the same group.
    void SoundToPage(int group, int page, int button, const QString& target);
    // Told when a sound moved to another address, so a playing copy keeps its channel; set by
    // the playback layer.
    std::function<void(int fromGroup, int fromPage, int fromButton, int toGroup, int toPage, int toButton)>
        SoundMoved;

    // --- Sound and page menu commands (MainFormSoundCommands.cpp, MainFormPageCommands.cpp)
    void PopupAddClick();
    void PopupEditClick();
    void PopupDeleteClick();
    void PopupLockClick();
    void PopupHighlightClick();
    void PopupPlayedClick();
    void PopupTimerClick();
    void PopupInsertClick();
    void PopupEditPlaceMarkerClick();
    void AssignVolumeLevelClick();
    void PopupPageAddClick();
    void PopupPageEdit1Click();
    void PopupPageDeleteClick();
    void ResetAllClick();
    // "Add" or "Edit": how the place-marker window was opened.
    QString PlaceMarkerMode;
    // The slot the timed-start windows play (1..48).
    int TimedStartButton = 1;
    // Set while sounds are added from the menu: the duration routine leaves the time display alone.
    bool& AddingSounds = modes_.AddingSounds;

    // --- Remove-all commands of the Edit menu (MainFormRemoveAll.cpp)
    void RemoveAllHighlights1Click();
    void RemoveAllLoops1Click();
    void RemoveAllVolumeSettings1Click();
    void RemoveAllHotKeys1Click();
    void RemoveAllLocks1Click();

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
    QLabel* Label2 = nullptr; // "Now Playing:", shown from the first sound on
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
    TProgressGauge* ProgressGauge = nullptr;
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
    // Setup's new MeterRate reaches the progression timer through this; playback puts in its own
    // pacing of the ticks.
    std::function<void(int)> ApplyMeterRate;
    // True while a wait of the playback (a fade, a stop's delay) pumps the messages under the
    // present handler; set by the playback layer.
    std::function<bool()> PlaybackWaiting;

    // Menu items.
    QMenu* File1 = nullptr;
    QMenu* Log1 = nullptr;
    QMenu* Tools1 = nullptr;
    QMenu* Help1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* NewSet1 = nullptr;
    QAction* OpenSet1 = nullptr;
    QAction* SaveSet1 = nullptr;
    QAction* SaveSetAs1 = nullptr;
    QAction* OpenBackups1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* ResetPage1 = nullptr;
    QAction* Loop1 = nullptr;
    QAction* ButtonDragModeOnOff = nullptr;
    QAction* Stop1 = nullptr;
    QAction* Pause1 = nullptr;
    QAction* FormReset = nullptr;
    QAction* FormRestore1 = nullptr;
    QMenu* Window1 = nullptr;
    QAction* FormReset1 = nullptr;
    QAction* FormRestore2 = nullptr;
    QAction* ViewLogFile1 = nullptr;
    QAction* PrintLogFile1 = nullptr;
    QAction* DeleteLogFile = nullptr;
    QAction* DeleteTracerFile = nullptr;
    QAction* ShowWindowsVersion1 = nullptr;
    QAction* N6 = nullptr; // "Options..."
    QAction* About2 = nullptr;
    QAction* Lineups1 = nullptr;
    QAction* Roster1 = nullptr;
    QAction* HelpTopics1 = nullptr;
    QAction* VersionHistory1 = nullptr;
    QAction* Personalize1 = nullptr;
    QAction* Listsetfileandpath1 = nullptr;
    QAction* ListHotKeys1 = nullptr;
    QAction* ListSoundButtons1 = nullptr;
    QAction* VerifySoundButtons1 = nullptr;
    QAction* ListCustomCuedButtons1 = nullptr;
    QAction* DuplicateCheck1 = nullptr;
    QAction* ResetAllPages1 = nullptr;
    QAction* RemovaAllHighlights1 = nullptr;
    QAction* RemoveAllLoops1 = nullptr;
    QAction* RemoveAllVolumeSettings1 = nullptr;
    QAction* RemoveAllHotKeys1 = nullptr;
    QAction* RemoveAllLocks1 = nullptr;
    // The Scoreboard menu: one item per sport (their windows connect them by name) and the clocks.
    QMenu* Scoreboard1 = nullptr;
    QAction* HideUnhideGameClock1 = nullptr;
    QAction* HideUnhideTimer1 = nullptr;

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
    bool& Playing = modes_.Playing;
    bool& PlayListMode = modes_.PlayListMode;
    bool& PlayListRunning = modes_.PlayListRunning;
    bool& LoopMode = modes_.LoopMode;
    bool& ButtonDragMode = modes_.ButtonDragMode;
    bool VolumeChanging = false;
    bool GroupChanged = false;
    bool PageEditAdding = false;
    bool PopupEdited = false;
    bool& ManualControl = modes_.ManualControlMode;
    // Showing another page ends manual control: the cursor must not outlive its page, or Space
    // would start a slot nobody chose there. Only the cursor keys turn it on.
    void EndManualControl() { ManualControl = false; }
    bool TimeErrorShown = false;
    bool Exiting = false;
    bool& lCrossFadingIn = modes_.lCrossFadingIn;
    bool& lCrossFadingOut = modes_.lCrossFadingOut;
    int& MasterVolume = modes_.MasterVolume;
    bool ProfileWritten = false;
    // Set once the exit sequence has run to its end; the window then closes for good.
    bool ExitDone = false;

    MainFormContext& Context() { return ctx_; }
    // Measures the files placed on buttons without holding the window (see SoundLengthFollower).
    SoundLengthFollower& ButtonLengths() { return *buttonLengths_; }
    // A measured length that arrived after the estimate was shown: the time of (group, page,
    // button), and its label when on display, while the button still holds the file measured.
    void CorrectButtonTime(int group, int page, int button, const QString& file, const QString& time);
    // The form scaler that rescales the window and forwards its form events.
    GTForm* GTForm1 = nullptr;

    // The options' NoteTime as the hint-hide pause of every window of the program.
    void ApplyNoteTime();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
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
    // MainFormToolCommands.cpp
    void BuildToolMenus();
    void WireToolCommands();
    void RefreshAfterOptions();
    void RestoreCueAfterFind();
    void PlayListTarget(bool play);
    bool ListTargetComplete() const;
    // MainFormPopupMenus.cpp
    void BuildPopupMenus();
    void RoutePopups();
    void RegisterOwnMenuCommands();
    // MainFormPopupOptions.cpp
    void SetSoundItemsForEmptySlot();
    void SetSoundItemsForSound(int state, bool cueShown);
    void SetPageItems(const QString& name);
    void BuildScoreboardMenu();
    // MainFormGameClock.cpp
    void BuildGameClocks(QWidget* host, const QRect& clockBounds, const QRect& timerBounds);
    static QRect GameClockBounds(int designWidth, int row);
    void PlaceGameClocks();
    void WireGameClocks();
    CountUpClock GameClock;
    CountUpClock StopWatch;
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
    // MainFormCue.cpp
    // Shows slot N of the window empty: no caption, teal, no labels.
    void ShowSlotEmpty(int slot);
    // Recounts (group, page) and writes the page-totals label.
    void WritePageTotals(int group, int page);
    // MainFormSoundCommands.cpp
    // The popup page has a page set up (a page name).
    bool PopupPageNamed() const;
    // Shows the popup page again after a change: its page button, or the cue.
    void ShowPopupPageAgain();
    void OpenPlaceMarkerWindow(const QString& mode);
    // MainFormPageCommands.cpp
    void RecolourPageButtons(int group);
    // MainFormAddSounds.cpp
    void PlaceAddedFile(const QString& path, int slot);
    // Shows the refusal and returns true when one of the fileCount slots from firstSlot of the
    // popup page is playing.
    bool RefuseAddingOverPlaying(int firstSlot, int fileCount);
    // MainFormRemoveAll.cpp
    bool ConfirmRemoveAll(const QString& question);
    void ApplyToBoard(const std::function<void(int group, int page, int button)>& change);
    void RemoveAll(const QString& routine, const QString& what,
                   const std::function<void(int group, int page, int button)>& change, bool askTwice = false);
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
    // Group A of a set just opened, also in drag mode.
    void ShowOpenedBoard();
    void EmptyPageArea();
    void ApplyPlayListFlags(int page);
    void ShowNamedPage(int page);
    void OpenPageEditor();
    bool StepPage(int direction, const QString& routine);
    void ResetPanelsOfPage(bool autoReset);
    static int ResetState(int state, bool playing);
    // Played, cued and playing (when nothing plays) buttons of every page and the cue become
    // unplayed again; the panels on display follow.
    void ResetEveryPage();
    // MainFormSetFileCommands.cpp
    void EraseBoardDisplay();
    bool NewBoard(bool fromMenu);
    bool AskSaveBeforeOpen(const QString& routine);
    void FocusDummy();

    MainFormContext& ctx_;
    std::unique_ptr<SoundLengthFollower> buttonLengths_;
    QHash<QString, std::function<void()>> menuCommands_;
    MainFormWindows* windows_ = nullptr;
    // Timers that ran when the exit sequence stopped them, restored when the exit is cancelled.
    std::array<bool, 4> timersRunning_{};
    bool loggingDisplayWasVisible_ = false;
    OutputWatch* outputWatch_ = nullptr;
    QWidget* board_ = nullptr;
    bool created_ = false;
};
