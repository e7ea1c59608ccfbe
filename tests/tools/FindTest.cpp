// Find: the search over the whole board, the results grid, and Play It, Close and Cue It through
// the main window's Find button.
#include "ToolsFixture.h"

#include "board/MainForm.h"
#include "tools/FindCriteriaWindow.h"
#include "tools/StringGrid.h"
#include "tools/TformFind.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

class FindTest : public ToolsFixture
{
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        Start(Page("Page1", "Warmup", "c1=Horn\r\ns1=" + sound.toUtf8() + "\r\nt1=00:03\r\n"));
        results = new TformFind(form.get());
        specs = new TFormFindSpecs(form.get());
        specs->SetResultsWindow(results);
        Put(1, 1, 2, QStringLiteral("Goal BELL"), QString());
        Put(1, 3, 7, QStringLiteral("bell ringer"), QStringLiteral("second period"));
        Put(2, 2, 5, QStringLiteral("Crowd"), QStringLiteral("ring the Bell twice"));
        board.PageName[1][3] = QStringLiteral("Anthems");
        board.PageName[2][2] = QStringLiteral("Crowd Noise");
    }

    void Put(int g, int p, int b, const QString& caption, const QString& note)
    {
        board.ButtonCaption[g][p][b] = caption;
        board.ButtonNote[g][p][b] = note;
        board.ButtonFile[g][p][b] = sound;
        board.ButtonTime[g][p][b] = QStringLiteral("00:03");
    }

    // Searches as the operator does in the find dialog; the results window answers through
    // `answer` (called on it after it is filled) instead of waiting.
    int Search(const QString& text, QRadioButton* scope, bool matchCase, const std::function<void()>& answer)
    {
        specs->setResult(0);
        specs->FormActivate();
        specs->FindText->setText(text);
        scope->setChecked(true);
        specs->MatchCaseCheckBox->setChecked(matchCase);
        specs->ShowResults = [this, answer] {
            results->FormActivate();
            results->setResult(0);
            answer();
            return results->result();
        };
        specs->FindButtonClick();
        return specs->result();
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (int row = 1; row < results->StringGrid1->RowCount(); ++row) {
            captions << results->StringGrid1->Cell(3, row);
        }
        return captions;
    }

    TformFind* results = nullptr;
    TFormFindSpecs* specs = nullptr;
};

TEST_F(FindTest, WithoutMatchCaseEveryCaseOfTheWordIsFoundInBoardOrder)
{
    Search(QStringLiteral("bell"), specs->ButtonNotesRadioButton, false,
           [this] { results->NewFindButtonClick(); });
    EXPECT_EQ(Captions(), (QStringList{"Goal BELL", "bell ringer", "Crowd"}));
    EXPECT_EQ(results->MatchesFound->text(), QStringLiteral("3 Matches Found    "));
    EXPECT_EQ(results->windowTitle(), QStringLiteral(" Matches Found (Searched Buttons and Notes)"));
    EXPECT_EQ(results->SearchText->text(), QStringLiteral("bell"));
    const TStringGrid* grid = results->StringGrid1;
    EXPECT_EQ(grid->Cell(0, 0), QStringLiteral("Count"));
    EXPECT_EQ(grid->Cell(7, 0), QStringLiteral("nButton"));
    // No header is cut by its column's width.
    for (int col = 0; col < grid->ColCount(); ++col) {
        EXPECT_GE(grid->columnWidth(col), grid->horizontalHeader()->sectionSizeHint(col)) << col;
    }
    EXPECT_EQ((QStringList{grid->Cell(0, 3), grid->Cell(1, 3), grid->Cell(2, 3), grid->Cell(4, 3),
                           grid->Cell(5, 3), grid->Cell(6, 3), grid->Cell(7, 3)}),
              (QStringList{"#3", "B", "Crowd Noise", "ring the Bell twice", "2", "2", "5"}));
    EXPECT_EQ(selection.ListRowCount, 3);
    EXPECT_EQ(settings.FindScope, QStringLiteral("3"));
}

