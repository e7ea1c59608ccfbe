#pragma once
// app/: RallyboxApp (this file: the process-wide objects and the windows in their order), main()
// in main.cpp, AfterFirstPaint (FirstPaint.h), StartupProbe and InstallProbe (start-up and
// installation checks run by the scripts).
// The running program: the process-wide objects, created once, and the 24 windows, created in
// the fixed order with the main window first (its create step runs before any other window
// exists). Tests build their own instance with scripted dialogs and a device of their choice.
#include "board/Board.h"
#include "board/MainFormContext.h"
#include "board/MainFormWindows.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "platform/Pump.h"
#include "platform/Random.h"
#include "playback/PlaybackState.h"
#include "tools/GameDayContext.h"
#include "tools/LineupData.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class Backups;
class Clock;
class Dialogs;
class OptionsFile;
class PlayLog;
class SetFile;
class Tracer;
class TForm1;
class PlaybackMainForm;
class TFormChangeSoundButton;
class TFormSetup;
class TFormChangePageButton;
class TFormAbout;
class TScoreboard;
class TFormLineups;
class TFormRoster;
class TformFind;
class TFormHotKey;
class TButtonList;
class TFormGenericScoreboard;
class TTimedStartSet;
class TFormAutoStartTimer;
class TFormAddPlaceMarker;
class TfrmShutDown;
class TFormFindSpecs;
class TfrmCustomPlay;
class TfrmCustomCuedButtons;
class TFormAustralianFootball;
class TFormDuplicateList;
class TFormEqualizer;
class TFormAssignVolumeLevel;
class TFormPersonalize;
class PageExportCommands;
class ShellFileDrop;
class BoardArranging;
class QWidget;

struct RallyboxOptions
{
    QString ProgramFolder;
    QStringList Parameters;
    // Dialogs and clock of the run; the Qt dialogs and the system clock when not given.
    Dialogs* dialogs = nullptr;
    Clock* clock = nullptr;
    // Opens the output device; BASS_Init when not given.
    std::function<bool(int device, std::uint32_t freq, std::uint32_t flags)> InitOutput;
    // Ends the process after a fatal start-up message; std::exit when not given.
    std::function<void(int exitCode)> Halt;
    // Whether the exit shows the shut-down window (tests skip its 0.75 s).
    bool ShowShutDownWindow = true;
    // Opens or prints a file through the desktop; QDesktopServices / lp when not given.
    std::function<bool(const QString& verb, const QString& fileName)> ShellExecute;
    // The tool windows (all but the main window) are created once the main window has first been
    // painted, so that building them does not delay the board on the screen (the program); when
    // false they are created with the main window.
    bool ToolWindowsAfterFirstPaint = false;
};

// It is also the main window's MainFormWindows: the windows below, opened for the main window's
// commands (RallyboxAppWindows.cpp).
class RallyboxApp final : public MainFormWindows
{
public:
    explicit RallyboxApp(RallyboxOptions options);
    ~RallyboxApp() override;
    RallyboxApp(const RallyboxApp&) = delete;
    RallyboxApp& operator=(const RallyboxApp&) = delete;

    // Shows the main window maximized on its screen's work area. The maximized state matters:
    // the form scaler then fits both directions to the screen, where a plain resize would keep
    // the design's aspect and push the bottom rows off a wide screen.
    void ShowMainWindow();

    // The object names of the windows in the order they were created.
    const QStringList& CreationOrder() const { return creationOrder_; }

    // Creates the tool windows unless they exist. Every command that opens one calls it first, so
    // nothing asked for before the deferred creation has run is lost.
    void EnsureToolWindows();

    Board board;
    Selection selection;
    Settings settings;
    QtEventPump pump;
    SeededRandom random;
    InternalClipboards clipboards;
    // The channel table and play flags of the run.
    PlaybackState playbackState;
    // The batting orders the lineups window publishes and the baseball scoreboard shows.
    LineupData lineups;

private:
    std::unique_ptr<Clock> ownClock_;
    std::unique_ptr<Dialogs> ownDialogs_;

public:
    Clock& clock;
    Dialogs& dialogs;
    std::unique_ptr<Tracer> tracer;
    std::unique_ptr<PlayLog> playLog;
    std::unique_ptr<OptionsFile> optionsFile;
    std::unique_ptr<SetFile> setFile;
    std::unique_ptr<Backups> backups;
    std::unique_ptr<MainFormContext> context;

    // The windows, named after their object names. The main window owns the others.
    std::unique_ptr<TForm1> Form1;
    // The same window as the playback routines see it.
    PlaybackMainForm* PlaybackForm = nullptr;
    TFormChangeSoundButton* FormChangeSoundButton = nullptr;
    TFormSetup* FormSetup = nullptr;
    TFormChangePageButton* FormChangePageButton = nullptr;
    TFormAbout* FormAbout = nullptr;
    TScoreboard* Scoreboard = nullptr;
    TFormLineups* FormLineups = nullptr;
    TFormRoster* FormRoster = nullptr;
    TformFind* formFind = nullptr;
    TFormHotKey* FormHotKey = nullptr;
    TButtonList* ButtonList = nullptr;
    TFormGenericScoreboard* FormGenericScoreboard = nullptr;
    TTimedStartSet* TimedStartSet = nullptr;
    TFormAutoStartTimer* FormAutoStartTimer = nullptr;
    TFormAddPlaceMarker* FormAddPlaceMarker = nullptr;
    TfrmShutDown* frmShutDown = nullptr;
    TFormFindSpecs* FormFindSpecs = nullptr;
    TfrmCustomPlay* frmCustomPlay = nullptr;
    TfrmCustomCuedButtons* frmCustomCuedButtons = nullptr;
    TFormAustralianFootball* FormAustralianFootball = nullptr;
    TFormDuplicateList* FormDuplicateList = nullptr;
    TFormEqualizer* FormEqualizer = nullptr;
    TFormAssignVolumeLevel* FormAssignVolumeLevel = nullptr;
    TFormPersonalize* FormPersonalize = nullptr;
    // Commands and drop handling of the main window, owned by it.
    PageExportCommands* pageExport = nullptr;
    ShellFileDrop* shellFileDrop = nullptr;
    // The board-arranging commands of the main window (clipboards, page tools, colours, drag).
    std::unique_ptr<BoardArranging> arranging;

    int ShowSoundButtonEditor() override;
    int ShowfrmCustomPlay() override;
    int ShowFormChangePageButton() override;
    int ShowFormAddPlaceMarker() override;
    int ShowTimedStartSet() override;
    int ShowFormAutoStartTimer() override;
    int ShowFormAssignVolumeLevel() override;
    int ShowFormSetup() override;
    int ShowFormAbout() override;
    int ShowFormLineups() override;
    int ShowFormRoster() override;
    int ShowFormPersonalize() override;
    int ShowFormFindSpecs() override;
    int ShowFormHotKey() override;
    int ShowButtonList() override;
    int ShowfrmCustomCuedButtons() override;
    int ShowFormDuplicateList() override;
    bool IsAddressPlaying(int group, int page, int button) override;

private:
    void CreateWindows();
    void CreateToolWindows();
    void AttachGameDayWindows();
    std::unique_ptr<GameDayContext> gameDay_;
    // Creates a window owned by the main window (given its context when it takes one) and notes
    // its place in the creation order.
    template <typename W, typename... Args> W* Create(Args&&... args);
    // The find window's results window.
    void WireToolWindows();

    RallyboxOptions options_;
    QStringList creationOrder_;
};
