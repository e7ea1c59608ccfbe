// Start-up of the real main window: set file from the command line, caption, page buttons,
// slots painted by state, hot-key and marker labels, page totals and the start-up questions.
#include "MainFormFixture.h"

#include "board/MainFormButtons.h"
#include "controls/ClickLabel.h"
#include "controls/ColorPanel.h"
#include "platform/HintHidePause.h"

#include <QLabel>
#include <QPushButton>

namespace {

class MainFormStartTest : public MainFormFixture
{
protected:
    void StartWithSample()
    {
        WriteText(PathOf(QStringLiteral("RBX.inf")),
                  "[Main]\r\nAutoOpen=" + PathOf(QStringLiteral("Other.set")).toUtf8() + "\r\n");
        MainFormFixture::StartWithSample();
    }

    TColor PanelColor(int slot) const { return form->ButtonPanels[static_cast<std::size_t>(slot)]->Color(); }
    QString PageCaption(int page) const
    {
        return AsPushButton(form->PageButtons[static_cast<std::size_t>(page)])->text();
    }
};

} // namespace

TEST_F(MainFormStartTest, OneParameterNamesTheSetFileAndTheCaptionShowsIt)
{
    StartWithSample();
    EXPECT_EQ(board.SetFileName, setPath);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Rallybox - Version 7.0.03     ") + setPath);
    EXPECT_EQ(haltCode, -1);
    EXPECT_EQ(devicesTried, std::vector<int>{1});
}

TEST_F(MainFormStartTest, TwoParametersAreIgnoredInFavourOfTheOptionsFile)
{
    setPath = PathOf(QStringLiteral("Game.set"));
    WriteText(setPath, SampleSet);
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nAutoOpen=" + setPath.toUtf8() + "\r\n");
    Start({PathOf(QStringLiteral("a.set")), PathOf(QStringLiteral("b.set"))});
    EXPECT_EQ(board.SetFileName, setPath);
    EXPECT_EQ(PageCaption(1), QStringLiteral("Warmup"));
}

TEST_F(MainFormStartTest, PageButtonsShowNamesAndBlankPagesAndTheStartPageIsActive)
{
    StartWithSample();
    EXPECT_EQ(PageCaption(1), QStringLiteral("Warmup"));
    EXPECT_EQ(PageCaption(2), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(PageCaption(3), QStringLiteral("Anthems"));
    EXPECT_EQ(FontColorOf(form->PageButtons[2]), clSilver);
    EXPECT_EQ(AsPushButton(form->PageButtons[2])->toolTip(), QStringLiteral("Right Click to Add Page"));
    EXPECT_EQ(AsPushButton(form->PageButtons[3])->toolTip(), QStringLiteral("Right Click to Modify Page"));
    EXPECT_EQ(FaceOf(form->PageButtons[1]), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->PageButtons[3]), settings.ButtonColor);
    EXPECT_EQ(FaceOf(form->GroupButtons[1]), settings.ActiveButtonColor);
    EXPECT_EQ(FaceOf(form->GroupButtons[2]), settings.ButtonColor);
    EXPECT_EQ(form->lblGroup->text(), QStringLiteral("Group - A"));
    EXPECT_EQ(form->lblPage->text(), QStringLiteral("Warmup"));
    // The page is on the play list, so play-list mode is on and its button lit.
    EXPECT_TRUE(form->PlayListMode);
    EXPECT_EQ(FaceOf(form->PlayListButton), settings.ActiveButtonColor);
}

TEST_F(MainFormStartTest, SlotsShowCaptionsTimesMarkersAndHotKeyLabels)
{
    StartWithSample();
    EXPECT_EQ(form->ButtonMemos[1]->text(), QStringLiteral("Goal Horn"));
    EXPECT_EQ(form->ButtonMemos[2]->text(), QStringLiteral("Charge\nFanfare"));
    EXPECT_EQ(form->TimeLabels[1]->text(), QStringLiteral("00:05"));
    EXPECT_EQ(form->TimeLabels[5]->text(), QStringLiteral(" "));
    EXPECT_EQ(form->HotKeyLabels[1]->text(), QStringLiteral(" cQ "));
    EXPECT_EQ(form->HotKeyLabels[1]->toolTip(), QStringLiteral("Hot Key"));
    EXPECT_FALSE(form->HotKeyLabels[1]->isHidden());
    EXPECT_TRUE(form->HotKeyLabels[2]->isHidden());
    EXPECT_EQ(form->HotKeyLabels[1]->Color(), TForm1::DefaultEditModeColor);
    EXPECT_EQ(form->VolumeLabels[1]->text(), QStringLiteral(" v "));
    EXPECT_EQ(form->LoopLabels[1]->text(), QStringLiteral(" L "));
    EXPECT_EQ(form->CustomCueLabels[1]->text(), QStringLiteral(" c "));
    EXPECT_EQ(form->CustomCueLabels[1]->toolTip(), QStringLiteral("Custom Cue"));
    EXPECT_EQ(form->VolumeLabels[1]->Color(), settings.IndicatorColor);
    EXPECT_FALSE(form->VolumeLabels[1]->isHidden());
    EXPECT_TRUE(form->VolumeLabels[2]->isHidden());
    EXPECT_TRUE(form->LoopLabels[2]->isHidden());
    EXPECT_TRUE(form->CustomCueLabels[2]->isHidden());
    // A place marker without a file keeps its caption in white on black.
    EXPECT_EQ(form->ButtonMemos[4]->text(), QStringLiteral("Marker"));
    EXPECT_EQ(form->ButtonMemos[4]->FontColor(), clWhite);
}

