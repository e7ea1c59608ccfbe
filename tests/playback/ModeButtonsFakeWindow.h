#pragma once
// A stand-in for the main window's mode buttons, navigation and bars that keeps what it is told.
#include "playback/ModeButtonsWindow.h"

#include <map>
#include <vector>

class ModeButtonsFakeWindow final : public ModeButtonsWindow
{
public:
    TColor ModeColor(PlayModeButton button) const override
    {
        const auto it = Colors.find(button);
        return it == Colors.end() ? clBtnFace : it->second;
    }
    void SetModeColor(PlayModeButton button, TColor color) override { Colors[button] = color; }
    void SetModeEnabled(PlayModeButton button, bool enabled) override { Enabled[button] = enabled; }
    void SetModeCaption(PlayModeButton button, const QString& caption) override
    {
        Captions[button] = caption;
    }
    void SetTimeLabelsEnabled(bool enabled) override { TimeLabelsEnabled = enabled; }
    void SetSoundPlayingVisible(bool visible) override { SoundPlayingVisible = visible; }
    void ProcessPageButton(int page) override { PagesShown.push_back(page); }
    void ProcessGroupButton(int group) override { GroupsShown.push_back(group); }
    void NextPage() override { ++NextPages; }
    void PrevPage() override { ++PrevPages; }
    int VolumeBarValue() const override { return VolumeBar; }
    void SetVolumeBarValue(int value) override { VolumeBar = value; }
    bool VolumeChanging() const override { return Changing; }
    void SetProgressGauge(int value) override { Gauge = value; }
    void ShowEqualizer() override { ++EqualizerShown; }

    std::map<PlayModeButton, TColor> Colors;
    std::map<PlayModeButton, bool> Enabled;
    std::map<PlayModeButton, QString> Captions;
    std::vector<int> PagesShown;
    std::vector<int> GroupsShown;
    bool TimeLabelsEnabled = false;
    bool SoundPlayingVisible = true;
    bool Changing = false;
    int NextPages = 0;
    int PrevPages = 0;
    int VolumeBar = 50;
    int Gauge = 0;
    int EqualizerShown = 0;
};
