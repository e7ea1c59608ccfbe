// The editor's controls, placed at their design bounds so the form scaler can follow the window's
// size. Keyboard geometry: keys of 36 x 30 pixels on a 38-pixel pitch, rows 34 pixels apart.
#include "board/HotKeyCode.h"
#include "controls/ButtonWithColor.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kKeyWidth = 36;
constexpr int kKeyHeight = 30;
constexpr int kPitch = 38;
constexpr int kRowF = 186;
constexpr int kRowDigits = 222;
constexpr int kRowQ = 256;
constexpr int kRowA = 290;
constexpr int kRowZ = 324;
constexpr int kRowModifiers = 358;
constexpr int kCaptionMaxLength = 60;

QLabel* AddLabel(QWidget* parent, const QString& name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QString& text, QRect bounds)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(bounds);
    button->setAutoDefault(false);
    return button;
}

} // namespace

void TFormChangeSoundButton::BuildLayout()
{
    BuildFields();
    BuildHotKeyRow();
    BuildKeyboard();
    BuildCommandButtons();
    resize(640, 448);
}

void TFormChangeSoundButton::BuildFields()
{
    AddLabel(this, QStringLiteral("Label1"), QStringLiteral("Sound File:"), 10, 10);
    NewFileName = new QLineEdit(this);
    NewFileName->setObjectName(QStringLiteral("NewFileName"));
    NewFileName->setGeometry(10, 28, 520, 22);
    BrowseButton =
        AddButton(this, QStringLiteral("BrowseButton"), QStringLiteral("Browse"), {540, 27, 90, 24});

    AddLabel(this, QStringLiteral("Label2"), QStringLiteral("Caption:"), 10, 58);
    MemoCaption = new TCaptionMemo(kCaptionMaxLength, this);
    MemoCaption->setObjectName(QStringLiteral("MemoCaption"));
    MemoCaption->setGeometry(10, 76, 300, 48);
    NewCaption = new QLineEdit(this);
    NewCaption->setObjectName(QStringLiteral("NewCaption"));
    NewCaption->setGeometry(10, 76, 300, 22);
    NewCaption->hide();

    AddLabel(this, QStringLiteral("Label3"), QStringLiteral("Note:"), 330, 58);
    NewNote = new QLineEdit(this);
    NewNote->setObjectName(QStringLiteral("NewNote"));
    NewNote->setGeometry(330, 76, 300, 22);
    cbLoopSound = new QCheckBox(QStringLiteral("Loop This Sound:     "), this);
    cbLoopSound->setObjectName(QStringLiteral("cbLoopSound"));
    // The box stands after its text.
    cbLoopSound->setLayoutDirection(Qt::RightToLeft);
    cbLoopSound->setGeometry(330, 104, 200, 22);
}

void TFormChangeSoundButton::BuildHotKeyRow()
{
    HotKeyAssignedLabel =
        AddLabel(this, QStringLiteral("Label4"), QStringLiteral("Hot Key Assigned:"), 10, 138);
    CtrlLabel = AddLabel(this, QStringLiteral("CtrlLabel"), QStringLiteral("Ctrl +"), 130, 138);
    AltLabel = AddLabel(this, QStringLiteral("AltLabel"), QStringLiteral("Alt +"), 170, 138);
    HotKeyText = AddLabel(this, QStringLiteral("HotKeyText"), QString(), 206, 138);
    HotKeyText->resize(40, HotKeyText->height());
    RemoveHotKeyButton = AddButton(this, QStringLiteral("RemoveHotKeyButton"),
                                   QStringLiteral("Remove Hot Key"), {260, 133, 120, 24});
    AddLabel(this, QStringLiteral("Label5"), QStringLiteral("Click on Key to assign"), 10, 166);
    AddLabel(this, QStringLiteral("Label6"), QStringLiteral("  Red Keys are already Assigned"), 200, 166);
}

TBitBtnWithColor* TFormChangeSoundButton::AddKey(const QString& caption, int x, int y, int width)
{
    auto* key = new TBitBtnWithColor(caption, this);
    key->setGeometry(x, y, width, kKeyHeight);
    key->setAutoDefault(false);
    key->setFocusPolicy(Qt::NoFocus);
    return key;
}

