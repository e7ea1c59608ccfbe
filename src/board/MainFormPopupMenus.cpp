// The two right-click menus of the main window: the sound menu of the 48 slots and the page menu
// of the page area, the page buttons and the Cue button. Each item runs the command registered
// under its object name, so windows of higher layers can register theirs from outside.
#include "board/MainForm.h"
#include "platform/Dialogs.h"

#include "board/Board.h"
#include "controls/ColorPanel.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

#include <utility>

namespace {

struct MenuEntry
{
    const char* name; // nullptr: a separator
    const char* caption;
};

constexpr MenuEntry SoundMenuEntries[] = {
    {"PopupCue", "Cue It"},
    {nullptr, nullptr},
    {"PopupAdd", "Add Sound Button"},
    {"PopupEdit", "Edit Sound Button"},
    {"PopupInsert", "Insert Place-Marker"},
    {"PopupEditPlaceMarker", "Edit Place-Marker"},
    {nullptr, nullptr},
    {"SoundCopy", "Copy Sound Button"},
    {"SoundCut", "Cut Sound Button"},
    {"SoundPaste", "Paste Sound Button"},
    {nullptr, nullptr},
    {"AssignVolumeLevel1", "Assign Volume Level"},
    {"PopupTimer", "Timed Start"},
    {nullptr, nullptr},
    {"PopupHighlight", "Highlight On/Off"},
    {"PopupLock", "Lock On/Off"},
    {"PopupPlayed", "Mark as Played On/Off"},
    {nullptr, nullptr},
    {"CaptureButtonColor1", "Capture Button Color"},
    {"SetButtonColor1", "Set Button Color"},
    {"ChangeSoundFonts1", "Change Sound Button Fonts"},
    {nullptr, nullptr},
    {"PopupDelete", "Delete Button"},
};

constexpr MenuEntry PageMenuEntries[] = {
    {"PopupPageAdd", "Add Page Button"},
    {"PopupPageEdit1", "Edit Page Button"},
    {nullptr, nullptr},
    {"PageCopy", "Copy Page Button"},
    {"PageCut", "Cut Page Button"},
    {"PagePaste", "Paste Page Button"},
    {"CopyCue", "Copy Cue"},
    {"PopupClearCueClick", "Clear Cue"},
    {nullptr, nullptr},
    {"ExportPage1", "Export Page"},
    {"ImportPage1", "Import Page"},
    {nullptr, nullptr},
    {"PageButtonDragModeOnOff", "Button Drag Mode On/Off"},
    {nullptr, nullptr},
    {"PopupPageChangeFont", "Change Page Button Fonts"},
    {"CaptureButtonColor2", "Capture Button Color"},
    {"SetButtonColor2", "Set Button Color"},
    {nullptr, nullptr},
    {"PopupPageDelete", "Delete Page Button"},
    {nullptr, nullptr},
    {"PageAlphabetize", "Alphabetize Page"},
    {"PageCompress", "Compress Page"},
};

template <std::size_t N> QMenu* BuildMenu(QWidget* owner, const char* name, const MenuEntry (&entries)[N])
{
    auto* menu = new QMenu(owner);
    menu->setObjectName(QString::fromLatin1(name));
    for (const MenuEntry& entry : entries) {
        if (entry.name == nullptr) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromLatin1(entry.caption));
        action->setObjectName(QString::fromLatin1(entry.name));
    }
    return menu;
}

// The number at the end of name after prefix (PanelN, PageButtonN, PanelPageN) within 1..last,
// or 0.
int NumberAfter(const QString& name, const QString& prefix, int last)
{
    if (!name.startsWith(prefix)) {
        return 0;
    }
    bool ok = false;
    const int n = name.mid(prefix.size()).toInt(&ok);
    return ok && n >= 1 && n <= last && name == prefix + QString::number(n) ? n : 0;
}

bool IsGroupButtonName(const QString& name)
{
    return name.size() == 10 && name.mid(5, 5) == QLatin1String("Group");
}

} // namespace

void TForm1::BuildPopupMenus()
{
    PopupMenuSound = BuildMenu(this, "PopupMenuSound", SoundMenuEntries);
    PopupMenuPage = BuildMenu(this, "PopupMenuPage", PageMenuEntries);
    for (QMenu* menu : {PopupMenuSound, PopupMenuPage}) {
        for (QAction* action : menu->actions()) {
            if (action->isSeparator()) {
                continue;
            }
            const QString name = action->objectName();
            connect(action, &QAction::triggered, this, [this, name] { RunMenuCommand(name); });
        }
    }
    RegisterOwnMenuCommands();
    RoutePopups();
}

