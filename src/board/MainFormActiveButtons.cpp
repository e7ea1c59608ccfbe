// The buttons that wear the active colour because what they switch is on, and the volume bar's
// repaint: what a change of the button colours repaints beside the plain faces.
#include "board/MainForm.h"

#include "board/Board.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "controls/SlideBar.h"

std::vector<TBitBtnWithColor*> TForm1::ModeButtonsOn() const
{
    const Settings& s = ctx_.settings;
    const Selection& sel = ctx_.selection;
    const bool cueShown = sel.CurrentGroup == CueGroup && sel.CurrentPage == CuePage;
    const bool rapidFire = Board::IsValidAddress(sel.CurrentGroup, sel.CurrentPage, 1) &&
                           ctx_.board.RapidFire[sel.CurrentGroup][sel.CurrentPage] == QStringLiteral("T");
    std::vector<TBitBtnWithColor*> on;
    const auto add = [&on](bool isOn, TBitBtnWithColor* button) {
        if (isOn) {
            on.push_back(button);
        }
    };
    add(s.FadeIn, FadeInButton);
    add(s.FadeOut, FadeOutButton);
    add(s.CrossFade, CrossFadeButton);
    add(LoopMode, LoopOnButton);
    add(s.AutoFade, AutoFadeButton);
    add(PlayListMode, PlayListButton);
    add(PlayListMode && rapidFire, RapidFireButton);
    add(s.MultiPlay, MultiPlayButton);
    add(s.Shuffle, ShuffleButton);
    add(ctx_.board.EditMode, EditButton);
    add(ButtonDragMode, ButtonDragButton);
    // Several commands tell that the cue is on display by the Cue button's colour.
    add(cueShown, CueButton);
    return on;
}

void TForm1::NudgeVolumeBar()
{
    // One step and back: the bar repaints in the new colours, and its handler ignores both moves
    // while VolumeChanging is set, so the volume stays.
    VolumeChanging = true;
    const int value = VolumeControl->Value();
    VolumeControl->SetValue(value < VolumeControl->Max() ? value + 1 : value - 1);
    VolumeControl->SetValue(value);
    VolumeChanging = false;
}
