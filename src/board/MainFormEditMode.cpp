// Edit mode: the Edit button's toggle, and the slot click that opens the sound-button editor
// while it is on.
#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/Dialogs.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <exception>

void TForm1::EditButtonClick()
{
    try {
        if (ctx_.board.EditMode) {
            LeaveEditMode();
        } else if (!ctx_.settings.SecurityLocked) {
            // A locked board cannot be edited; leaving edit mode stays possible.
            EnterEditMode();
        }
    } catch (const std::exception&) {
        ShowError(QStringLiteral("EditButtonClick"));
    }
}

void TForm1::EnterEditMode()
{
    const Settings& s = ctx_.settings;
    for (TColorPanel* panel : {PanelControls, PanelPages, Panel52, Panel54, Panel55}) {
        panel->SetColor(s.EditModeColor);
    }
    SetFace(EditButton, s.ActiveButtonColor);
    ctx_.board.EditMode = true;
    ButtonDragModeOnOff->setEnabled(false);
    SoundPlaying->setText(QStringLiteral("****** NOTICE:  PROGRAM IN EDIT MODE!!! ******"));
    // Every slot can be given a sound: empty ones show their button, and state colours give way
    // to the plain face, place markers excepted.
    for (int n = 1; n <= SlotCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        AsPushButton(SoundButtons[i])->setVisible(true);
        if (ButtonPanels[i]->Color() != clBlack) {
            ButtonPanels[i]->SetColor(clBtnFace);
        }
    }
    for (int page = 1; page <= PageButtonSlots; ++page) {
        AsPushButton(PageButtons[static_cast<std::size_t>(page)])->setVisible(true);
    }
    FocusDummy();
}

void TForm1::LeaveEditMode()
{
    const Settings& s = ctx_.settings;
    const int g = ctx_.selection.CurrentGroup;
    ctx_.board.EditMode = false;
    SetFace(EditButton, s.ButtonColor);
    ButtonsOn();
    Label2->hide();
    SoundPlaying->clear();
    for (int n = 1; n <= SlotCount; ++n) {
        QPushButton* button = AsPushButton(SoundButtons[static_cast<std::size_t>(n)]);
        if (button->text() == QLatin1String(" ")) {
            button->hide();
        }
    }
    // The page is painted again from its cells, so custom colours, every state colour and the
    // labels of what the editor changed come back.
    LoadButtons();
    FocusDummy();
    const TColor groupColor = s.GroupColor[static_cast<std::size_t>(g)];
    for (TColorPanel* panel : {PanelControls, PanelPages, Panel52, Panel54, Panel55}) {
        panel->SetColor(groupColor);
    }
}

bool TForm1::EditModeSoundClick(int slot)
{
    if (!ctx_.board.EditMode) {
        return false;
    }
    if (!IsSlot(slot)) {
        return true;
    }
    // A place marker is edited from its own menu entry.
    if (ButtonPanels[static_cast<std::size_t>(slot)]->Color() == clBlack) {
        return true;
    }
    Selection& sel = ctx_.selection;
    sel.CurrentButton = slot;
    if (Board::IsBlank(ctx_.board.PageName[sel.CurrentGroup][sel.CurrentPage])) {
        ctx_.dialogs.MessageDlg(
            QStringLiteral("You do not have a page selected.\r \rYou must first select a page "
                           "or setup a Page \rbefore you can assign Sound Buttons."),
            mtError, mbOK);
        return true;
    }
    sel.PopupGroup = sel.CurrentGroup;
    sel.PopupPage = sel.CurrentPage;
    sel.PopupButton = slot;
    Windows().ShowSoundButtonEditor();
    return true;
}
