// Colours and fonts on the real main window: reserved colours on a sound but not on a page, the
// colour dialog's Cancel, capture, the four bulk removals, and fonts written to the options file.
#include "ArrangeFixture.h"

#include "board/OptionsFile.h"
#include "editing/BoardColors.h"

#include <QFont>

namespace {

class ColorsFontsTest : public ArrangeFixture
{
protected:
    BoardColors& Colors() { return arranging->Colors; }
};

} // namespace

TEST(ReservedColorTest, StateColoursAreReservedByTheirLow24Bits)
{
    for (TColor c : {clBlack, clRed, clLime, clYellow, clTeal, clFuchsia, clAqua, TForm1::CuedColor,
                     static_cast<TColor>(0x00FF9B37)}) {
        EXPECT_TRUE(IsReservedSoundColor(c)) << c;
    }
    for (TColor c : {clBtnFace, clScrollBar, clWhite, clNavy, static_cast<TColor>(0x00FF9B38)}) {
        EXPECT_FALSE(IsReservedSoundColor(c)) << c;
    }
}

TEST_F(ColorsFontsTest, ASoundRefusesReservedColoursThatAPageAccepts)
{
    StartArrange();
    Fill(1, 1, 2, QStringLiteral("Horn"));
    board.ButtonCustomColor[1][1][2] = 0x00010203;
    Show(1);
    for (TColor reserved : {clRed, clLime, clYellow, clAqua, clFuchsia, clBlack, clTeal, TForm1::CuedColor}) {
        dialogs.Reset();
        Target(1, 1, 2);
        dialogs.QueueColor(reserved);
        Colors().SetButtonColor1Click();
        EXPECT_EQ(Boxes(), QStringList{BoardColors::ReservedColorText}) << reserved;
        EXPECT_EQ(board.ButtonCustomColor[1][1][2], 0x00010203);

        Target(1, 3);
        dialogs.QueueColor(reserved);
        Colors().SetButtonColor2Click();
        EXPECT_EQ(board.PageColor[1][3], reserved);
        EXPECT_EQ(FaceOf(form->PageButtons[3]), reserved);
        EXPECT_EQ(settings.LastSoundButtonColor, reserved);
    }
}

TEST_F(ColorsFontsTest, SetColourPaintsTheSlotAndCancelChangesNothing)
{
    StartArrange();
    Fill(1, 1, 2, QStringLiteral("Horn"));
    Show(1);
    settings.LastSoundButtonColor = 0x00334455;
    Target(1, 1, 2);
    Colors().SetButtonColor1Click(); // cancelled (nothing queued)
    EXPECT_EQ(board.ButtonCustomColor[1][1][2], 0x00102032);
    EXPECT_FALSE(board.BoardChanged);

    dialogs.QueueColor(0x00665544);
    Colors().SetButtonColor1Click();
    EXPECT_EQ(board.ButtonCustomColor[1][1][2], 0x00665544);
    EXPECT_EQ(Panel(2), 0x00665544);
    EXPECT_EQ(settings.LastSoundButtonColor, 0x00665544);
    EXPECT_TRUE(board.BoardChanged);

    // A played button keeps showing red; its own colour waits underneath.
    board.ButtonState[1][1][2] = bstPlayed;
    form->LoadButtons();
    dialogs.QueueColor(0x00778899);
    Colors().SetButtonColor1Click();
    EXPECT_EQ(board.ButtonCustomColor[1][1][2], 0x00778899);
    EXPECT_EQ(Panel(2), clRed);
}

TEST_F(ColorsFontsTest, CaptureFromARedSlotGivesRedWhichASoundThenRefuses)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Played"));
    board.ButtonState[1][1][1] = bstPlayed;
    Fill(1, 1, 2, QStringLiteral("Custom"));
    Show(1);
    Target(1, 1, 1);
    Colors().CaptureButtonColor1Click();
    EXPECT_EQ(settings.LastSoundButtonColor, clRed);
    Target(1, 1, 2);
    Colors().CaptureButtonColor1Click();
    EXPECT_EQ(settings.LastSoundButtonColor, 0x00102032);
    Target(1, 2);
    Colors().CaptureButtonColor2Click();
    EXPECT_EQ(settings.LastSoundButtonColor, 0x00445566);
    Colors().C1Click();
    EXPECT_EQ(settings.LastSoundButtonColor, clBtnFace);

    settings.LastSoundButtonColor = clRed;
    Target(1, 1, 2);
    dialogs.QueueColor(clRed);
    Colors().SetButtonColor1Click();
    EXPECT_EQ(Boxes(), QStringList{BoardColors::ReservedColorText});
}

TEST_F(ColorsFontsTest, TheCuePageColourIsStoredWithoutPaintingAPageButton)
{
    StartArrange();
    Show(1);
    std::array<TColor, 19> faces{};
    for (int p = 1; p <= 18; ++p) {
        faces[static_cast<std::size_t>(p)] = FaceOf(form->PageButtons[static_cast<std::size_t>(p)]);
    }
    Target(4, 19);
    dialogs.QueueColor(0x00123456);
    Colors().SetButtonColor2Click();
    EXPECT_EQ(board.PageColor[4][19], 0x00123456);
    for (int p = 1; p <= 18; ++p) {
        EXPECT_EQ(FaceOf(form->PageButtons[static_cast<std::size_t>(p)]), faces[static_cast<std::size_t>(p)])
            << p;
    }
}

