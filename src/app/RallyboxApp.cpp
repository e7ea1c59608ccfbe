#include "app/RallyboxApp.h"

#include "audio/Bass.h"
#include "board/Backups.h"
#include "board/MainForm.h"
#include "board/OptionsFile.h"
#include "board/PlayLog.h"
#include "board/SetFile.h"
#include "board/Tracer.h"
#include "controls/GTSize32Shared.h"
#include "editing/TFormAddPlaceMarker.h"
#include "editing/TFormChangePageButton.h"
#include "editing/ChangeSoundButton.h"
#include "editing/TfrmCustomPlay.h"
#include "platform/Clock.h"
#include "platform/QtDialogs.h"
#include "playback/PlaybackMainForm.h"
#include "playback/TFormAssignVolumeLevel.h"
#include "playback/TFormAutoStartTimer.h"
#include "playback/TFormEqualizer.h"
#include "playback/TTimedStartSet.h"
#include "tools/TButtonList.h"
#include "tools/TFormAbout.h"
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
                                      GTScalerShared::Process(), {}, {}, {}, {}, {}});
    context->InitOutput = options_.InitOutput ? options_.InitOutput
                                              : [](int device, std::uint32_t freq, std::uint32_t flags) {
                                                    return BASS_Init(device, freq, flags, nullptr, nullptr);
                                                };
    context->Halt = options_.Halt ? options_.Halt : [](int code) { std::exit(code); };
    context->ShellExecute = options_.ShellExecute ? options_.ShellExecute : DesktopShellExecute;
    context->ShowShutDown = [this] {
        if (options_.ShowShutDownWindow && frmShutDown) {
            frmShutDown->exec();
        }
    };
    context->Terminate = [] { QCoreApplication::quit(); };
    CreateWindows();
}

RallyboxApp::~RallyboxApp()
{
    // The windows go first: the main window's last acts still reach the objects above.
    Form1.reset();
}

void RallyboxApp::ShowMainWindow()
{
    // The window manager maximizes the window to its work area with the title bar on the screen.
    // Sizing the client to the whole work area first would push the frame past the screen's edges.
    Form1->showMaximized();
}

template <typename W>
W* RallyboxApp::Create()
{
    auto* window = new W(Form1.get());
    creationOrder_.append(window->objectName());
    return window;
}

void RallyboxApp::CreateWindows()
{
    auto form = std::make_unique<PlaybackMainForm>(*context, PlaybackServices{playbackState, pump, clock});
    PlaybackForm = form.get();
    Form1 = std::move(form);
    creationOrder_.append(Form1->objectName());
    FormChangeSoundButton = Create<TFormChangeSoundButton>();
    Form1->ShowSoundButtonEditor = [this] { return FormChangeSoundButton->ShowModal(); };
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
    TimedStartSet = Create<TTimedStartSet>();
    FormAutoStartTimer = Create<TFormAutoStartTimer>();
    FormAddPlaceMarker = Create<TFormAddPlaceMarker>();
    frmShutDown = Create<TfrmShutDown>();
    FormFindSpecs = Create<TFormFindSpecs>();
    frmCustomPlay = Create<TfrmCustomPlay>();
    frmCustomCuedButtons = Create<TfrmCustomCuedButtons>();
    FormAustralianFootball = Create<TFormAustralianFootball>();
    FormDuplicateList = Create<TFormDuplicateList>();
    FormEqualizer = Create<TFormEqualizer>();
    FormAssignVolumeLevel = Create<TFormAssignVolumeLevel>();
    FormPersonalize = Create<TFormPersonalize>();
}
