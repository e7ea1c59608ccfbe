// Printing the lists to a PDF file through the print dialogs (read back with pdftotext), and the
// duplicate check's grouping and counts.
#include "ToolsFixture.h"

#include "tools/DuplicateCheck.h"
#include "tools/ListPrinter.h"
#include "tools/StringGrid.h"
#include "tools/TButtonList.h"
#include "tools/TFormDuplicateList.h"
#include "tools/TFormHotKey.h"

#include <QLabel>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QtPrintSupport/QPrinter>

namespace {

// The PDF's text, one string per page.
QStringList PdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000)) {
        return {};
    }
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

} // namespace

class PrintAndDuplicatesTest : public ToolsFixture
{
protected:
    void SetUp() override
    {
        ToolsFixture::SetUp();
        Start();
        for (int p = 1; p <= 3; ++p) {
            board.PageName[1][p] = QStringLiteral("Page %1").arg(p);
        }
        pdf = folder + QStringLiteral("list.pdf");
    }

    void ToPdf(QPrinter& printer, QPageLayout::Orientation orientation)
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageOrientation(orientation);
    }

    void Put(int g, int p, int b, const QString& caption, const QString& file)
    {
        board.ButtonCaption[g][p][b] = caption;
        board.ButtonFile[g][p][b] = file;
    }

    QString pdf;
};

TEST_F(PrintAndDuplicatesTest, SixtyOneHotKeyRowsPrintAsTwoPagesWithTheirHeaders)
{
    // 59 buttons with hot keys and the two fixed rows make 61 rows: 60 on the first page.
    for (int n = 1; n <= 59; ++n) {
        const int page = n <= 48 ? 1 : 2;
        const int button = n <= 48 ? n : n - 48;
        Put(1, page, button, QStringLiteral("Sound %1").arg(n, 2, 10, QLatin1Char('0')), sound);
        board.ButtonHotKey[1][page][button] = QStringLiteral("2A");
    }
    auto* window = new TFormHotKey(form.get());
    ASSERT_TRUE(window->Prepare());
    ASSERT_EQ(window->Grid->RowCount(), 62);
    ToPdf(window->Printer(), QPageLayout::Portrait);

    window->PrintButtonClick(); // set-up cancelled: nothing printed
    EXPECT_FALSE(QFile::exists(pdf));

    dialogs.QueueAccept();
    dialogs.QueueAccept();
    window->PrintButtonClick();
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    const QString date = QLocale().toString(clock.Today(), QLocale::ShortFormat);
    // The text extractor spaces words by their positions, so blanks are compared as one.
    EXPECT_TRUE(pages[0].simplified().startsWith(
        date + QStringLiteral(" - Rallybox: Hot Key List in Group/Page Sequence Page 1")))
        << pages[0].left(300).toStdString();
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 1")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Page 2")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("<Pause> Button")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Sound 58")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("Sound 59")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Sound 59")));
    // The count column is not printed.
    EXPECT_FALSE(pages[0].contains(QStringLiteral("#1 ")));
}

TEST_F(PrintAndDuplicatesTest, SoundButtonPagesHoldFortyRowsInLandscapeAndFiftyEightInPortrait)
{
    for (int n = 1; n <= 41; ++n) {
        Put(1, 1 + (n - 1) / 48, 1 + (n - 1) % 48, QStringLiteral("Row %1").arg(n), sound);
    }
    auto* window = new TButtonList(form.get());
    ASSERT_TRUE(window->Prepare());
    ToPdf(window->Printer(), QPageLayout::Landscape);
    dialogs.QueueAccept();
    dialogs.QueueAccept();
    window->PrintButtonClick();
    QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[1].contains(QStringLiteral("Row 41")));
    EXPECT_FALSE(pages[1].contains(QStringLiteral("Row 40")));

    QFile::remove(pdf);
    ToPdf(window->Printer(), QPageLayout::Portrait);
    dialogs.QueueAccept();
    dialogs.QueueAccept();
    window->PrintButtonClick();
    pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Row 41")));
}