void TForm1::RegisterOwnMenuCommands()
{
    const std::pair<const char*, void (TForm1::*)()> own[] = {
        {"PopupCue", &TForm1::PopupCueClick},
        {"PopupAdd", &TForm1::PopupAddClick},
        {"PopupEdit", &TForm1::PopupEditClick},
        {"PopupInsert", &TForm1::PopupInsertClick},
        {"PopupEditPlaceMarker", &TForm1::PopupEditPlaceMarkerClick},
        {"AssignVolumeLevel1", &TForm1::AssignVolumeLevelClick},
        {"PopupTimer", &TForm1::PopupTimerClick},
        {"PopupHighlight", &TForm1::PopupHighlightClick},
        {"PopupLock", &TForm1::PopupLockClick},
        {"PopupPlayed", &TForm1::PopupPlayedClick},
        {"PopupDelete", &TForm1::PopupDeleteClick},
        {"PopupPageAdd", &TForm1::PopupPageAddClick},
        {"PopupPageEdit1", &TForm1::PopupPageEdit1Click},
        {"PopupClearCueClick", &TForm1::PopupClearClueClick},
        {"PopupPageDelete", &TForm1::PopupPageDeleteClick},
    };
    for (const auto& [name, handler] : own) {
        SetMenuCommand(QString::fromLatin1(name), [this, handler = handler] { (this->*handler)(); });
    }
}

void TForm1::RoutePopups()
{
    // Every control on the board reports its right click here, so each child control of a slot
    // or a page frame opens the menu of that slot or page.
    for (QWidget* widget : board_->findChildren<QWidget*>()) {
        widget->installEventFilter(this);
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint where = static_cast<QContextMenuEvent*>(event)->globalPos();
        if (QMenu* menu = PreparePopup(widget)) {
            menu->popup(where);
        }
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::SetMenuCommand(const QString& itemName, std::function<void()> command)
{
    menuCommands_.insert(itemName, std::move(command));
}

bool TForm1::RunMenuCommand(const QString& itemName)
{
    const auto found = menuCommands_.constFind(itemName);
    if (found == menuCommands_.constEnd() || !*found) {
        return false;
    }
    // A copy: the command may register commands itself.
    const std::function<void()> command = *found;
    command();
    return true;
}

bool TForm1::HasMenuCommand(const QString& itemName) const
{
    const auto found = menuCommands_.constFind(itemName);
    return found != menuCommands_.constEnd() && *found;
}

QAction* TForm1::MenuItem(const QString& itemName) const
{
    for (QMenu* menu : {PopupMenuSound, PopupMenuPage}) {
        if (auto* action = menu->findChild<QAction*>(itemName)) {
            return action;
        }
    }
    return findChild<QAction*>(itemName);
}

QMenu* TForm1::PreparePopup(QWidget* widget)
{
    // Right-click menus do not open in edit mode.
    if (ctx_.board.EditMode) {
        return nullptr;
    }
    for (QWidget* w = widget; w != nullptr && w != board_; w = w->parentWidget()) {
        const QString name = w->objectName();
        if (NumberAfter(name, QStringLiteral("Panel"), SlotCount) != 0) {
            PopupComponentName = name;
            return PopupSoundOptionsSet() ? PopupMenuSound : nullptr;
        }
        const bool pageTarget = NumberAfter(name, QStringLiteral("PageButton"), PageButtonSlots) != 0 ||
                                NumberAfter(name, QStringLiteral("PanelPage"), PageButtonSlots) != 0 ||
                                name == QLatin1String("PanelPages") || name == QLatin1String("CueButton") ||
                                IsGroupButtonName(name);
        if (pageTarget) {
            PopupComponentName = name;
            return PopupPageOptionsSet() ? PopupMenuPage : nullptr;
        }
    }
    return nullptr;
}

namespace {

// The windows before the application has set its own: none opens, nothing plays.
class NoWindows final : public MainFormWindows
{
public:
    int ShowSoundButtonEditor() override { return mrNone; }
    int ShowfrmCustomPlay() override { return mrNone; }
    int ShowFormChangePageButton() override { return mrNone; }
    int ShowFormAddPlaceMarker() override { return mrNone; }
    int ShowTimedStartSet() override { return mrNone; }
    int ShowFormAutoStartTimer() override { return mrNone; }
    int ShowFormAssignVolumeLevel() override { return mrNone; }
    int ShowFormSetup() override { return mrNone; }
    int ShowFormAbout() override { return mrNone; }
    int ShowFormLineups() override { return mrNone; }
    int ShowFormRoster() override { return mrNone; }
    int ShowFormPersonalize() override { return mrNone; }
    int ShowFormFindSpecs() override { return mrNone; }
    int ShowFormHotKey() override { return mrNone; }
    int ShowButtonList() override { return mrNone; }
    int ShowfrmCustomCuedButtons() override { return mrNone; }
    int ShowFormDuplicateList() override { return mrNone; }
    bool IsAddressPlaying(int, int, int) override { return false; }
};

} // namespace

MainFormWindows& TForm1::Windows() const
{
    static NoWindows none;
    return windows_ != nullptr ? *windows_ : none;
}