TEST_F(FindTest, MatchCaseAndScopeNarrowTheSearch)
{
    Search(QStringLiteral("bell"), specs->ButtonNotesRadioButton, true,
           [this] { results->NewFindButtonClick(); });
    EXPECT_EQ(Captions(), (QStringList{"bell ringer"}));
    Search(QStringLiteral("BELL"), specs->NotesRadioButton, false, [this] { results->NewFindButtonClick(); });
    EXPECT_EQ(Captions(), (QStringList{"Crowd"}));
    EXPECT_EQ(results->windowTitle(), QStringLiteral(" Matches Found (Searched Notes Only)"));
    Search(QStringLiteral("BELL"), specs->ButtonRadioButton, false,
           [this] { results->NewFindButtonClick(); });
    EXPECT_EQ(Captions(), (QStringList{"Goal BELL", "bell ringer"}));
    EXPECT_EQ(settings.FindScope, QStringLiteral("1"));
    // The next opening selects the scope searched last and starts with an empty text.
    specs->FormActivate();
    EXPECT_TRUE(specs->ButtonRadioButton->isChecked());
    EXPECT_TRUE(specs->FindText->text().isEmpty());
}

TEST_F(FindTest, NoMatchAndEmptyTextSayNoMatchesFound)
{
    bool shown = false;
    Search(QString(), specs->ButtonNotesRadioButton, false, [&] { shown = true; });
    Search(QStringLiteral("zebra"), specs->ButtonNotesRadioButton, false, [&] { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(dialogs.Texts(), (QStringList{"No Matches Found", "No Matches Found"}));
    EXPECT_EQ(specs->result(), 0); // the dialog stays open for another try
}

TEST_F(FindTest, PlayItSwitchesToTheMatchsPageAndPlaysIt)
{
    windows.FormFindSpecs = [this] {
        return Search(QStringLiteral("ringer"), specs->ButtonNotesRadioButton, false,
                      [this] { results->PlayItButtonClick(); });
    };
    AsPushButton(form->FindButton)->click();
    EXPECT_EQ(selection.CurrentGroup, 1);
    EXPECT_EQ(selection.CurrentPage, 3);
    EXPECT_EQ(board.ButtonState[1][3][7], bstPlaying);
    EXPECT_TRUE(form->Playing);
}

TEST_F(FindTest, CloseAndTitleBarPlayNothing)
{
    windows.FormFindSpecs = [this] {
        return Search(QStringLiteral("bell"), specs->ButtonNotesRadioButton, false, [this] {
            results->StringGrid1->SelectRow(2);
            results->StringGrid1KeyUp(); // moving sets the target ...
            results->CloseButtonClick(); // ... and Close clears it
        });
    };
    AsPushButton(form->FindButton)->click();
    EXPECT_EQ(specs->result(), 1);
    EXPECT_FALSE(form->Playing);
    EXPECT_EQ(selection.CurrentPage, 1);

    windows.FormFindSpecs = [this] {
        return Search(QStringLiteral("bell"), specs->ButtonNotesRadioButton, false,
                      [this] { results->reject(); });
    };
    AsPushButton(form->FindButton)->click();
    EXPECT_EQ(specs->result(), 1);
    EXPECT_EQ(selection.ListTargetButton, 0);
    EXPECT_FALSE(form->Playing);
}

TEST_F(FindTest, CueItAddsTheMatchToTheCueAndKeepsTheDialogOpen)
{
    const int result = Search(QStringLiteral("ringer"), specs->ButtonNotesRadioButton, false,
                              [this] { results->CueItButtonClick(); });
    EXPECT_EQ(results->result(), 6);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(board.ButtonState[1][3][7], bstCued);
    EXPECT_EQ(board.ButtonCaption[CueGroup][CuePage][1], QStringLiteral("bell ringer"));
    EXPECT_EQ(board.ButtonState[CueGroup][CuePage][1], bstUnplayed);
    EXPECT_EQ(board.ButtonNote[CueGroup][CuePage][1], QStringLiteral("second period"));
    EXPECT_EQ(board.CueOriginPage[1], 3);
    EXPECT_EQ(board.CueOriginButton[1], 7);
    EXPECT_TRUE(board.BoardChanged);
    EXPECT_EQ(selection.ListTargetButton, 0);
}

TEST_F(FindTest, CueItOnAFullCueOrAPlaceMarkerChangesNothing)
{
    for (int n = 1; n <= ButtonCount; ++n) {
        board.ButtonCaption[CueGroup][CuePage][n] = QStringLiteral("Cued %1").arg(n);
    }
    Search(QStringLiteral("ringer"), specs->ButtonNotesRadioButton, false,
           [this] { results->CueItButtonClick(); });
    EXPECT_EQ(dialogs.Texts(), (QStringList{QString::fromLatin1(CueFullText)}));
    EXPECT_EQ(board.ButtonState[1][3][7], bstUnplayed);

    board.ButtonCaption[CueGroup][CuePage][4] = QStringLiteral(" ");
    board.ButtonState[1][3][7] = bstPlaceMarker;
    Search(QStringLiteral("ringer"), specs->ButtonNotesRadioButton, false,
           [this] { results->CueItButtonClick(); });
    EXPECT_EQ(board.ButtonState[1][3][7], bstPlaceMarker);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][4]));
    // A refusal says why and leaves the results up for another choice.
    EXPECT_EQ(dialogs.Texts().last(), QString::fromLatin1(CuePlaceMarkerText));
    EXPECT_EQ(results->result(), 0);

    // A note found on a slot without a caption.
    Put(3, 1, 1, QStringLiteral(" "), QStringLiteral("whistle"));
    Search(QStringLiteral("whistle"), specs->NotesRadioButton, false,
           [this] { results->CueItButtonClick(); });
    EXPECT_EQ(dialogs.Texts().last(), QString::fromLatin1(CueNoCaptionText));
    EXPECT_EQ(results->result(), 0);
    EXPECT_TRUE(Board::IsBlank(board.ButtonCaption[CueGroup][CuePage][4]));
}

