#pragma once
// The sound-button editor ("Edit Sound Button"): file, caption, note, loop flag and hot key of
// the popup target, Delete, and the way to the custom cue editor. Created once at start and shown
// modally for each edit; every result goes straight into the board and the target's slot.
// Code by concern: ChangeSoundButton.cpp (creation, opening, modal results),
// ChangeSoundButtonLayout.cpp (controls), ChangeSoundButtonPicker.cpp (hot-key picker),
// ChangeSoundButtonCommands.cpp (Browse, OK, Delete, Custom Cue Control).
#include "editing/ChangeSoundButtonContext.h"
#include "platform/Color.h"

#include <QDialog>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class GTForm;
class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class TBitBtnWithColor;
class TCaptionMemo;
class TForm1;

class TFormChangeSoundButton : public QDialog
{
    Q_OBJECT
public:
    static constexpr int KeySlots = 47;

    // The program's instance, working on the main window's board and slots.
    explicit TFormChangeSoundButton(TForm1* mainForm);
    explicit TFormChangeSoundButton(const ChangeSoundButtonContext& context, QWidget* parent = nullptr);
    ~TFormChangeSoundButton() override;

    // Opens on the popup target (PopupGroup/Page/Button, CurrentButton its slot) and waits:
    // 1 when OK or Delete stored the button, 2 on Cancel, Esc or closing the window (and at once
    // when the target names no button).
    int ShowModal();
    // The same opening without waiting; the result arrives through finished(int) and result().
    void Open();

    // Shows the custom cue editor; set once that window exists.
    void SetCustomCueEditor(std::function<int()> showEditor);

    // --- Handlers of the controls.
    void BrowseButtonClick();
    void OKButtonClick();
    void DeleteButtonClick();
    void CancelButtonClick();
    void RemoveHotKeyButtonClick();
    void CustomPlaybackButtonClick();
    void HKCtrlClick();
    void HKAltClick();
    // HKF1Click .. HKmClick: the key of that name.
    void HotKeyClick(const QString& keyName);

    // --- The hot-key picker's routines.
    void BuildUsedHotKeyTables();
    void ShowUsedHotKeys();
    void MarkHotKeyUsed();
    void UnmarkHotKeyUsed();
    bool ConfirmHotKeyOverride();
    void ClearHotKeyOwner(const QString& keyName);
    void ColorHotKeyKey(int slot, TColor color);
    void EnableHotKeyPicker();
    void DisableHotKeyPicker();
    // The editor's own error box for the audio engine's last error; nothing for code 0.
    void BassErrorText();

    // The key button of a slot 1..47 (slot 10 is HKF10), nullptr for any other number.
    TBitBtnWithColor* KeyButton(int slot) const;

    // Used-key tables, in the order none, Ctrl, Alt, Ctrl and Alt; entry [table][slot] is "Y"
    // when the key is used under that modifier anywhere in groups 1..10, pages 1..18.
    static constexpr int TableNone = 0;
    static constexpr int TableCtrl = 1;
    static constexpr int TableAlt = 2;
    static constexpr int TableCtrlAlt = 3;
    std::array<std::array<QString, KeySlots + 1>, 4> HotKeyUsed;
    int HotKeySlot = 0;
    // The hot key last taken from another button by an override, and where it was.
    QString HotKeyOwnerCode;
    int HotKeyOwnerGroup = 0;
    int HotKeyOwnerPage = 0;
    int HotKeyOwnerButton = 0;

    // --- Controls.
    QLineEdit* NewFileName = nullptr;
    QPushButton* BrowseButton = nullptr;
    TCaptionMemo* MemoCaption = nullptr;
    QLineEdit* NewCaption = nullptr;
    QLineEdit* NewNote = nullptr;
    QCheckBox* cbLoopSound = nullptr;
    QLabel* HotKeyAssignedLabel = nullptr;
    QLabel* HotKeyText = nullptr;
    QLabel* AltLabel = nullptr;
    QLabel* CtrlLabel = nullptr;
    TBitBtnWithColor* HKCtrl = nullptr;
    TBitBtnWithColor* HKAlt = nullptr;
    QPushButton* RemoveHotKeyButton = nullptr;
    QPushButton* CustomPlaybackButton = nullptr;
    QPushButton* DeleteButton = nullptr;
    QPushButton* CancelButton = nullptr;
    QPushButton* OKButton = nullptr;
    GTForm* GTForm1 = nullptr;

protected:
    // Closing the window gives 2 without Cancel's restore, as Esc does.
    void reject() override;

private:
    struct TakenHotKey
    {
        QString code;
        int group = 0;
        int page = 0;
        int button = 0;
    };

    bool HasTarget() const;

    // ChangeSoundButtonLayout.cpp
    void BuildLayout();
    void BuildFields();
    void BuildHotKeyRow();
    void BuildKeyboard();
    TBitBtnWithColor* AddKey(const QString& caption, int x, int y, int width);
    void BuildCommandButtons();
    void WireSignals();

    // ChangeSoundButton.cpp
    void Create();
    void Setup();
    void LoadFields();
    void LoadHotKey();
    void FormKeyDown(QKeyEvent* event);
    void ShowError(const QString& routine);

    // ChangeSoundButtonPicker.cpp
    int ShownTable() const;
    int LabelsModifier() const;
    void SetMenuInitialsEnabled(bool enabled);
    void RestoreTakenHotKeys();

    // ChangeSoundButtonCommands.cpp
    void StoreFields();
    bool StoreHotKey();
    void ClearDuplicateHotKeys(const QString& code);
    void HideLabelIfShown(int group, int page, int button);
    void MeasureSoundFile();
    void MeasureButtonTime(BassHandle stream);
    void ClearCell();

    std::unique_ptr<SoundSlotView> ownSlots_;
    ChangeSoundButtonContext ctx_;
    std::array<TBitBtnWithColor*, KeySlots + 1> keyButtons_{};
    // Hot keys taken from other buttons by overrides during this opening; Cancel gives them back.
    std::vector<TakenHotKey> taken_;
    // On the cue page the picker stays disabled, whatever the modifier toggles do.
    bool pickerLocked_ = false;
};
