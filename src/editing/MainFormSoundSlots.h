#pragma once
// The main window's slot controls as the sound-button editor writes them.
#include "editing/SoundSlotView.h"

class TForm1;

class MainFormSoundSlots final : public SoundSlotView
{
public:
    explicit MainFormSoundSlots(TForm1& form) : form_(form) {}

    QString SoundButtonCaption(int slot) const override;
    void SetSoundButtonCaption(int slot, const QString& caption) override;
    void SetSoundButtonVisible(int slot, bool visible) override;
    void SetMemoText(int slot, const QString& caption) override;
    void SetMemoHint(int slot, const QString& hint) override;
    void SetSlotHint(int slot, const QString& hint) override;
    TColor PanelColor(int slot) const override;
    void SetPanelColor(int slot, TColor color) override;
    void SetTimeLabel(int slot, const QString& text) override;
    void ShowHotKeyLabel(int slot, const QString& marker, const QString& hint) override;
    void HideHotKeyLabel(int slot) override;
    void HideMarkerLabels(int slot) override;
    void ShowPageTotals(int group, int page) override;
    bool Playing() const override;
    int MasterVolume() const override;

private:
    TForm1& form_;
};
