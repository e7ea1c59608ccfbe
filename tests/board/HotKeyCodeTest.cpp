#include "board/HotKeyCode.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSet>

namespace {

// Every key name with its virtual-key code, in slot order.
struct KeyOfSlot
{
    QString name;
    int virtualKey;
};

QList<KeyOfSlot> AllSlotKeys()
{
    QList<KeyOfSlot> keys;
    for (int f = 1; f <= 12; ++f)
        keys.append({QStringLiteral("F%1").arg(f), VK_F1 + f - 1});
    for (const char* digit : {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0"})
        keys.append({QString::fromLatin1(digit), digit[0]});
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (letter != 'P')
            keys.append({QString(QChar(letter)), letter});
    }
    return keys;
}

} // namespace

TEST(HotKeyCode, EverySlotKeyRoundTripsThroughCodeAndSlotUnderEveryModifier)
{
    const QList<KeyOfSlot> keys = AllSlotKeys();
    ASSERT_EQ(keys.size(), HotKeySlotCount);
    const int shiftStates[4] = {0, ssAlt, ssCtrl, ssCtrl | ssAlt};
    for (int slot = 1; slot <= HotKeySlotCount; ++slot) {
        const KeyOfSlot& key = keys[slot - 1];
        EXPECT_EQ(HotKeySlotOfKey(key.name), slot) << key.name.toStdString();
        EXPECT_EQ(HotKeyKeyOfSlot(slot), key.name);
        for (int modifier = 0; modifier <= 3; ++modifier) {
            const QString code = HotKeyCodeOfKeyEvent(key.virtualKey, shiftStates[modifier]);
            EXPECT_EQ(code, QString::number(modifier) + key.name);
            EXPECT_EQ(HotKeyModifierOf(code), modifier);
            EXPECT_EQ(HotKeyKeyNameOf(code), key.name);
            EXPECT_EQ(HotKeySlotOfKey(HotKeyKeyNameOf(code)), slot);
            // Shift is ignored: the same key with Shift added gives the same code.
            EXPECT_EQ(HotKeyCodeOfKeyEvent(key.virtualKey, shiftStates[modifier] | ssShift), code);
        }
    }
}

TEST(HotKeyCode, NamesOutsideTheTableHaveSlotZero)
{
    for (const char* name : {"P", "a", "f1", "F13", "F0", "", " ", "AB", "10"})
        EXPECT_EQ(HotKeySlotOfKey(QString::fromLatin1(name)), 0) << name;
    EXPECT_TRUE(HotKeyKeyOfSlot(0).isEmpty());
    EXPECT_TRUE(HotKeyKeyOfSlot(48).isEmpty());
}

TEST(HotKeyCode, LongFormAndMarkerShowEachModifier)
{
    EXPECT_EQ(HotKeyLongText("0F5"), "F5");
    EXPECT_EQ(HotKeyLongText("17"), "Alt + 7");
    EXPECT_EQ(HotKeyLongText("2Z"), "Ctrl + Z");
    EXPECT_EQ(HotKeyLongText("3Q"), "Ctrl + Alt + Q");
    EXPECT_EQ(HotKeyLongText("3F12"), "Ctrl + Alt + F12");
    EXPECT_EQ(HotKeyLongText("00"), "0");

    EXPECT_EQ(HotKeyMarker("0F5"), "F5");
    EXPECT_EQ(HotKeyMarker("1A"), "aA");
    EXPECT_EQ(HotKeyMarker("2Q"), "cQ");
    EXPECT_EQ(HotKeyMarker("3F12"), "caF12");
}

TEST(HotKeyCode, BlanksCountAsNoHotKeyButPartsComeFromTheUntrimmedText)
{
    EXPECT_FALSE(HasHotKey(""));
    EXPECT_FALSE(HasHotKey("   "));
    EXPECT_TRUE(HotKeyLongText("  ").isEmpty());
    EXPECT_TRUE(HotKeyMarker(" ").isEmpty());
    EXPECT_TRUE(HasHotKey("0A"));
    // A leading blank is not trimmed away before the parts are taken.
    EXPECT_EQ(HotKeyModifierOf(" 2A"), -1);
    EXPECT_EQ(HotKeyKeyNameOf(" 2A"), "2A");
    EXPECT_EQ(HotKeyKeyNameOf("2F12x"), "F12");
}

TEST(HotKeyCode, CodesCompareCaseSensitivelyAsWholeTexts)
{
    EXPECT_NE(MakeHotKeyCode(2, "F5"), MakeHotKeyCode(1, "F5"));
    EXPECT_EQ(MakeHotKeyCode(HotKeyModifierDigit(true, true), "F5"), "3F5");
    EXPECT_EQ(MakeHotKeyCode(HotKeyModifierDigit(false, true), "F5"), "2F5");
    EXPECT_EQ(MakeHotKeyCode(HotKeyModifierDigit(true, false), "F5"), "1F5");
    EXPECT_EQ(HotKeySlotOfKey("q"), 0);
}

TEST(HotKeyCode, NumpadDigitsGiveTheDigitAndOtherKeysGiveNoCode)
{
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(HotKeyCodeOfKeyEvent(VK_NUMPAD0 + digit, ssCtrl), QStringLiteral("2%1").arg(digit));
    for (int key : {VK_SPACE, VK_RETURN, VK_ESCAPE, VK_INSERT, VK_DELETE, VK_ADD, VK_OEM_5, VK_OEM_PLUS,
                    VK_SHIFT, VK_F1 + 12, VK_LEFT, 0})
        EXPECT_TRUE(HotKeyCodeOfKeyEvent(key, 0).isEmpty()) << key;
}

TEST(HotKeyCode, PauseKeyIsReservedAndPickerLeavesOutPF10AndAltMenuInitials)
{
    EXPECT_TRUE(IsReservedHotKey("0P"));
    EXPECT_FALSE(IsReservedHotKey("2P"));
    EXPECT_STREQ(HotKeyReservedText, "This Hot Key is reserved by the system for the <Pause> button");
    // P typed with a modifier forms a code whose key has no slot.
    EXPECT_EQ(HotKeyCodeOfKeyEvent('P', ssCtrl), "2P");
    EXPECT_EQ(HotKeySlotOfKey(HotKeyKeyNameOf("2P")), 0);

    for (int modifier = 0; modifier <= 3; ++modifier) {
        EXPECT_FALSE(IsHotKeyOffered(modifier, "P"));
        EXPECT_FALSE(IsHotKeyOffered(modifier, "F10"));
        EXPECT_TRUE(IsHotKeyOffered(modifier, "F11"));
        EXPECT_TRUE(IsHotKeyOffered(modifier, "Q"));
    }
    for (const char* initial : {"F", "E", "S", "T", "L", "H"}) {
        EXPECT_FALSE(IsHotKeyOffered(HotKeyAlt, initial)) << initial;
        EXPECT_TRUE(IsHotKeyOffered(HotKeyNoModifier, initial)) << initial;
        EXPECT_TRUE(IsHotKeyOffered(HotKeyCtrl, initial)) << initial;
        EXPECT_TRUE(IsHotKeyOffered(HotKeyCtrlAlt, initial)) << initial;
    }
    EXPECT_TRUE(IsHotKeyOffered(HotKeyAlt, "F1"));
    EXPECT_TRUE(IsHotKeyOffered(HotKeyAlt, "G"));
}

TEST(VirtualKeys, QtKeysMapToTheKeyboardHandlersCodes)
{
    const Qt::KeyboardModifiers none;
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_F1, none), 112);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_F12, none), 123);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_0, none), 48);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_9, none), 57);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_A, none), 65);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Z, none), 90);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Return, none), 13);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Escape, none), 27);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Space, none), 32);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_PageUp, none), 33);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_PageDown, none), 34);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_End, none), 35);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Home, none), 36);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Left, none), 37);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Up, none), 38);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Right, none), 39);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Down, none), 40);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Insert, none), 45);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Delete, none), 46);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Backslash, none), 220);
}