TEST_F(MainFormStartTest, PanelsTakeTheColourOfTheirState)
{
    StartWithSample();
    EXPECT_EQ(PanelColor(1), clBtnFace);
    EXPECT_EQ(PanelColor(2), clRed);
    EXPECT_EQ(PanelColor(3), clYellow);
    EXPECT_EQ(PanelColor(4), clBlack);
    EXPECT_EQ(PanelColor(5), clTeal);
    EXPECT_EQ(PanelColor(6), static_cast<TColor>(0x00123456));

    const int g = 1;
    const int p = 1;
    const std::vector<std::pair<int, TColor>> byState{
        {bstPlaying, clLime},        {bstHighlightedPlaying, clLime},
        {bstHighlighted, clAqua},    {bstHighlightedPlayed, clRed},
        {bstFileMissing, clFuchsia}, {bstCued, TForm1::CuedColor},
        {bstNeutral, clBtnFace},     {10, clBtnFace}};
    for (const auto& [state, colour] : byState) {
        board.ButtonState[g][p][1] = state;
        form->LoadButtons();
        EXPECT_EQ(PanelColor(1), colour) << "state " << state;
    }
    // A slot without caption in a state other than 1 keeps the colour its panel had.
    board.ButtonState[g][p][5] = bstPlayed;
    form->ButtonPanels[5]->SetColor(clGreen);
    form->LoadButtons();
    EXPECT_EQ(PanelColor(5), clRed);
    board.ButtonState[g][p][5] = bstNeutral;
    form->ButtonPanels[5]->SetColor(clGreen);
    form->LoadButtons();
    EXPECT_EQ(PanelColor(5), clGreen);
}

TEST_F(MainFormStartTest, PanelsAreDrawnInTheirColour)
{
    StartWithSample();
    form->show();
    const QImage played = form->ButtonPanels[2]->grab().toImage();
    const QImage locked = form->ButtonPanels[3]->grab().toImage();
    const QPoint inside(played.width() - 4, played.height() / 2);
    EXPECT_EQ(played.pixelColor(inside), QColor(255, 0, 0));
    EXPECT_EQ(locked.pixelColor(inside), QColor(255, 255, 0));
}

TEST_F(MainFormStartTest, PageTotalsLeaveOutLockedButtonsAndSlotsWithoutFile)
{
    StartWithSample();
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("3 Sounds (01:15)"));
    form->ProcessPageButton(3);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("1 Sounds (1:02:05)"));
    board.PageName[1][2] = QStringLiteral("Quiet");
    form->ProcessGroupButton(1);
    form->ProcessPageButton(2);
    EXPECT_EQ(form->LabelPageTotals->text(), QStringLiteral("0 Sounds (00:00)"));
}

TEST_F(MainFormStartTest, BroadcastKeysReplaceHotKeysExceptOnLockedSlots)
{
    StartWithSample();
    settings.BroadcastKeys = true;
    board.ButtonCaption[1][1][16] = QStringLiteral("Sixteen");
    board.ButtonFile[1][1][16] = QStringLiteral("/music/16.wav");
    board.ButtonCaption[1][1][36] = QStringLiteral("Thirty-six");
    board.ButtonFile[1][1][36] = QStringLiteral("/music/36.wav");
    form->LoadButtons();
    EXPECT_EQ(form->HotKeyLabels[16]->text(), QStringLiteral(" Q "));
    EXPECT_EQ(form->HotKeyLabels[16]->toolTip(), QStringLiteral("Q"));
    EXPECT_EQ(form->HotKeyLabels[36]->text(), QStringLiteral(" F1 "));
    EXPECT_EQ(form->HotKeyLabels[1]->text(), QStringLiteral(" A "));
    EXPECT_EQ(form->HotKeyLabels[1]->Color(), clWhite);
    EXPECT_TRUE(form->HotKeyLabels[3]->isHidden());
    EXPECT_TRUE(form->HotKeyLabels[4]->isHidden());
    EXPECT_TRUE(form->HotKeyLabels[5]->isHidden());
}

