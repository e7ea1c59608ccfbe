// The hot-key picker: the four used-key tables, the modifier toggles, the key clicks and
// Remove Hot Key. The board changes here only through an override, which takes the key from its
// other button at once (Cancel gives it back).
#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "editing/ChangeSoundButton.h"
#include "editing/SoundSlotView.h"
#include "platform/Dialogs.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The table of a modifier digit: none, Ctrl, Alt, Ctrl and Alt.
int TableOfModifier(int modifier)
{
    switch (modifier) {
    case HotKeyCtrl:
        return TFormChangeSoundButton::TableCtrl;
    case HotKeyAlt:
        return TFormChangeSoundButton::TableAlt;
    case HotKeyCtrlAlt:
        return TFormChangeSoundButton::TableCtrlAlt;
    default:
        return TFormChangeSoundButton::TableNone;
    }
}

// The letters Alt alone does not offer: they open the main window's menus.
const QStringList& MenuInitials()
{
    static const QStringList letters = {QStringLiteral("F"), QStringLiteral("E"), QStringLiteral("S"),
                                        QStringLiteral("T"), QStringLiteral("L"), QStringLiteral("H")};
    return letters;
}

bool IsOn(const TBitBtnWithColor* toggle)
{
    return FaceOf(toggle) == clRed;
}

} // namespace

void TFormChangeSoundButton::BuildUsedHotKeyTables()
{
    for (auto& table : HotKeyUsed) {
        table.fill(QString());
    }
    const Board& board = ctx_.board;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                const QString& code = board.ButtonHotKey[g][p][b];
                if (!HasHotKey(code)) {
                    continue;
                }
                const int modifier = HotKeyModifierOf(code);
                const int slot = HotKeySlotOfKey(HotKeyKeyNameOf(code));
                if (modifier < 0 || slot == 0) {
                    continue;
                }
                HotKeyUsed[static_cast<std::size_t>(TableOfModifier(modifier))]
                          [static_cast<std::size_t>(slot)] = QStringLiteral("Y");
            }
        }
    }
}

int TFormChangeSoundButton::ShownTable() const
{
    return TableOfModifier(HotKeyModifierDigit(IsOn(HKAlt), IsOn(HKCtrl)));
}

int TFormChangeSoundButton::LabelsModifier() const
{
    return HotKeyModifierDigit(!AltLabel->isHidden(), !CtrlLabel->isHidden());
}

void TFormChangeSoundButton::ShowUsedHotKeys()
{
    const int table = ShownTable();
    SetFace(HKAlt, table == TableAlt || table == TableCtrlAlt ? clRed : clBtnFace);
    SetFace(HKCtrl, table == TableCtrl || table == TableCtrlAlt ? clRed : clBtnFace);
    for (int slot = 1; slot <= KeySlots; ++slot) {
        const bool used =
            HotKeyUsed[static_cast<std::size_t>(table)][static_cast<std::size_t>(slot)] == QLatin1String("Y");
        ColorHotKeyKey(slot, used ? clRed : clBtnFace);
    }
}

void TFormChangeSoundButton::ColorHotKeyKey(int slot, TColor color)
{
    if (TBitBtnWithColor* key = KeyButton(slot)) {
        SetFace(key, color);
    }
}

void TFormChangeSoundButton::MarkHotKeyUsed()
{
    const int slot = HotKeySlotOfKey(HotKeyText->text());
    if (slot > 0) {
        HotKeyUsed[static_cast<std::size_t>(TableOfModifier(LabelsModifier()))]
                  [static_cast<std::size_t>(slot)] = QStringLiteral("Y");
    }
}

void TFormChangeSoundButton::UnmarkHotKeyUsed()
{
    const int slot = HotKeySlotOfKey(HotKeyText->text());
    if (slot > 0) {
        HotKeyUsed[static_cast<std::size_t>(TableOfModifier(LabelsModifier()))]
                  [static_cast<std::size_t>(slot)]
                      .clear();
    }
}

void TFormChangeSoundButton::EnableHotKeyPicker()
{
    for (int slot = 1; slot <= KeySlots; ++slot) {
        if (slot != 10) {
            AsPushButton(KeyButton(slot))->setEnabled(true);
        }
    }
}

void TFormChangeSoundButton::DisableHotKeyPicker()
{
    for (int slot = 1; slot <= KeySlots; ++slot) {
        AsPushButton(KeyButton(slot))->setEnabled(false);
    }
}

