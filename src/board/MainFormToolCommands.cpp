// The main window's window and help commands, its Find button and the list commands of the Tools
// menu. The windows themselves live in higher folders; they are reached through Windows() and
// leave their results in the selection (the list target) and the settings.
#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/SlideBar.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

#include <exception>

namespace {

QAction* AddToolItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

void TForm1::BuildToolMenus()
{
    Tools1->addSeparator();
    N6 = AddToolItem(Tools1, "N6", QStringLiteral("Options..."));
    Tools1->addSeparator();
    ListHotKeys1 = AddToolItem(Tools1, "ListHotKeys1", QStringLiteral("List Hot Keys"));
    ListSoundButtons1 = AddToolItem(Tools1, "ListSoundButtons1", QStringLiteral("List Sound Buttons"));
    ListCustomCuedButtons1 =
        AddToolItem(Tools1, "ListCustomCuedButtons1", QStringLiteral("List Custom Cued Buttons"));
    VerifySoundButtons1 = AddToolItem(Tools1, "VerifySoundButtons1", QStringLiteral("Verify Sound Buttons"));
    DuplicateCheck1 = AddToolItem(Tools1, "DuplicateCheck1", QStringLiteral("Duplicate Check"));
    Tools1->addSeparator();
    Lineups1 = AddToolItem(Tools1, "Lineups1", QStringLiteral("Lineups"));
    Roster1 = AddToolItem(Tools1, "Roster1", QStringLiteral("Roster"));
    Personalize1 = AddToolItem(Tools1, "Personalize1", QStringLiteral("Personalize"));

    Help1->addSeparator();
    HelpTopics1 = AddToolItem(Help1, "HelpTopics1", QStringLiteral("Help Topics"));
    VersionHistory1 = AddToolItem(Help1, "VersionHistory1", QStringLiteral("Version History"));
    Listsetfileandpath1 =
        AddToolItem(Help1, "Listsetfileandpath1", QStringLiteral("Display .set File and Path"));
    About2 = AddToolItem(Help1, "About2", QStringLiteral("About"));
}

void TForm1::WireToolCommands()
{
    connect(N6, &QAction::triggered, this, &TForm1::Options1Click);
    connect(About2, &QAction::triggered, this, &TForm1::About2Click);
    connect(Lineups1, &QAction::triggered, this, &TForm1::Lineups1Click);
    connect(Roster1, &QAction::triggered, this, &TForm1::Roster1Click);
    connect(HelpTopics1, &QAction::triggered, this, &TForm1::HelpTopics1Click);
    connect(VersionHistory1, &QAction::triggered, this, &TForm1::VersionHistory1Click);
    connect(Personalize1, &QAction::triggered, this, &TForm1::Personalize1Click);
    connect(Listsetfileandpath1, &QAction::triggered, this, &TForm1::Listsetfileandpath1Click);
    connect(ListHotKeys1, &QAction::triggered, this, &TForm1::ListHotKeys1Click);
    connect(ListSoundButtons1, &QAction::triggered, this, &TForm1::ListSoundButtons1Click);
    connect(VerifySoundButtons1, &QAction::triggered, this, &TForm1::VerifySoundButtons1Click);
    connect(ListCustomCuedButtons1, &QAction::triggered, this, &TForm1::ListCustomCuedButtons1Click);
    connect(DuplicateCheck1, &QAction::triggered, this, &TForm1::DuplicateCheck1Click);
    connect(AsPushButton(FindButton), &QPushButton::clicked, this, &TForm1::FindButtonClick);
}

void TForm1::ShowLockState()
{
    const bool locked = ctx_.settings.SecurityLocked;
    LockDownDisplay->setVisible(locked);
    for (QAction* item : {NewSet1, OpenSet1, SaveSet1, SaveSetAs1}) {
        item->setVisible(!locked);
    }
    // Refused commands look refused instead of doing nothing when chosen.
    for (QAction* item : {RemovaAllHighlights1, RemoveAllLoops1, RemoveAllVolumeSettings1, RemoveAllHotKeys1,
                          RemoveAllLocks1}) {
        item->setEnabled(!locked);
    }
    AsPushButton(EditButton)->setEnabled(EditButtonAllowed());
}

bool TForm1::EditButtonAllowed() const
{
    if (ctx_.board.EditMode) {
        return true;
    }
    return !ctx_.settings.SecurityLocked && !ButtonDragMode;
}

void TForm1::Options1Click()
{
    try {
        Windows().ShowFormSetup();
        RefreshAfterOptions();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("Options1Click"));
    }
}

void TForm1::RefreshAfterOptions()
{
    NudgeVolumeBar();
    const int page = ctx_.selection.CurrentPage;
    if (page >= 1 && page <= PageButtonSlots) {
        ProcessPageButton(page);
    } else {
        LoadButtons();
    }
}

void TForm1::About2Click()
{
    Windows().ShowFormAbout();
}

void TForm1::Lineups1Click()
{
    // The lineups window marks the lineups active and resets both batting positions when shown.
    Windows().ShowFormLineups();
}

void TForm1::Roster1Click()
{
    Windows().ShowFormRoster();
}

void TForm1::HelpTopics1Click()
{
    OpenHelpFile(QStringLiteral("RBXHelp"), QStringLiteral("Help File Not Found"));
}

void TForm1::VersionHistory1Click()
{
    OpenHelpFile(QStringLiteral("RBXVersions"), QStringLiteral("Version History File Not Found"));
}

