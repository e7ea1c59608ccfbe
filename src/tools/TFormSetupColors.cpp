// The Colors tab and Daylight Mode: each choice takes effect at once, in the settings and on the
// main window.
#include "tools/TFormSetup.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/Selection.h"
#include "board/Settings.h"
#include "board/Tracer.h"
#include "controls/ColorPanel.h"
#include "controls/SlideBar.h"
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

// Every button of the main window that can show the active colour.
std::vector<TBitBtnWithColor*> ToggleButtons(const TForm1& f)
{
    std::vector<TBitBtnWithColor*> buttons = ControlButtons(f);
    for (int group = 1; group <= TForm1::Groups; ++group) {
        buttons.push_back(f.GroupButtons[static_cast<std::size_t>(group)]);
    }
    for (int page = 1; page <= TForm1::PageButtonSlots; ++page) {
        buttons.push_back(f.PageButtons[static_cast<std::size_t>(page)]);
    }
    return buttons;
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
    PickColor(ButtonColor, ctx_.settings.ButtonColor);
    ApplyControlButtonColor();
}

void TFormSetup::ApplyControlButtonColor()
{
    const Settings& s = ctx_.settings;
    for (TBitBtnWithColor* button : ControlButtons(main_)) {
        if (FaceOf(button) != s.ActiveButtonColor) {
            SetFace(button, s.ButtonColor);
        }
    }
}

void TFormSetup::SetActiveButtonColor()
{
    const Settings& s = ctx_.settings;
    for (TBitBtnWithColor* button : ToggleButtons(main_)) {
        if (FaceOf(button) == PreviousActiveColor) {
            SetFace(button, s.ActiveButtonColor);
        }
    }
    PreviousActiveColor = s.ActiveButtonColor;
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
    PreviousActiveColor = before;
    s.UserActiveButtonColor = before;
    s.ActiveButtonColor = chosen;
    SetFace(ActiveButtonColor, chosen);
    t.WriteTracer(QStringLiteral("active is ") + ColorToString(s.ActiveButtonColor));
    t.WriteTracer(QStringLiteral("select active is ") + ColorToString(chosen));
    t.WriteTracer(QStringLiteral("active old is ") + ColorToString(PreviousActiveColor));
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
        PreviousActiveColor = s.ActiveButtonColor;
        TColor orange = 0;
        StringToColor(QStringLiteral("$000080FF"), orange);
        s.ActiveButtonColor = orange;
        t.WriteTracer(QStringLiteral("active is ") + ColorToString(s.ActiveButtonColor));
    } else {
        PreviousActiveColor = s.ActiveButtonColor;
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
        TBitBtnWithColor* button = f.PageButtons[static_cast<std::size_t>(page)];
        SetFace(button, FaceOf(button) == PreviousActiveColor ? s.ActiveButtonColor : clBtnFace);
    }
    for (int n = 1; n <= TForm1::SlotCount; ++n) {
        SetFace(f.SoundButtons[static_cast<std::size_t>(n)], clBtnFace);
    }
    for (TBitBtnWithColor* button : ControlButtons(f)) {
        SetFace(button, clBtnFace);
    }
    // The bar is nudged and put back so that it repaints without a change of volume.
    f.VolumeChanging = true;
    const int volume = f.VolumeControl->Value();
    f.VolumeControl->SetValue(volume < f.VolumeControl->Max() ? volume + 1 : volume - 1);
    f.VolumeControl->SetValue(volume);
    f.VolumeChanging = false;
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
    PreviousActiveColor = clInfoBk;
    SetFace(DefaultColors, clBtnFace);
    SetFace(ButtonColor, clBtnFace);
    SetFace(EditModeColor, s.EditModeColor);
    SetFace(DragModeColor, s.DragModeColor);
    SetFace(ActiveButtonColor, clInfoBk);
    for (int group = 1; group <= TForm1::Groups; ++group) {
        SetFace(f.GroupButtons[static_cast<std::size_t>(group)], clBtnFace);
    }
    const int current = ctx_.selection.CurrentGroup;
    if (current >= 1 && current <= TForm1::Groups) {
        SetFace(f.GroupButtons[static_cast<std::size_t>(current)], clInfoBk);
    }
}

void TFormSetup::BufferSpinChange()
{
    if (!filling_) {
        ctx_.settings.BufferLength = BufferSpin->value();
    }
}