void TFormChangeSoundButton::SetMenuInitialsEnabled(bool enabled)
{
    if (pickerLocked_) {
        return;
    }
    for (const QString& letter : MenuInitials()) {
        AsPushButton(KeyButton(HotKeySlotOfKey(letter)))->setEnabled(enabled);
    }
}

void TFormChangeSoundButton::HKCtrlClick()
{
    const bool noKey = HotKeyText->text().isEmpty();
    if (!IsOn(HKCtrl)) {
        SetFace(HKCtrl, clRed);
        if (noKey) {
            SetMenuInitialsEnabled(true);
        }
    } else {
        SetFace(HKCtrl, clBtnFace);
        if (noKey && IsOn(HKAlt)) {
            SetMenuInitialsEnabled(false);
        }
    }
    if (noKey) {
        CtrlLabel->setVisible(IsOn(HKCtrl));
    }
    ShowUsedHotKeys();
}

void TFormChangeSoundButton::HKAltClick()
{
    const bool noKey = HotKeyText->text().isEmpty();
    if (!IsOn(HKAlt)) {
        SetFace(HKAlt, clRed);
        if (noKey && !IsOn(HKCtrl)) {
            SetMenuInitialsEnabled(false);
        }
    } else {
        SetFace(HKAlt, clBtnFace);
        if (noKey) {
            SetMenuInitialsEnabled(true);
        }
    }
    if (noKey) {
        AltLabel->setVisible(IsOn(HKAlt));
    }
    ShowUsedHotKeys();
}

bool TFormChangeSoundButton::ConfirmHotKeyOverride()
{
    return ctx_.dialogs.MessageDlg(QStringLiteral("This Hot Key is already assigned to another sound!\r \r"
                                                  "Do you want to override this assignment?"),
                                   mtWarning, mbYesNo) == mrYes;
}

void TFormChangeSoundButton::ClearHotKeyOwner(const QString& keyName)
{
    const QString code = MakeHotKeyCode(LabelsModifier(), keyName);
    const Selection& sel = ctx_.selection;
    Board& board = ctx_.board;
    for (int g = 1; g <= GroupCount; ++g) {
        for (int p = 1; p <= PageButtonCount; ++p) {
            for (int b = 1; b <= ButtonCount; ++b) {
                const bool edited = g == sel.PopupGroup && p == sel.PopupPage && b == sel.PopupButton;
                if (edited || board.ButtonHotKey[g][p][b] != code) {
                    continue;
                }
                HotKeyOwnerCode = code;
                HotKeyOwnerGroup = g;
                HotKeyOwnerPage = p;
                HotKeyOwnerButton = b;
                taken_.push_back({code, g, p, b});
                board.ButtonHotKey[g][p][b].clear();
            }
        }
    }
}

void TFormChangeSoundButton::HotKeyClick(const QString& keyName)
{
    const int slot = HotKeySlotOfKey(keyName);
    TBitBtnWithColor* key = KeyButton(slot);
    if (key == nullptr) {
        return;
    }
    if (FaceOf(key) == clRed) {
        if (!ConfirmHotKeyOverride()) {
            return;
        }
        ClearHotKeyOwner(keyName);
    }
    if (HotKeyText->text().isEmpty()) {
        HotKeyText->setText(keyName);
        SetFace(key, clRed);
        MarkHotKeyUsed();
        DisableHotKeyPicker();
    }
}

void TFormChangeSoundButton::RemoveHotKeyButtonClick()
{
    ColorHotKeyKey(HotKeySlotOfKey(HotKeyText->text()), clBtnFace);
    UnmarkHotKeyUsed();
    HotKeyText->clear();
    AltLabel->hide();
    CtrlLabel->hide();
    SetFace(HKCtrl, clBtnFace);
    SetFace(HKAlt, clBtnFace);
    if (!pickerLocked_) {
        EnableHotKeyPicker();
    }
    // The keys now show the table of no modifier, matching the toggles, so a key in use is red
    // and asks before it is taken.
    ShowUsedHotKeys();
}

void TFormChangeSoundButton::RestoreTakenHotKeys()
{
    // Every key taken in this opening goes back: after Remove Hot Key a second one may be taken.
    for (auto it = taken_.rbegin(); it != taken_.rend(); ++it) {
        ctx_.board.ButtonHotKey[it->group][it->page][it->button] = it->code;
    }
    taken_.clear();
}

void TFormChangeSoundButton::CancelButtonClick()
{
    RestoreTakenHotKeys();
    done(mrCancel);
}