// The program folder comes first, so an operator's own copy wins over the installed one. In each
// folder a compiled help file (".chm", for a desktop with a viewer for it) comes before the HTML
// page the program ships, which every desktop opens in its browser.
void TForm1::OpenHelpFile(const QString& baseName, const QString& notFoundText)
{
    const QStringList folders = QStringList{ctx_.ProgramFolder} + ctx_.HelpFolders;
    for (const QString& folder : folders) {
        for (const char* extension : {".chm", ".html"}) {
            const QString path = folder + baseName + QLatin1String(extension);
            if (QFileInfo::exists(path)) {
                ctx_.ShellExecute(QStringLiteral("open"), path);
                return;
            }
        }
    }
    ctx_.dialogs.MessageDlg(notFoundText, mtWarning, mbOK);
}

void TForm1::Personalize1Click()
{
    const QString before = ctx_.settings.Personalization;
    // Nothing opened (no window), nothing to show.
    if (Windows().ShowFormPersonalize() == mrNone) {
        return;
    }
    SetMainCaption(true, true);
    // The header is stored in the set file, so only a real change asks for a save at exit.
    if (ctx_.settings.Personalization != before) {
        ctx_.board.BoardChanged = true;
    }
}

void TForm1::Listsetfileandpath1Click()
{
    ctx_.dialogs.MessageDlg(QStringLiteral("The .set file and path is: \r\r") + ctx_.board.SetFileName,
                            mtInformation, mbOK);
}

bool TForm1::ListTargetComplete() const
{
    const Selection& sel = ctx_.selection;
    return sel.ListTargetGroup != 0 && sel.ListTargetPage != 0 && sel.ListTargetButton != 0 &&
           Board::IsValidAddress(sel.ListTargetGroup, sel.ListTargetPage, sel.ListTargetButton);
}

void TForm1::PlayListTarget(bool play)
{
    const Selection& sel = ctx_.selection;
    const int button = sel.ListTargetButton;
    ProcessGroupButton(sel.ListTargetGroup);
    ProcessPageButton(sel.ListTargetPage);
    if (play) {
        ProcessSoundButton(button);
    }
    FocusDummy();
}

void TForm1::FindButtonClick()
{
    try {
        Selection& sel = ctx_.selection;
        sel.ListRowCount = 0;
        sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
        FocusDummy();
        const bool cueShown = FaceOf(CueButton) == ctx_.settings.ActiveButtonColor;
        Windows().ShowFormFindSpecs();
        if (ListTargetComplete()) {
            PlayListTarget(true);
            return;
        }
        LoadButtons();
        if (cueShown) {
            RestoreCueAfterFind();
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("FindButtonClick"));
    }
}

void TForm1::RestoreCueAfterFind()
{
    Settings& s = ctx_.settings;
    const Board& board = ctx_.board;
    ctx_.selection.CurrentGroup = CueGroup;
    ctx_.selection.CurrentPage = CuePage;
    LoadButtons();
    if (!AsPushButton(PlayListButton)->isEnabled()) {
        return;
    }
    const bool playList = board.PagePlay[CueGroup][CuePage] == QStringLiteral("T");
    SetFace(PlayListButton, playList ? s.ActiveButtonColor : s.ButtonColor);
    PlayListMode = playList;
    AsPushButton(ShuffleButton)->setEnabled(playList);
    if (!playList) {
        s.Shuffle = false;
    }
    const bool shuffle = board.PageShuffle[CueGroup][CuePage] == QStringLiteral("T");
    SetFace(ShuffleButton, shuffle ? s.ActiveButtonColor : s.ButtonColor);
    s.Shuffle = shuffle;
    if (shuffle) {
        AsPushButton(NextButton)->setEnabled(true);
    }
}

void TForm1::ListHotKeys1Click()
{
    try {
        ctx_.selection.ListRowCount = 0;
        Windows().ShowFormHotKey();
        FocusDummy();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ListHotKeys1Click"));
    }
}

void TForm1::ListSoundButtons1Click()
{
    try {
        Selection& sel = ctx_.selection;
        sel.ListRowCount = 0;
        sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
        ButtonListInvalidMode = false;
        Windows().ShowButtonList();
        if (ListTargetComplete()) {
            PlayListTarget(true);
        } else {
            FocusDummy();
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ListSoundButtons1Click"));
    }
}

void TForm1::VerifySoundButtons1Click()
{
    try {
        Selection& sel = ctx_.selection;
        sel.ListRowCount = 0;
        sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
        ButtonListInvalidMode = true;
        Windows().ShowButtonList();
        ButtonListInvalidMode = false;
        if (ListTargetComplete()) {
            PlayListTarget(false);
            return;
        }
        FocusDummy();
        // The scan changed states 6 and 8; showing the page again paints them.
        const int page = sel.CurrentPage;
        ProcessGroupButton(sel.CurrentGroup);
        if (page >= 1 && page <= PageButtonSlots) {
            ProcessPageButton(page);
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("VerifySoundButtonsClick"));
    }
}

void TForm1::ListCustomCuedButtons1Click()
{
    try {
        ctx_.selection.ListRowCount = 0;
        Windows().ShowfrmCustomCuedButtons();
        FocusDummy();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("ListCustomCuedButtons1Click"));
    }
}

void TForm1::DuplicateCheck1Click()
{
    try {
        Selection& sel = ctx_.selection;
        sel.ListRowCount = 0;
        sel.ListTargetGroup = sel.ListTargetPage = sel.ListTargetButton = 0;
        Windows().ShowFormDuplicateList();
        FocusDummy();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("DuplicateCheck1Click"));
    }
}