TEST_F(FindTest, TheRealModalWindowsPlayADoubleClickedRow)
{
    // Driven through the event loop as the operator does: the find dialog and the results window
    // are both shown modally; each step runs when the next window is up. A guard ends a stuck run.
    windows.FormFindSpecs = [this] { return specs->ShowModal(); };
    specs->SetResultsWindow(results);
    QTimer::singleShot(0, specs, [this] {
        specs->FindText->setText(QStringLiteral("Goal"));
        QTimer::singleShot(0, results, [this] { results->StringGrid1DblClick(); });
        specs->FindButton->click();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [this] {
        results->done(2);
        specs->done(1);
    });
    guard.start(5000);
    AsPushButton(form->FindButton)->click();
    EXPECT_TRUE(guard.isActive());
    EXPECT_EQ(board.ButtonState[1][1][2], bstPlaying);
}

TEST_F(FindTest, ClosingWithoutAChoiceWhileTheCueIsShownKeepsTheCueAndItsModes)
{
    board.PagePlay[CueGroup][CuePage] = QStringLiteral("T");
    board.PageShuffle[CueGroup][CuePage] = QStringLiteral("T");
    AsPushButton(form->PlayListButton)->setEnabled(true);
    SetFace(form->CueButton, settings.ActiveButtonColor);
    selection.CurrentGroup = CueGroup;
    selection.CurrentPage = CuePage;
    windows.FormFindSpecs = [this] {
        // Something on the way changes the page shown; the cue comes back afterwards.
        selection.CurrentGroup = 1;
        selection.CurrentPage = 1;
        return Search(QStringLiteral("bell"), specs->ButtonNotesRadioButton, false,
                      [this] { results->CloseButtonClick(); });
    };
    AsPushButton(form->FindButton)->click();
    EXPECT_EQ(selection.CurrentGroup, CueGroup);
    EXPECT_EQ(selection.CurrentPage, CuePage);
    EXPECT_TRUE(form->PlayListMode);
    EXPECT_TRUE(settings.Shuffle);
    EXPECT_EQ(FaceOf(form->ShuffleButton), settings.ActiveButtonColor);
    EXPECT_FALSE(form->Playing);
}
