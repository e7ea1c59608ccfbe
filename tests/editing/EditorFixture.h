#pragma once
// The real sound-button editor on a fresh board, with scripted dialogs, a recording stand-in for
// the main window's slots and the audio engine in manual-clock mode (for measuring files).
#include "audio/Bass.h"
#include "audio/EngineManual.h"
#include "board/Board.h"
#include "board/HotKeyCode.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/GTSize32Shared.h"
#include "editing/CaptionMemo.h"
#include "editing/ChangeSoundButton.h"
#include "editing/ChangeSoundButtonText.h"
#include "editing/SoundSlotView.h"
#include "platform/ScriptedDialogs.h"

#include "TestWavFile.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <utility>
#include <vector>

// What the editor did to the slots, kept per slot so tests can read it back.
class RecordingSlots final : public SoundSlotView
{
public:
    struct Slot
    {
        QString caption = QStringLiteral(" ");
        bool buttonVisible = false;
        QString memo;
        QString memoHint;
        QString hint;
        TColor panel = clTeal;
        QString time = QStringLiteral(" ");
        bool hotKeyShown = false;
        QString hotKeyMarker;
        QString hotKeyHint;
        bool markersShown = true;
    };

    QString SoundButtonCaption(int slot) const override { return at(slot).caption; }
    void SetSoundButtonCaption(int slot, const QString& caption) override { at(slot).caption = caption; }
    void SetSoundButtonVisible(int slot, bool visible) override { at(slot).buttonVisible = visible; }
    void SetMemoText(int slot, const QString& caption) override { at(slot).memo = caption; }
    void SetMemoHint(int slot, const QString& hint) override { at(slot).memoHint = hint; }
    void SetSlotHint(int slot, const QString& hint) override { at(slot).hint = hint; }
    TColor PanelColor(int slot) const override { return at(slot).panel; }
    void SetPanelColor(int slot, TColor color) override { at(slot).panel = color; }
    void SetTimeLabel(int slot, const QString& text) override { at(slot).time = text; }
    void ShowHotKeyLabel(int slot, const QString& marker, const QString& hint) override
    {
        at(slot).hotKeyShown = true;
        at(slot).hotKeyMarker = marker;
        at(slot).hotKeyHint = hint;
    }
    void HideHotKeyLabel(int slot) override { at(slot).hotKeyShown = false; }
    void HideMarkerLabels(int slot) override { at(slot).markersShown = false; }
    void ShowPageTotals(int group, int page) override { totalsAsked.emplace_back(group, page); }
    bool Playing() const override { return playing; }
    int MasterVolume() const override { return masterVolume; }

    Slot& at(int slot) { return slots_.at(static_cast<std::size_t>(slot)); }
    const Slot& at(int slot) const { return slots_.at(static_cast<std::size_t>(slot)); }

    bool playing = false;
    int masterVolume = 80;
    std::vector<std::pair<int, int>> totalsAsked;

private:
    std::array<Slot, ButtonCount + 1> slots_{};
};

class EditorFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(EngineInitManual(44100, 0));
        editor = std::make_unique<TFormChangeSoundButton>(
            ChangeSoundButtonContext{board, selection, settings, dialogs, view, scalerShared, {}, nullptr, {}});
    }

    void TearDown() override
    {
        editor.reset();
        BASS_Free();
    }

    // Makes (group, page, button) the popup target on the page on display, as the edit-mode click
    // does, with the slot showing the cell.
    void Target(int group, int page, int button)
    {
        selection.CurrentGroup = group;
        selection.CurrentPage = page;
        selection.CurrentButton = button;
        selection.PopupGroup = group;
        selection.PopupPage = page;
        selection.PopupButton = button;
        board.PageFiles[static_cast<std::size_t>(button)] = board.ButtonFile[group][page][button];
        view.at(button).caption = board.ButtonCaption[group][page][button];
    }

    void Fill(int group, int page, int button, const QString& caption, const QString& hotKey)
    {
        board.ButtonCaption[group][page][button] = caption;
        board.ButtonFile[group][page][button] = QStringLiteral("/music/") + caption + QStringLiteral(".wav");
        board.ButtonHotKey[group][page][button] = hotKey;
    }

    void OpenOn(int group, int page, int button)
    {
        Target(group, page, button);
        editor->Open();
        ASSERT_TRUE(editor->isVisible());
    }

    QPushButton* Key(const QString& name) const
    {
        return AsPushButton(editor->KeyButton(HotKeySlotOfKey(name)));
    }
    TColor KeyColor(const QString& name) const { return FaceOf(editor->KeyButton(HotKeySlotOfKey(name))); }
    static void Click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void ClickKey(const QString& name) const { Click(Key(name)); }

    QString WriteWav(const QString& name, int frames) const
    {
        const QString path = dir.path() + QStringLiteral("/") + name;
        EXPECT_TRUE(WriteSilentWav(path, frames));
        return path;
    }

    QString WriteText(const QString& name, const QByteArray& text) const
    {
        const QString path = dir.path() + QStringLiteral("/") + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }

    QTemporaryDir dir;
    Board board;
    Selection selection;
    Settings settings;
    ScriptedDialogs dialogs;
    RecordingSlots view;
    GTScalerShared scalerShared;
    std::unique_ptr<TFormChangeSoundButton> editor;
};