TEST_F(ColorsFontsTest, BulkRemovalsAskAndClearOnlyTheirScope)
{
    StartArrange();
    settings.Tracer = true;
    Fill(1, 1, 1, QStringLiteral("a"));
    Fill(1, 2, 1, QStringLiteral("b"));
    Fill(4, 19, 1, QStringLiteral("cue"));
    board.PageColor[2][3] = 0x00111111;
    Show(1);

    dialogs.QueueResult(mrNo);
    arranging->RemoveSoundButtonCustomColorsforthisPageONLY1->trigger();
    EXPECT_NE(board.ButtonCustomColor[1][1][1], 0);

    dialogs.QueueResult(mrYes);
    arranging->RemoveSoundButtonCustomColorsforthisPageONLY1->trigger();
    EXPECT_EQ(board.ButtonCustomColor[1][1][1], 0);
    EXPECT_NE(board.ButtonCustomColor[1][2][1], 0);
    EXPECT_NE(board.ButtonCustomColor[4][19][1], 0);
    EXPECT_TRUE(board.BoardChanged);

    dialogs.QueueResult(mrYes);
    arranging->RemoveAllSoundButtonCustomColors1->trigger();
    EXPECT_EQ(board.ButtonCustomColor[1][2][1], 0);
    EXPECT_EQ(board.ButtonCustomColor[4][19][1], 0);

    dialogs.QueueResult(mrYes);
    arranging->RemovePageButtonCustomColorsforthisGroupONLY1->trigger();
    EXPECT_EQ(board.PageColor[1][2], 0);
    EXPECT_EQ(board.PageColor[2][3], 0x00111111);
    dialogs.QueueResult(mrYes);
    arranging->RemoveAllPageButtonCustomColors1->trigger();
    EXPECT_EQ(board.PageColor[2][3], 0);

    EXPECT_EQ(Boxes(), QStringList({QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY?"),
                                    QStringLiteral("Remove Sound Button Custom Colors for this Page ONLY?"),
                                    QStringLiteral("Remove All Sound Button Custom Colors?"),
                                    QStringLiteral("Remove Page Button Custom Colors for this Group ONLY?"),
                                    QStringLiteral("Remove All Page Button Custom Colors?")}));
    const QByteArray trace = ReadBytes(PathOf(QStringLiteral("Tracer.txt")));
    EXPECT_TRUE(trace.contains("Remove Sound Button Custom Colors for this Page ONLY!"));
    EXPECT_TRUE(trace.contains("Remove Page Button Custom Colors for this Group ONLY!"));
    EXPECT_EQ(trace.count("Remove All Sound Button Custom Colors"), 1);
}

TEST_F(ColorsFontsTest, SoundFontsComeFromTheFontAndColourStepsAndReachTheOptionsFile)
{
    StartArrange();
    Fill(1, 1, 1, QStringLiteral("Horn"));
    board.ButtonState[1][1][2] = bstPlaceMarker;
    board.ButtonCaption[1][1][2] = QStringLiteral("Marker");
    Show(1);
    Target(1, 1, 1);
    dialogs.QueueFont(FontChoice{QStringLiteral("DejaVu Serif"), 14, fsBold | fsUnderline, clBlack});
    dialogs.QueueColor(clNavy);
    Colors().ChangeSoundFonts1Click();
    EXPECT_EQ(settings.Sound1FontName, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(settings.Sound1FontSize, 14);
    EXPECT_EQ(settings.Sound1FontColor, clNavy);
    EXPECT_EQ(form->ButtonMemos[1]->font().pointSize(), 14);
    EXPECT_TRUE(form->ButtonMemos[1]->font().bold());
    EXPECT_EQ(form->ButtonMemos[1]->FontColor(), clNavy);
    EXPECT_EQ(form->ButtonMemos[2]->FontColor(), clWhite);

    const QByteArray options = ReadBytes(PathOf(QStringLiteral("RBX.inf")));
    EXPECT_TRUE(options.contains("Sound1FontName=DejaVu Serif")) << options.toStdString();
    EXPECT_TRUE(options.contains("Sound1FontSize=14"));
    EXPECT_TRUE(options.contains("Sound1FontStyle=fsBold fsUnderline "));
    Settings reread;
    Tracer quietTracer(folder, reread, clock, dialogs);
    OptionsFile(folder, reread, quietTracer, dialogs).ReadOptions();
    EXPECT_EQ(reread.Sound1FontName, QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(reread.Sound1FontStyle, fsBold | fsUnderline);
    EXPECT_EQ(reread.Sound1FontColor, clNavy);
}

TEST_F(ColorsFontsTest, PageFontsRepaintNamedAndBlankButtonsAndCancelKeepsThem)
{
    StartArrange();
    Show(1);
    Colors().PopupPageChangeFontClick(); // cancelled
    EXPECT_EQ(settings.PageFontSize, 8);
    dialogs.QueueFont(FontChoice{QStringLiteral("DejaVu Sans"), 11, fsItalic, clBlack});
    dialogs.QueueCancel(); // the colour step: the old colour stays
    settings.PageFontColor = clMaroon;
    Colors().PopupPageChangeFontClick();
    EXPECT_EQ(settings.PageFontStyle, fsItalic);
    EXPECT_EQ(settings.PageFontColor, clMaroon);
    EXPECT_TRUE(PageButton(1)->font().italic());
    EXPECT_EQ(FontColorOf(form->PageButtons[1]), clMaroon);
    EXPECT_EQ(PageButton(1)->toolTip(), QStringLiteral("Right Click to Modify Page"));
    EXPECT_EQ(PageButton(7)->text(), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(FontColorOf(form->PageButtons[7]), clSilver);
    EXPECT_TRUE(ReadBytes(PathOf(QStringLiteral("RBX.inf"))).contains("PageFontStyle=fsItalic "));
}
