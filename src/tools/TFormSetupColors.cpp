// The Colors tab and Daylight Mode: each choice takes effect at once, in the settings and on the
// main window.
#include "tools/TFormSetup.h"

#include "board/Board.h"
#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "controls/zPanel.h"
#include "platform/Dialogs.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpinBox>

#include <vector>

namespace {

// The main window's control buttons, as Restore Default Colors and Control Buttons Color paint them.
std::vector<TBitBtnWithColor*> ControlButtons(const TForm1& f)
{
    return {f.FindButton,      f.ShuffleButton,   f.EditButton,       f.LoopOnButton,   f.PauseButton,
            f.StopPlayButton,  f.FadeOutButton,   f.FadeInButton,     f.AutoFadeButton, f.NextButton,
            f.CrossFadeButton, f.PlayListButton,  f.ButtonDragButton, f.CueButton,      f.MultiPlayButton,
            f.RapidFireButton, f.EqualizerButton, f.NewButton,        f.OpenButton,     f.VoiceOverButton,
            f.ResetPageButton, f.SaveButton,      f.ExitButton};
}

} // namespace

bool TFormSetup::PickColor(TBitBtnWithColor* button, TColor& setting)
{
    // Whatever closes the dialog, its colour is taken: a cancelled dialog still holds the colour
    // it was opened with.
    TColor color = setting;
    const bool accepted = ctx_.dialogs.ColorDialog(color);
    setting = color;
    SetFace(button, color);
    return accepted;
}

void TFormSetup::GroupColorClick(int group)
{
    if (group < 1 || group > 10) {
        return;
    }
    const auto i = static_cast<std::size_t>(group);
    PickColor(GroupColorButtons[i], ctx_.settings.GroupColor[i]);
}

void TFormSetup::CueColorClick()
{
    PickColor(CueColor, ctx_.settings.CueColor);
}

void TFormSetup::EditModeColorClick()
{
    PickColor(EditModeColor, ctx_.settings.EditModeColor);
}

void TFormSetup::DragModeColorClick()
{
    PickColor(DragModeColor, ctx_.settings.DragModeColor);
}

void TFormSetup::SelectControlButtonColor()
{
    const TColor previous = ctx_.settings.ButtonColor;
    PickColor(ButtonColor, ctx_.settings.ButtonColor);
    ApplyControlButtonColor(previous);
}

void TFormSetup::ApplyControlButtonColor(TColor previous)
{
    const Settings& s = ctx_.settings;
    const Board& board = ctx_.board;
    TForm1& f = main_;
    const TColor face = s.ButtonColor;
    for (int group = 1; group <= TForm1::Groups; ++group) {
        SetFace(f.GroupButtons[static_cast<std::size_t>(group)], face);
    }
    const int g = ctx_.selection.CurrentGroup;
    for (int page = 1; page <= TForm1::PageButtonSlots; ++page) {
        // A page's own colour stays, as the page buttons show it whenever a page is chosen.
        const TColor own = g >= 1 && g <= TForm1::Groups ? board.PageColor[g][page] : 0;
        SetFace(f.PageButtons[static_cast<std::size_t>(page)], own != 0 ? own : face);
    }
    for (int n = 1; n <= TForm1::SlotCount; ++n) {
        // Only the plain faces: a play list's next sound and a hot key's playing one keep their marks.
        TBitBtnWithColor* button = f.SoundButtons[static_cast<std::size_t>(n)];
        if (FaceOf(button) == previous) {
            SetFace(button, face);
        }
    }
    for (TBitBtnWithColor* button : ControlButtons(f)) {
        SetFace(button, face);
    }
    f.Panel51->SetColor(face);
    f.BarMeterPanel->SetColor(face);
    f.NudgeVolumeBar();
    for (TzPanelMeter* meter : {f.LeftMeter, f.RightMeter}) {
        meter->SetHouseColor(face);
        meter->SetSteelLook(face == clBtnFace);
    }
    PaintActiveButtons();
}

void TFormSetup::SetActiveButtonColor()
{
    ctx_.tracer.WriteTracer(QStringLiteral("SetActiveButtonColor"));
    PaintActiveButtons();
}

void TFormSetup::PaintActiveButtons()
{
    const TColor active = ctx_.settings.ActiveButtonColor;
    const Selection& sel = ctx_.selection;
    TForm1& f = main_;
    const int g = sel.CurrentGroup;
    const int page = sel.CurrentPage;
    // While the cue shows, no group or page is chosen; the Cue button is among the modes.
    if (g >= 1 && g <= TForm1::Groups && page != CuePage) {
        SetFace(f.GroupButtons[static_cast<std::size_t>(g)], active);
        if (page >= 1 && page <= TForm1::PageButtonSlots && !Board::IsBlank(ctx_.board.PageName[g][page])) {
            SetFace(f.PageButtons[static_cast<std::size_t>(page)], active);
        }
    }
    for (TBitBtnWithColor* button : f.ModeButtonsOn()) {
        SetFace(button, active);
    }
}

