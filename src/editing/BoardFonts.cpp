// The fonts of the sound buttons and of the page buttons: a font dialog, then a colour dialog for
// the font colour (the platform's font dialog has no colour), then every button repainted and the
// options file written.
#include "editing/BoardColors.h"

#include "board/MainForm.h"
#include "board/MainFormButtons.h"
#include "board/MainFormContext.h"
#include "board/OptionsFile.h"
#include "board/OptionsFileText.h"
#include "board/Settings.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "editing/BoardEditing.h"
#include "platform/Dialogs.h"
#include "platform/FontStyle.h"

#include <QPushButton>

#include <exception>

namespace {

QFont FontOf(const QString& name, int size, TFontStyles style)
{
    QFont font(name);
    font.setPointSize(size > 0 ? size : 8);
    ApplyFontStyles(font, style);
    return font;
}

// The four font settings of the sound buttons or of the page buttons, and the style's text.
struct FontSettings
{
    QString& name;
    int& size;
    TFontStyles& style;
    QString& styleText;
    TColor& color;
};

// Font, then font colour, stored in the settings; false when the font dialog was cancelled
// (nothing changes). A cancelled colour step keeps the old colour.
bool ChooseFont(Dialogs& dialogs, const FontSettings& settings)
{
    FontChoice font{settings.name, settings.size, settings.style, settings.color};
    if (!dialogs.FontDialog(font)) {
        return false;
    }
    // The colour is the colour step's alone.
    TColor color = settings.color;
    if (dialogs.ColorDialog(color)) {
        settings.color = color;
    }
    settings.name = font.Name;
    settings.size = font.Size;
    settings.style = font.Style;
    settings.styleText = FontStyleToString(font.Style);
    return true;
}

} // namespace

void BoardColors::ChangeSoundFonts1Click()
{
    try {
        MainFormContext& ctx = form_.Context();
        Settings& s = ctx.settings;
        if (!ChooseFont(ctx.dialogs, {s.Sound1FontName, s.Sound1FontSize, s.Sound1FontStyle,
                                      s.Sound1FontStyleText, s.Sound1FontColor})) {
            return;
        }
        const QFont qfont =
            form_.ScaledToWindow(FontOf(s.Sound1FontName, s.Sound1FontSize, s.Sound1FontStyle));
        for (int n = 1; n <= TForm1::SlotCount; ++n) {
            const auto i = static_cast<std::size_t>(n);
            AsPushButton(form_.SoundButtons[i])->setFont(qfont);
            form_.ButtonMemos[i]->setFont(qfont);
            // A place marker's caption stays white on its black panel.
            if (form_.ButtonPanels[i]->Color() != clBlack) {
                SetButtonFontColor(form_.SoundButtons[i], s.Sound1FontColor);
                form_.ButtonMemos[i]->SetFontColor(s.Sound1FontColor);
            }
        }
        ctx.optionsFile.UpdateINIFile();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("ChangeSoundFonts1Click"));
    }
}

void BoardColors::PopupPageChangeFontClick()
{
    try {
        MainFormContext& ctx = form_.Context();
        Settings& s = ctx.settings;
        if (!ChooseFont(ctx.dialogs, {s.PageFontName, s.PageFontSize, s.PageFontStyle, s.PageFontStyleText,
                                      s.PageFontColor})) {
            return;
        }
        const QFont qfont = form_.ScaledToWindow(FontOf(s.PageFontName, s.PageFontSize, s.PageFontStyle));
        for (int page = 1; page <= TForm1::PageButtonSlots; ++page) {
            AsPushButton(form_.PageButtons[static_cast<std::size_t>(page)])->setFont(qfont);
            BoardEditing::ShowPageButton(form_, page, false);
        }
        ctx.optionsFile.UpdateINIFile();
    } catch (const std::exception&) {
        ShowErrorBox(QStringLiteral("PopupPageChangeFontClick"));
    }
}
