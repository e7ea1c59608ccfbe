#include "editing/ChangeSoundButton.h"

#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/GTSize32.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButtonText.h"
#include "editing/MainFormSoundSlots.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <exception>

namespace {

ChangeSoundButtonContext ContextOf(TForm1& mainForm, SoundSlotView& view)
{
    MainFormContext& main = mainForm.Context();
    return ChangeSoundButtonContext{main.board,
                                    main.selection,
                                    main.settings,
                                    main.dialogs,
                                    view,
                                    main.scalerShared,
                                    {},
                                    &mainForm.ButtonLengths(),
                                    [&mainForm](int g, int p, int b, const QString& file, const QString& time) {
                                        mainForm.CorrectButtonTime(g, p, b, file, time);
                                    }};
}

} // namespace

TFormChangeSoundButton::TFormChangeSoundButton(TForm1* mainForm)
    : QDialog(mainForm), ownSlots_(std::make_unique<MainFormSoundSlots>(*mainForm)),
      ctx_(ContextOf(*mainForm, *ownSlots_))
{
    Create();
}

TFormChangeSoundButton::TFormChangeSoundButton(const ChangeSoundButtonContext& context, QWidget* parent)
    : QDialog(parent), ctx_(context)
{
    Create();
}

TFormChangeSoundButton::~TFormChangeSoundButton() = default;

void TFormChangeSoundButton::Create()
{
    BuildLayout();
    WireSignals();
    setObjectName(QStringLiteral("FormChangeSoundButton"));
    setWindowTitle(QStringLiteral("Edit Sound Button"));
    GTForm1 = new GTForm(*this, ctx_.scalerShared);
    GTForm1->setObjectName(QStringLiteral("GTForm1"));
    GTForm1->GTOnKeyDown = [this](QWidget*, QKeyEvent* event) { FormKeyDown(event); };
    GTForm1->FormCreate();
}

void TFormChangeSoundButton::SetCustomCueEditor(std::function<int()> showEditor)
{
    ctx_.ShowCustomCueEditor = std::move(showEditor);
}

TBitBtnWithColor* TFormChangeSoundButton::KeyButton(int slot) const
{
    if (slot < 1 || slot > KeySlots) {
        return nullptr;
    }
    return keyButtons_[static_cast<std::size_t>(slot)];
}

int TFormChangeSoundButton::ShowModal()
{
    if (!HasTarget()) {
        return mrCancel;
    }
    // The set-up runs here, once per opening: a message box or another window closing over the
    // editor re-activates it, and must not undo a Browse or a hot-key choice.
    Setup();
    return exec();
}

void TFormChangeSoundButton::Open()
{
    if (!HasTarget()) {
        return;
    }
    Setup();
    open();
}

bool TFormChangeSoundButton::HasTarget() const
{
    // The target comes from a click, a menu or a list: one that names no button opens nothing.
    const Selection& sel = ctx_.selection;
    return Board::IsValidAddress(sel.PopupGroup, sel.PopupPage, sel.PopupButton);
}

void TFormChangeSoundButton::reject()
{
    done(mrCancel);
}

void TFormChangeSoundButton::FormKeyDown(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        done(mrCancel);
    }
}

void TFormChangeSoundButton::ShowError(const QString& routine)
{
    ctx_.dialogs.MessageDlg(QStringLiteral("Error in ") + routine + QStringLiteral("\r "), mtError, mbOK);
}

void TFormChangeSoundButton::Setup()
{
    try {
        setResult(mrNone);
        taken_.clear();
        HotKeyOwnerCode.clear();
        HotKeyOwnerGroup = 0;
        HotKeyOwnerPage = 0;
        HotKeyOwnerButton = 0;
        LoadFields();
        LoadHotKey();
    } catch (const std::exception&) {
        ShowError(QStringLiteral("FormActivate"));
    }
}

void TFormChangeSoundButton::LoadFields()
{
    const Selection& sel = ctx_.selection;
    const Board& board = ctx_.board;
    const int g = sel.PopupGroup;
    const int p = sel.PopupPage;
    const int b = sel.PopupButton;
    NewCaption->setText(ctx_.slotView.SoundButtonCaption(b));
    MemoCaption->SetText(MemoTextOfCaption(board.ButtonCaption[g][p][b]));
    NewFileName->setText(board.PageFiles[static_cast<std::size_t>(b)]);
    NewNote->setText(board.ButtonNote[g][p][b]);
    cbLoopSound->setChecked(board.ButtonLoop[g][p][b] == QLatin1String("L"));
    MemoCaption->setFocus();
}

void TFormChangeSoundButton::LoadHotKey()
{
    const Selection& sel = ctx_.selection;
    const QString& code = ctx_.board.ButtonHotKey[sel.PopupGroup][sel.PopupPage][sel.PopupButton];
    AltLabel->hide();
    CtrlLabel->hide();
    HotKeyAssignedLabel->setEnabled(!ctx_.settings.BroadcastKeys);
    // A code of blanks is no hot key: the picker then opens free.
    const int modifier = HasHotKey(code) ? HotKeyModifierOf(code) : HotKeyNoModifier;
    AltLabel->setVisible(modifier == HotKeyAlt || modifier == HotKeyCtrlAlt);
    CtrlLabel->setVisible(modifier == HotKeyCtrl || modifier == HotKeyCtrlAlt);
    BuildUsedHotKeyTables();
    HotKeyText->setText(HasHotKey(code) ? HotKeyKeyNameOf(code) : QString());
    pickerLocked_ = sel.PopupPage == CuePage;
    if (HotKeyText->text().isEmpty() && !pickerLocked_) {
        EnableHotKeyPicker();
    } else {
        DisableHotKeyPicker();
    }
    SetFace(HKCtrl, CtrlLabel->isHidden() ? clBtnFace : clRed);
    SetFace(HKAlt, AltLabel->isHidden() ? clBtnFace : clRed);
    HotKeySlot = HotKeySlotOfKey(HotKeyText->text());
    ShowUsedHotKeys();
}