TEST(VirtualKeys, KeypadAndShiftedSymbolsKeepTheirKey)
{
    const Qt::KeyboardModifiers none;
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Equal, none), 187);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Plus, Qt::ShiftModifier), 187);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Minus, none), 189);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Underscore, Qt::ShiftModifier), 189);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Bar, Qt::ShiftModifier), 220);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_Exclam, Qt::ShiftModifier), '1');
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
    EXPECT_EQ(VirtualKeyOfQtKey(Qt::Key_unknown, none), 0);
}

TEST(VirtualKeys, KeyEventGivesTheHotKeyCodeWithShiftIgnored)
{
    QKeyEvent ctrlAltF5(QEvent::KeyRelease, Qt::Key_F5, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(ShiftStateOfEvent(ctrlAltF5), ssCtrl | ssAlt);
    EXPECT_EQ(HotKeyCodeOfKeyEvent(VirtualKeyOfEvent(ctrlAltF5), ShiftStateOfEvent(ctrlAltF5)), "3F5");

    QKeyEvent shiftOne(QEvent::KeyRelease, Qt::Key_Exclam, Qt::ShiftModifier | Qt::AltModifier);
    EXPECT_EQ(HotKeyCodeOfKeyEvent(VirtualKeyOfEvent(shiftOne), ShiftStateOfEvent(shiftOne)), "11");

    QKeyEvent numpadSeven(QEvent::KeyRelease, Qt::Key_7, Qt::KeypadModifier);
    EXPECT_EQ(VirtualKeyOfEvent(numpadSeven), 103);
    EXPECT_EQ(HotKeyCodeOfKeyEvent(VirtualKeyOfEvent(numpadSeven), ShiftStateOfEvent(numpadSeven)), "07");
}
