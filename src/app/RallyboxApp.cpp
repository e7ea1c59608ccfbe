#include "app/RallyboxApp.h"

#include "app/FirstPaint.h"
#include "audio/Bass.h"
#include "board/Backups.h"
#include "board/MainForm.h"
#include "board/OptionsFile.h"
#include "board/PlayLog.h"
#include "board/SetFile.h"
#include "board/Tracer.h"
#include "controls/ButtonWithColor.h"
#include "controls/GTSize32Shared.h"
#include "editing/BoardArranging.h"
#include "editing/TFormAddPlaceMarker.h"
#include "editing/TFormChangePageButton.h"
#include "editing/ChangeSoundButton.h"
#include "editing/TfrmCustomPlay.h"
#include "editing/PageExportCommands.h"
#include "editing/ShellFileDrop.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"
#include "platform/QtDialogs.h"
#include "platform/ReturnKeyButtons.h"
#include "playback/ModeButtonsWiring.h"
#include "playback/PlaybackMainForm.h"
#include "playback/TFormAssignVolumeLevel.h"
#include "playback/TFormAutoStartTimer.h"
#include "playback/TFormEqualizer.h"
#include "playback/TTimedStartSet.h"
#include "tools/TButtonList.h"
#include "tools/TFormAbout.h"
#include "tools/GameDayCommands.h"
#include "tools/TFormAustralianFootball.h"
#include "tools/TFormDuplicateList.h"
#include "tools/FindCriteriaWindow.h"
#include "tools/TFormGenericScoreboard.h"
#include "tools/TFormHotKey.h"
#include "tools/TFormLineups.h"
#include "tools/TFormPersonalize.h"
#include "tools/TFormRoster.h"
#include "tools/TFormSetup.h"
#include "tools/TScoreboard.h"
#include "tools/TformFind.h"
#include "tools/TfrmCustomCuedButtons.h"
#include "tools/TfrmShutDown.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <cstdlib>
#include <utility>