void TFormChangeSoundButton::BuildKeyboard()
{
    // The keys that carry sounds take their slot; the rest of the keyboard is shown disabled.
    auto addRow = [this](const QStringList& keys, int x, int y) {
        for (const QString& name : keys) {
            TBitBtnWithColor* key = AddKey(name, x, y, kKeyWidth);
            const int slot = HotKeySlotOfKey(name);
            if (slot > 0) {
                const bool letter = name.size() == 1 && name.at(0).isLetter();
                const QString objectName = name == QLatin1String("F") ? QStringLiteral("hkf")
                                           : letter                   ? QStringLiteral("HK") + name.toLower()
                                                                      : QStringLiteral("HK") + name;
                key->setObjectName(objectName);
                keyButtons_[static_cast<std::size_t>(slot)] = key;
            } else {
                key->setEnabled(false);
            }
            x += kPitch;
        }
    };
    addRow(QStringLiteral("F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12").split(u' '), 48, kRowF);
    AddKey(QStringLiteral("`"), 10, kRowDigits, kKeyWidth)->setEnabled(false);
    addRow(QStringLiteral("1 2 3 4 5 6 7 8 9 0 - =").split(u' '), 10 + kPitch, kRowDigits);
    AddKey(QStringLiteral("Backspace"), 10 + 13 * kPitch, kRowDigits, 74)->setEnabled(false);
    AddKey(QStringLiteral("Tab"), 10, kRowQ, 54)->setEnabled(false);
    addRow(QStringLiteral("Q W E R T Y U I O P [ ] \\").split(u' '), 66, kRowQ);
    AddKey(QStringLiteral("Caps"), 10, kRowA, 64)->setEnabled(false);
    addRow(QStringLiteral("A S D F G H J K L ; '").split(u' '), 76, kRowA);
    AddKey(QStringLiteral("Enter"), 76 + 11 * kPitch, kRowA, 78)->setEnabled(false);
    AddKey(QStringLiteral("Shift"), 10, kRowZ, 82)->setEnabled(false);
    addRow(QStringLiteral("Z X C V B N M , . /").split(u' '), 94, kRowZ);
    AddKey(QStringLiteral("Shift"), 94 + 10 * kPitch, kRowZ, 82)->setEnabled(false);

    HKCtrl = AddKey(QStringLiteral("Ctrl"), 10, kRowModifiers, 60);
    HKCtrl->setObjectName(QStringLiteral("HKCtrl"));
    HKAlt = AddKey(QStringLiteral("Alt"), 74, kRowModifiers, 60);
    HKAlt->setObjectName(QStringLiteral("HKAlt"));
    AddKey(QStringLiteral("SPACE"), 138, kRowModifiers, 260)->setEnabled(false);
    // F10 is never offered.
    keyButtons_[10]->setEnabled(false);
}

void TFormChangeSoundButton::BuildCommandButtons()
{
    CustomPlaybackButton = AddButton(this, QStringLiteral("CustomPlaybackButton"),
                                     QStringLiteral("Custom Cue Control"), {10, 408, 150, 28});
    DeleteButton =
        AddButton(this, QStringLiteral("DeleteButton"), QStringLiteral("Delete"), {360, 408, 80, 28});
    CancelButton =
        AddButton(this, QStringLiteral("CancelButton"), QStringLiteral("Cancel"), {450, 408, 80, 28});
    OKButton = AddButton(this, QStringLiteral("OKButton"), QStringLiteral("OK"), {540, 408, 80, 28});
}

void TFormChangeSoundButton::WireSignals()
{
    connect(BrowseButton, &QPushButton::clicked, this, [this] { BrowseButtonClick(); });
    connect(OKButton, &QPushButton::clicked, this, [this] { OKButtonClick(); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { DeleteButtonClick(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    connect(RemoveHotKeyButton, &QPushButton::clicked, this, [this] { RemoveHotKeyButtonClick(); });
    connect(CustomPlaybackButton, &QPushButton::clicked, this, [this] { CustomPlaybackButtonClick(); });
    connect(HKCtrl, &QPushButton::clicked, this, [this] { HKCtrlClick(); });
    connect(HKAlt, &QPushButton::clicked, this, [this] { HKAltClick(); });
    for (int slot = 1; slot <= KeySlots; ++slot) {
        if (slot == 10) {
            continue;
        }
        TBitBtnWithColor* key = keyButtons_[static_cast<std::size_t>(slot)];
        const QString name = key->text();
        connect(key, &QPushButton::clicked, this, [this, name] { HotKeyClick(name); });
    }
}
