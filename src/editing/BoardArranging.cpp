#include "editing/BoardArranging.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

BoardArranging::BoardArranging(TForm1& form)
    : Clipboards(form), Pages(form), Colors(form), DragDrop(new BoardDragDrop(form)), form_(form)
{}

QMenu* BoardArranging::EditMenu()
{
    // The Edit menu holds the board's other whole-board commands.
    if (form_.Edit1 != nullptr) {
        return form_.Edit1;
    }
    QMenu* menu = new QMenu(QStringLiteral("&Edit"), form_.menuBar());
    menu->setObjectName(QStringLiteral("Edit1"));
    QList<QAction*> actions = form_.menuBar()->actions();
    QAction* before = actions.size() > 1 ? actions.at(1) : nullptr;
    form_.menuBar()->insertMenu(before, menu);
    return menu;
}

void BoardArranging::Wire()
{
    QObject::connect(AsPushButton(form_.ButtonDragButton), &QPushButton::clicked, DragDrop,
                     [this] { DragDrop->ButtonDragModeOnOff1Click(); });
    QObject::connect(form_.ButtonDragModeOnOff, &QAction::triggered, DragDrop,
                     [this] { DragDrop->ButtonDragModeOnOff1Click(); });
    form_.ButtonDragModeOnOff->setEnabled(!form_.Context().board.EditMode);

    QMenu* edit = EditMenu();
    auto add = [edit, this](const char* name, const QString& caption, void (BoardColors::*command)()) {
        QAction* action = edit->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        QObject::connect(action, &QAction::triggered, DragDrop, [this, command] { (Colors.*command)(); });
        return action;
    };
    edit->addSeparator();
    C1 = add("C1", QStringLiteral("Set Capture Button Color to Default"), &BoardColors::C1Click);
    RemoveAllSoundButtonCustomColors1 =
        add("RemoveAllSoundButtonCustomColors1", QStringLiteral("Remove All Sound Button Custom Colors"),
            &BoardColors::RemoveAllSoundButtonCustomColors1Click);
    RemoveAllPageButtonCustomColors1 =
        add("RemoveAllPageButtonCustomColors1", QStringLiteral("Remove All Page Button Custom Colors"),
            &BoardColors::RemoveAllPageButtonCustomColors1Click);
    RemoveSoundButtonCustomColorsforthisPageONLY1 =
        add("RemoveSoundButtonCustomColorsforthisPageONLY1",
            QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY"),
            &BoardColors::RemoveSoundButtonCustomColorsforthisPageONLY1Click);
    RemovePageButtonCustomColorsforthisGroupONLY1 =
        add("RemovePageButtonCustomColorsforthisGroupONLY1",
            QStringLiteral("Remove Page Button Custom Colors for this Group ONLY"),
            &BoardColors::RemovePageButtonCustomColorsforthisGroupONLY1Click);
}

void BoardArranging::RegisterMenuCommands(
    const std::function<void(const QString&, std::function<void()>)>& setMenuCommand)
{
    auto on = [&setMenuCommand](const char* item, std::function<void()> command) {
        setMenuCommand(QString::fromLatin1(item), std::move(command));
    };
    on("SoundCopy", [this] { Clipboards.SoundCopyClick(); });
    on("SoundCut", [this] { Clipboards.CutSoundClick(); });
    on("SoundPaste", [this] { Clipboards.PasteSoundClick(); });
    on("PageCopy", [this] { Clipboards.PageCopyClick(); });
    on("PageCut", [this] { Clipboards.PageCutClick(); });
    on("PagePaste", [this] { Clipboards.PagePasteClick(); });
    on("CopyCue", [this] { Clipboards.CopyCueClick(); });
    on("PageAlphabetize", [this] { Pages.PageAlphabetizeClick(); });
    on("PageCompress", [this] { Pages.PageCompressClick(); });
    on("PageButtonDragModeOnOff", [this] { DragDrop->ButtonDragModeOnOff1Click(); });
    on("SetButtonColor1", [this] { Colors.SetButtonColor1Click(); });
    on("CaptureButtonColor1", [this] { Colors.CaptureButtonColor1Click(); });
    on("SetButtonColor2", [this] { Colors.SetButtonColor2Click(); });
    on("CaptureButtonColor2", [this] { Colors.CaptureButtonColor2Click(); });
    on("ChangeSoundFonts1", [this] { Colors.ChangeSoundFonts1Click(); });
    on("PopupPageChangeFont", [this] { Colors.PopupPageChangeFontClick(); });
}