TEST_F(MainFormStartTest, TracerQuestionAndLowVolumeWarningUseTheirExactTexts)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nTracer=YES\r\nIndividualVolume=12\r\n");
    dialogs.QueueResult(mrYes);
    Start();
    ASSERT_GE(dialogs.Calls().size(), 2u);
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("RALLYBOX:\r \rThe Activate Tracer option in Rallybox is "
                             "\"On\".\r \rDo you want to turn it \"Off\"?"));
    EXPECT_FALSE(settings.Tracer);
    EXPECT_EQ(
        dialogs.Calls()[1].text,
        QStringLiteral("Individual Default Volume Setting is:  12\rThis will result in low sound output\r \r"
                       "Correct Individual Default Volume setting in Setup/Options - Volume Tab\r"
                       "Recommended setting is:  75"));
    EXPECT_EQ(dialogs.Calls()[1].type, mtWarning);
    // The options were read with the trace on; from the answer on nothing more is traced.
    EXPECT_FALSE(ReadBytes(PathOf(QStringLiteral("Tracer.txt"))).contains("Profile A"));
    EXPECT_FALSE(ReadBytes(PathOf(QStringLiteral("Tracer.txt"))).contains("end of form create"));
}

TEST_F(MainFormStartTest, KeptTracerWritesTheStartUpLines)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nTracer=YES\r\n");
    dialogs.QueueResult(mrNo);
    Start();
    const QByteArray trace = ReadBytes(PathOf(QStringLiteral("Tracer.txt")));
    EXPECT_TRUE(trace.contains(" - Profile A\r\n"));
    EXPECT_TRUE(trace.contains(" - Bass Version Check\r\n"));
    EXPECT_TRUE(trace.contains(" - Group A Button Clicked\r\n"));
    EXPECT_TRUE(trace.contains(" - end of form create\r\n"));
    EXPECT_LT(trace.indexOf("Bass Version Check"), trace.indexOf("end of form create"));
}

TEST_F(MainFormStartTest, AFailingDeviceIsRetriedOnceAsDeviceOne)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nOutputDevice=3\r\n");
    failingDevices = {3};
    Start();
    EXPECT_EQ(devicesTried, (std::vector<int>{3, 1}));
    EXPECT_EQ(settings.OutputDevice, 1);
    EXPECT_EQ(haltCode, -1);
}

TEST_F(MainFormStartTest, ADeviceOneFailureEndsTheProgramWithItsMessage)
{
    failingDevices = {1};
    Start();
    EXPECT_EQ(haltCode, 1);
    EXPECT_TRUE(
        dialogs.Texts().contains(QStringLiteral("BASS Initialization failed...Rallybox is Aborting")));
    EXPECT_EQ(devicesTried, std::vector<int>{1});
}

TEST_F(MainFormStartTest, MultiUserStartsOnABlankBoardNamedBlankfile)
{
    WriteText(PathOf(QStringLiteral("blankfile.set")), SampleSet);
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nMultiUser=YES\r\n");
    Start();
    EXPECT_EQ(board.SetFileName, PathOf(QStringLiteral("blankfile.set")));
    EXPECT_TRUE(Board::IsBlank(board.PageName[1][1]));
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[1][1][1]));
    EXPECT_EQ(PageCaption(1), QStringLiteral("(Blank Page)"));
    EXPECT_EQ(PanelColor(1), clTeal);
    EXPECT_EQ(form->ButtonMemos[1]->text(), QString());
}

TEST_F(MainFormStartTest, StopPlayListMarksThePlayListButtonAndNoteTimeSetsTheHintTime)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nStopPlayList=YES\r\nNoteTime=4.5\r\n");
    MainFormFixture::StartWithSample();
    EXPECT_EQ(AsPushButton(form->PlayListButton)->text(), QStringLiteral("*Play List*"));
    EXPECT_EQ(HintHidePause(), 4500);
}

TEST_F(MainFormStartTest, WithoutStopPlayListThePlayListButtonKeepsItsPlainCaption)
{
    WriteText(PathOf(QStringLiteral("RBX.inf")), "[Main]\r\nStopPlayList=NO\r\n");
    MainFormFixture::StartWithSample();
    EXPECT_EQ(AsPushButton(form->PlayListButton)->text(), QStringLiteral("Play List"));
    EXPECT_EQ(HintHidePause(), 2500);
}
