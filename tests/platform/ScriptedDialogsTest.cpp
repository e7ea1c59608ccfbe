#include "platform/ScriptedDialogs.h"

#include "platform/QtDialogs.h"
#include <gtest/gtest.h>

TEST(ScriptedDialogs, RecordsExactTextsCaptionsAndQueuedAnswers)
{
    ScriptedDialogs dialogs;
    dialogs.QueueResult(mrYes);
    dialogs.QueueText("12345678");
    EXPECT_EQ(dialogs.MessageDlg("Exit Rallybox?", mtConfirmation, mbYesNo), mrYes);
    QString value = "old";
    EXPECT_TRUE(dialogs.InputQuery("Security", "Code:", value));
    EXPECT_EQ(value, "12345678");
    dialogs.ShowMessage("Error in UpdateINIFile\r ");

    ASSERT_EQ(dialogs.Calls().size(), 3u);
    const auto& first = dialogs.Calls()[0];
    EXPECT_EQ(first.kind, ScriptedDialogs::Kind::MessageDlg);
    EXPECT_EQ(first.text, "Exit Rallybox?");
    EXPECT_EQ(first.caption, "Confirm");
    EXPECT_EQ(first.type, mtConfirmation);
    EXPECT_EQ(first.buttons, mbYes | mbNo);
    EXPECT_FALSE(first.defaulted);
    EXPECT_EQ(dialogs.Calls()[1].caption, "Security");
    EXPECT_EQ(dialogs.Texts(), (QStringList{"Exit Rallybox?", "Code:", "Error in UpdateINIFile\r "}));
    EXPECT_EQ(dialogs.PendingAnswers(), 0);
}

TEST(ScriptedDialogs, EmptyQueueGivesTheDocumentedSafeDefaults)
{
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.MessageDlg("a", mtConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(dialogs.MessageDlg("b", mtWarning, mbOKCancel), mrCancel);
    EXPECT_EQ(dialogs.MessageDlg("c", mtConfirmation, mbYesNoCancel), mrCancel);
    EXPECT_EQ(dialogs.MessageDlg("d", mtError, mbOK), mrOk);
    QString value = "kept";
    EXPECT_FALSE(dialogs.InputQuery("cap", "prompt", value));
    EXPECT_EQ(value, "kept");
    EXPECT_EQ(dialogs.InputBox("cap", "prompt", "fallback"), "fallback");
    QString file = "none";
    EXPECT_FALSE(dialogs.OpenFileDialog({"Open Set", "Set Files (*.set)|*.set", "/tmp", "", "set"}, file));
    EXPECT_EQ(file, "none");
    TColor color = clRed;
    EXPECT_FALSE(dialogs.ColorDialog(color));
    EXPECT_EQ(color, clRed);
    for (const auto& call : dialogs.Calls()) {
        EXPECT_TRUE(call.defaulted) << call.text.toStdString();
    }
    EXPECT_EQ(dialogs.Calls()[3].caption, "Error");
    EXPECT_EQ(dialogs.Calls()[6].caption, "Open Set");
}

TEST(ScriptedDialogs, CancelAndDialogAnswersAreAppliedInOrder)
{
    ScriptedDialogs dialogs;
    dialogs.QueueCancel();
    dialogs.QueueFileName("/tmp/x.set");
    dialogs.QueueColor(clLime);
    dialogs.QueueFont({"DejaVu Sans", 12, fsBold | fsItalic, clNavy});
    QString value = "kept";
    EXPECT_FALSE(dialogs.InputQuery("c", "p", value));
    EXPECT_EQ(value, "kept");
    QString file;
    EXPECT_TRUE(dialogs.SaveFileDialog({}, file));
    EXPECT_EQ(file, "/tmp/x.set");
    TColor color = clRed;
    EXPECT_TRUE(dialogs.ColorDialog(color));
    EXPECT_EQ(color, clLime);
    FontChoice font;
    EXPECT_TRUE(dialogs.FontDialog(font));
    EXPECT_EQ(font.Name, "DejaVu Sans");
    EXPECT_EQ(font.Style, fsBold | fsItalic);
    EXPECT_FALSE(dialogs.Calls()[0].defaulted);
    EXPECT_EQ(dialogs.Calls()[0].result, mrCancel);
}

TEST(ScriptedDialogs, InstalledDialogsAnswerForTheProcessWithinAScope)
{
    ScriptedDialogs dialogs;
    EXPECT_EQ(InstalledDialogs(), nullptr);
    {
        ScopedDialogs scope(dialogs);
        EXPECT_EQ(InstalledDialogs(), &dialogs);
    }
    EXPECT_EQ(InstalledDialogs(), nullptr);
}

TEST(MessageText, CarriageReturnShowsAsALineBreak)
{
    EXPECT_EQ(MessageTextForDisplay("Error in SaveBackup\r "), "Error in SaveBackup\n ");
    EXPECT_EQ(MessageTextForDisplay("a\r\nb\rc\nd"), "a\nb\nc\nd");
    EXPECT_EQ(MessageDlgCaption(mtWarning), "Warning");
    EXPECT_EQ(MessageDlgCaption(mtInformation), "Information");
}

TEST(MessageText, PipeFiltersBecomeQtFilters)
{
    EXPECT_EQ(QtFilterFromPipeFilter("Set Files (*.set)|*.set|All Files (*.*)|*.*"),
              "Set Files (*.set);;All Files (*.*)");
    EXPECT_EQ(QtFilterFromPipeFilter("Sounds|*.mp3;*.wav"), "Sounds (*.mp3 *.wav)");
}