namespace {

bool DesktopShellExecute(const QString& verb, const QString& fileName)
{
    if (verb == QStringLiteral("print")) {
        return QProcess::startDetached(QStringLiteral("lp"), {fileName});
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

} // namespace

RallyboxApp::RallyboxApp(RallyboxOptions options)
    : ownClock_(options.clock ? nullptr : std::make_unique<SystemClock>()),
      ownDialogs_(options.dialogs ? nullptr : std::make_unique<QtDialogs>()),
      clock(options.clock ? *options.clock : *ownClock_),
      dialogs(options.dialogs ? *options.dialogs : *ownDialogs_),
      options_(std::move(options))
{
    const QString& folder = options_.ProgramFolder;
    tracer = std::make_unique<Tracer>(folder, settings, clock, dialogs);
    playLog = std::make_unique<PlayLog>(folder, settings, *tracer, dialogs);
    optionsFile = std::make_unique<OptionsFile>(folder, settings, *tracer, dialogs);
    setFile = std::make_unique<SetFile>(board, settings, dialogs, *tracer, folder);
    backups = std::make_unique<Backups>(folder, clock, *tracer, dialogs);
    context.reset(new MainFormContext{folder, options_.Parameters, board, selection, settings, *setFile, *optionsFile,
                                      *backups, *tracer, *playLog, dialogs, clock, pump, random, clipboards,
                                      GTScalerShared::Process(), {}, {}, {}, {}, {}, {}});
    context->InitOutput = options_.InitOutput ? options_.InitOutput
                                              : [](int device, std::uint32_t freq, std::uint32_t flags) {
                                                    return BASS_Init(device, freq, flags, nullptr, nullptr);
                                                };
    context->Halt = options_.Halt ? options_.Halt : [](int code) { std::exit(code); };
    context->ShellExecute = options_.ShellExecute ? options_.ShellExecute : DesktopShellExecute;
    const QString executableFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    context->HelpFolders = {executableFolder, InstalledDataFolder(executableFolder)};
    context->ShowShutDown = [this] {
        if (options_.ShowShutDownWindow) {
            EnsureToolWindows();
            frmShutDown->exec();
        }
    };
    context->Terminate = [] { QCoreApplication::quit(); };
    CreateWindows();
}

RallyboxApp::~RallyboxApp()
{
    // The windows go first: the main window's last acts still reach the objects above.
    arranging.reset();
    Form1.reset();
}

void RallyboxApp::ShowMainWindow()
{
    // The window manager maximizes the window to its work area with the title bar on the screen.
    // Sizing the client to the whole work area first would push the frame past the screen's edges.
    Form1->showMaximized();
}

template <typename W, typename... Args>
W* RallyboxApp::Create(Args&&... args)
{
    auto* window = new W(std::forward<Args>(args)..., Form1.get());
    AimReturnAtFocusedButtons(*window);
    creationOrder_.append(window->objectName());
    return window;
}

void RallyboxApp::CreateWindows()
{
    auto form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{playbackState, pump, clock});
    PlaybackForm = form.get();
    Form1 = std::move(form);
    creationOrder_.append(Form1->objectName());
    Form1->SetWindows(this);
    PlaybackForm->ModeWiring().View().OpenEqualizer = [this] {
        EnsureToolWindows();
        FormEqualizer->ShowModal();
    };
    pageExport = new PageExportCommands(*Form1, playbackState);
    shellFileDrop = new ShellFileDrop(*Form1);
    arranging = std::make_unique<BoardArranging>(*Form1);
    arranging->Wire();
    arranging->RegisterMenuCommands(
        [this](const QString& item, std::function<void()> command) { Form1->SetMenuCommand(item, std::move(command)); });
    WireScoreboardMenu(*Form1, [this] {
        EnsureToolWindows();
        return ScoreboardWindows{Scoreboard, FormGenericScoreboard, FormAustralianFootball};
    });
    if (options_.ToolWindowsAfterFirstPaint) {
        AfterFirstPaint(*Form1, [this] { EnsureToolWindows(); });
    } else {
        CreateToolWindows();
    }
}

void RallyboxApp::EnsureToolWindows()
{
    if (FormPersonalize == nullptr) {
        CreateToolWindows();
    }
}

void RallyboxApp::CreateToolWindows()
{
    FormChangeSoundButton = Create<TFormChangeSoundButton>();
    FormSetup = Create<TFormSetup>();
    FormChangePageButton = Create<TFormChangePageButton>();
    FormAbout = Create<TFormAbout>();
    Scoreboard = Create<TScoreboard>();
    FormLineups = Create<TFormLineups>();
    FormRoster = Create<TFormRoster>();
    formFind = Create<TformFind>();
    FormHotKey = Create<TFormHotKey>();
    ButtonList = Create<TButtonList>();
    FormGenericScoreboard = Create<TFormGenericScoreboard>();
    TimedStartSet = Create<TTimedStartSet>(TimedStartContext{playbackState, clock, dialogs, {}});
    FormAutoStartTimer =
        Create<TFormAutoStartTimer>(AutoStartTimerContext{playbackState, board, selection, clock, {}});
    FormAddPlaceMarker = Create<TFormAddPlaceMarker>();
    frmShutDown = Create<TfrmShutDown>();
    FormFindSpecs = Create<TFormFindSpecs>();
    frmCustomPlay = Create<TfrmCustomPlay>();
    FormChangeSoundButton->SetCustomCueEditor([this] { return frmCustomPlay->ShowModal(); });
    frmCustomCuedButtons = Create<TfrmCustomCuedButtons>();
    FormAustralianFootball = Create<TFormAustralianFootball>();
    FormDuplicateList = Create<TFormDuplicateList>();
    FormEqualizer = Create<TFormEqualizer>(
        EqualizerContext{playbackState, settings, *optionsFile, dialogs,
                         [this](TColor color) { Form1->EqualizerButton->SetColor(color); },
                         [this] { Form1->DummyButton->setFocus(); }});
    FormAssignVolumeLevel =
        Create<TFormAssignVolumeLevel>(AssignVolumeLevelContext{playbackState, board, selection, settings, dialogs});
    // The last one: EnsureToolWindows goes by it.
    FormPersonalize = Create<TFormPersonalize>();
    WireToolWindows();
    AttachGameDayWindows();
}

void RallyboxApp::AttachGameDayWindows()
{
    gameDay_ = std::make_unique<GameDayContext>(
        GameDayContext{*Form1, board, settings, playbackState, lineups, dialogs, clock});
    Scoreboard->Attach(*gameDay_);
    FormGenericScoreboard->Attach(*gameDay_);
    FormAustralianFootball->Attach(*gameDay_);
    FormLineups->Attach(lineups, dialogs, Form1.get());
    FormRoster->SetDialogs(dialogs);
    FormPersonalize->SetSettings(settings);
}

void RallyboxApp::WireToolWindows()
{
    FormFindSpecs->SetResultsWindow(formFind);
}