TEST_F(PrintAndDuplicatesTest, PrintedLinesPadAndCutEachField)
{
    const PrintLayout layout = HotKeyPrintLayout();
    const QString line = PrintLine({"#1", "Ctrl + Q", "A", "Warmup", QString(60, QLatin1Char('x'))}, layout);
    EXPECT_EQ(line.size(), 20 + 3 + 1 + 20 + 1 + 50);
    EXPECT_TRUE(line.startsWith(QStringLiteral("Ctrl + Q            A   Warmup              ")));
    EXPECT_TRUE(PrintHeader(QDate(2024, 3, 9), QStringLiteral("X"), 3)
                    .endsWith(QStringLiteral(" - Rallybox:  X") + QString(35, QLatin1Char(' ')) +
                              QStringLiteral("Page 3")));
    EXPECT_EQ(SoundButtonPrintLayout(true).lastLine, 42);
    EXPECT_EQ(SoundButtonPrintLayout(false).lastLine, 60);
}

TEST_F(PrintAndDuplicatesTest, DuplicatesAreGroupedWithSeparatorRowsAndCounted)
{
    // Paths x, x, y, y, z spread over the board, and a file "X" beside "x": another file here,
    // while a path written on Windows names one file in any letter case.
    Put(1, 3, 1, QStringLiteral("z one"), QStringLiteral("/m/z.wav"));
    Put(1, 1, 1, QStringLiteral("x one"), QStringLiteral("/m/x.wav"));
    Put(1, 1, 2, QStringLiteral("y one"), QStringLiteral("/m/y.wav"));
    Put(1, 2, 1, QStringLiteral("X other"), QStringLiteral("/m/X.wav"));
    Put(1, 2, 3, QStringLiteral("w one"), QStringLiteral("C:\\Music\\Horn.wav"));
    Put(1, 2, 4, QStringLiteral("w two"), QStringLiteral("c:\\music\\HORN.WAV"));
    Put(1, 2, 2, QStringLiteral("y two"), QStringLiteral("/m/y.wav"));
    Put(1, 3, 5, QStringLiteral("x three"), QStringLiteral("/m/x.wav"));
    Put(1, 3, 6, QStringLiteral("no file"), QStringLiteral(" "));
    Put(1, 3, 7, QStringLiteral("no file either"), QStringLiteral(" "));
    Put(2, 1, 1, QStringLiteral("unnamed page"), QStringLiteral("/m/z.wav"));
    auto* window = new TFormDuplicateList(form.get());
    ASSERT_TRUE(window->Prepare());
    EXPECT_EQ(window->SoundButtons->text(), QStringLiteral("10 Sound Buttons"));
    EXPECT_EQ(window->SortedLabel->text(), QStringLiteral("6 Duplicates Found"));
    EXPECT_EQ(window->DuplicateRowCount, 8);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Duplicate(s) Sound Button List"));
    const TStringGrid* grid = window->Grid;
    QStringList captions;
    for (int row = 1; row < grid->RowCount(); ++row) {
        captions << grid->Cell(4, row);
    }
    EXPECT_EQ(captions, (QStringList{"x one", "x three", " ", "y one", "y two", " ", "w one", "w two"}));
    EXPECT_EQ(grid->Rows()[2], DuplicateSeparatorRow());
    EXPECT_EQ(grid->Rows()[5], DuplicateSeparatorRow());
    EXPECT_EQ(grid->Cell(0, 5), QStringLiteral("#4"));
    EXPECT_EQ(grid->Cell(8, 2), QStringLiteral("5"));
    EXPECT_TRUE(window->PrintButton->isEnabled());

    ToPdf(window->Printer(), QPageLayout::Landscape);
    dialogs.QueueAccept();
    dialogs.QueueAccept();
    window->PrintButtonClick();
    const QStringList pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Duplicate(s) Sound Button List")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("x three")));
}

TEST_F(PrintAndDuplicatesTest, AllDifferentFilesStillOpenTheWindowWithNoDuplicates)
{
    Put(1, 1, 1, QStringLiteral("a"), QStringLiteral("/m/a.wav"));
    Put(1, 1, 2, QStringLiteral("b"), QStringLiteral("/m/b.wav"));
    auto* window = new TFormDuplicateList(form.get());
    ASSERT_TRUE(window->Prepare());
    EXPECT_EQ(window->SortedLabel->text(), QStringLiteral("0 Duplicates Found"));
    EXPECT_EQ(window->Grid->RowCount(), 1);

    board.EraseBoard();
    EXPECT_FALSE(window->Prepare());
    EXPECT_EQ(dialogs.Texts(), (QStringList{"NO Duplicate Sound Buttons Found"}));
}