void TFormSetup::ActiveButtonColorClick()
{
    Settings& s = ctx_.settings;
    Tracer& t = ctx_.tracer;
    t.WriteTracer(QStringLiteral("ActiveButtonColor click"));
    if (DaylightModeCheckBox->isChecked()) {
        DaylightModeCheckBox->setChecked(false);
        SetDaylightMode(false);
    }
    t.WriteTracer(QStringLiteral("prev active is ") + ColorToString(s.ActiveButtonColor));
    const TColor before = s.ActiveButtonColor;
    TColor chosen = before;
    ctx_.dialogs.ColorDialog(chosen);
    s.UserActiveButtonColor = before;
    s.ActiveButtonColor = chosen;
    SetFace(ActiveButtonColor, chosen);
    t.WriteTracer(QStringLiteral("active is ") + ColorToString(s.ActiveButtonColor));
    t.WriteTracer(QStringLiteral("select active is ") + ColorToString(chosen));
    t.WriteTracer(QStringLiteral("active old is ") + ColorToString(before));
    t.WriteTracer(QStringLiteral("active User is ") + ColorToString(s.UserActiveButtonColor));
    SetActiveButtonColor();
}

void TFormSetup::DaylightModeCheckBoxClick()
{
    if (filling_) {
        return;
    }
    SetDaylightMode(DaylightModeCheckBox->isChecked());
}

void TFormSetup::SetDaylightMode(bool on)
{
    Settings& s = ctx_.settings;
    Tracer& t = ctx_.tracer;
    t.WriteTracer(QStringLiteral("DaylightModeCheckBoxClick"));
    if (on == s.DaylightMode) {
        // Setting the box to the state it already has changes no colour: a second "on" would
        // otherwise copy the daylight orange over the operator's own active colour.
        return;
    }
    s.DaylightMode = on;
    if (on) {
        t.WriteTracer(QStringLiteral("Daylight Mode is True"));
        s.UserActiveButtonColor = s.ActiveButtonColor;
        TColor orange = 0;
        StringToColor(QStringLiteral("$000080FF"), orange);
        s.ActiveButtonColor = orange;
        t.WriteTracer(QStringLiteral("active is ") + ColorToString(s.ActiveButtonColor));
    } else {
        s.ActiveButtonColor = s.UserActiveButtonColor;
        t.WriteTracer(QStringLiteral("Daylight Mode is False"));
        t.WriteTracer(QStringLiteral("Active is ") + ColorToString(s.ActiveButtonColor));
    }
    SetFace(ActiveButtonColor, s.ActiveButtonColor);
    SetActiveButtonColor();
}

void TFormSetup::DefaultColorsClick()
{
    Settings& s = ctx_.settings;
    TForm1& f = main_;
    for (int group = 1; group <= TForm1::Groups; ++group) {
        SetFace(f.GroupButtons[static_cast<std::size_t>(group)], clBtnFace);
        s.GroupColor[static_cast<std::size_t>(group)] = clBtnFace;
    }
    for (int page = 1; page <= TForm1::PageButtonSlots; ++page) {
        SetFace(f.PageButtons[static_cast<std::size_t>(page)], clBtnFace);
    }
    for (int n = 1; n <= TForm1::SlotCount; ++n) {
        SetFace(f.SoundButtons[static_cast<std::size_t>(n)], clBtnFace);
    }
    for (TBitBtnWithColor* button : ControlButtons(f)) {
        SetFace(button, clBtnFace);
    }
    f.Panel51->SetColor(clBtnFace);
    f.NudgeVolumeBar();
    for (TzPanelMeter* meter : {f.LeftMeter, f.RightMeter}) {
        meter->SetHouseColor(clBtnFace);
        meter->SetSteelLook(true);
    }
    f.BarMeterPanel->SetColor(clBtnFace);
    s.ButtonColor = clBtnFace;
    s.LastSoundButtonColor = clBtnFace;
    s.EditModeColor = TForm1::DefaultEditModeColor;
    s.DragModeColor = TForm1::DefaultDragModeColor;
    s.ActiveButtonColor = clInfoBk;
    s.UserActiveButtonColor = clInfoBk;
    SetFace(DefaultColors, clBtnFace);
    SetFace(ButtonColor, clBtnFace);
    SetFace(EditModeColor, s.EditModeColor);
    SetFace(DragModeColor, s.DragModeColor);
    SetFace(ActiveButtonColor, clInfoBk);
    // The chosen group and page and the modes that are on show the new active colour.
    PaintActiveButtons();
}

void TFormSetup::BufferSpinChange()
{
    if (!filling_) {
        ctx_.settings.BufferLength = BufferSpin->value();
    }
}
