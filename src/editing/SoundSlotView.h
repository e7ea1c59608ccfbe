#pragma once
// The slot controls of the main window that the sound-button editor writes after a change:
// slot N (1..48) of the page on display, the page-totals label and the two playback facts the
// editor asks about. The main window provides it (MainFormSoundSlots); tests use a recording one.
#include "platform/Color.h"

#include <QString>

class SoundSlotView
{
public:
    virtual ~SoundSlotView() = default;

    // The slot's sound button. Captions are in the board's form (a line break as CR LF).
    virtual QString SoundButtonCaption(int slot) const = 0;
    virtual void SetSoundButtonCaption(int slot, const QString& caption) = 0;
    virtual void SetSoundButtonVisible(int slot, bool visible) = 0;
    // The caption memo under the button.
    virtual void SetMemoText(int slot, const QString& caption) = 0;
    virtual void SetMemoHint(int slot, const QString& hint) = 0;
    // The hint of the sound button and of the panel (the note).
    virtual void SetSlotHint(int slot, const QString& hint) = 0;
    // The panel's colour, exactly as the class library's value: several commands decide by it.
    virtual TColor PanelColor(int slot) const = 0;
    virtual void SetPanelColor(int slot, TColor color) = 0;
    virtual void SetTimeLabel(int slot, const QString& text) = 0;
    // The hot-key label: its caption (the compact marker) and hint (the long form).
    virtual void ShowHotKeyLabel(int slot, const QString& marker, const QString& hint) = 0;
    virtual void HideHotKeyLabel(int slot) = 0;
    // The volume, loop and custom-cue labels, hidden when their values are cleared.
    virtual void HideMarkerLabels(int slot) = 0;
    // Totals the page (group, page) and shows them in the page-totals label.
    virtual void ShowPageTotals(int group, int page) = 0;

    // A sound is playing (`Playing`).
    virtual bool Playing() const = 0;
    // The output volume the board runs at (`MasterVolume`, 0..100).
    virtual int MasterVolume() const = 0;
};
