#include "GTSize32TestWindow.h"

#include <QApplication>
#include <QLabel>

namespace {

TEST(GTSize32Capture, ClientIsFittedToTheControlsPlusTheDesignMarginsScaledToTheScreen)
{
    GTSize32TestWindow sameScreen;
    sameScreen.GTForm1->FormCreate();
    EXPECT_EQ(sameScreen.size(), QSize(400, 320)); // 392 + 8, 310 + 10

    GTSize32TestWindow doubleScreen(QSize(3840, 2160));
    doubleScreen.GTForm1->FormCreate();
    EXPECT_EQ(doubleScreen.size(), QSize(408, 330)); // margins doubled, controls unchanged
    EXPECT_EQ(doubleScreen.button->geometry(), QRect(10, 10, 100, 30));
}

TEST(GTSize32Capture, UnreadableOrZeroDesignStringsNeverDivideByZero)
{
    GTSize32TestWindow zeroScreen;
    zeroScreen.GTForm1->SetGTDesignW(QStringLiteral("0-5"));
    zeroScreen.GTForm1->SetGTDesignH(QStringLiteral("1080"));
    zeroScreen.GTForm1->FormCreate();
    // A zero screen counts as the present one (margin 5 kept); a missing margin keeps the
    // measured one (320 - 310).
    EXPECT_EQ(zeroScreen.size(), QSize(397, 320));

    GTSize32TestWindow empty;
    empty.GTForm1->SetGTDesignW(QString());
    empty.GTForm1->SetGTDesignH(QStringLiteral("junk-"));
    empty.GTForm1->FormCreate();
    EXPECT_EQ(empty.size(), QSize(400, 320));
}

TEST(GTSize32Capture, DesignStringsKeepAtMostFifteenCharacters)
{
    GTSize32TestWindow w;
    w.GTForm1->SetGTDesignW(QStringLiteral("1920-8 and a long tail"));
    EXPECT_EQ(w.GTForm1->GTDesignW(), QStringLiteral("1920-8 and a lo"));
}

TEST(GTSize32Capture, CreateHandlerSeesTheFittedClientAndWhatItLeavesIsCaptured)
{
    GTSize32TestWindow w(QSize(3840, 2160));
    QSize seen;
    w.GTForm1->GTOnCreate = [&](QWidget* sender) {
        seen = sender->size();
        w.button->setGeometry(30, 40, 90, 20);
        w.plain->hide();
    };
    w.GTForm1->FormCreate();
    EXPECT_EQ(seen, QSize(408, 330));
    w.ShowActive();
    w.resize(510, 330);
    QApplication::processEvents();
    ASSERT_NE(w.button->geometry(), QRect(30, 40, 90, 20));
    w.GTForm1->RestoreDesignLayout();
    EXPECT_EQ(w.button->geometry(), QRect(30, 40, 90, 20));
    EXPECT_TRUE(w.plain->isHidden());
}

TEST(GTSize32Capture, EveryComponentHasAnEntryAndNonControlsKeepAnAllZeroOne)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    const std::vector<Objs>& layout = w.GTForm1->Layout();
    ASSERT_EQ(layout.size(), 6u); // the window, then button, timer, plain, panel, inner
    EXPECT_EQ(layout[0].Right, 400);
    EXPECT_EQ(layout[0].Bottom, 320);
    EXPECT_EQ(layout[0].FontHeight, 11);
    EXPECT_EQ(layout[1].Component, w.button);
    EXPECT_EQ(layout[1].Left, 10);
    EXPECT_EQ(layout[1].Bottom, 40);
    EXPECT_EQ(layout[1].FontHeight, 12);
    EXPECT_EQ(layout[2].Component, w.timer);
    EXPECT_EQ(layout[2].Left | layout[2].Top | layout[2].Right | layout[2].Bottom | layout[2].FontHeight, 0);
    EXPECT_EQ(layout[3].Component, w.plain);
    EXPECT_EQ(layout[3].FontHeight, 0); // follows its parent's font
    EXPECT_EQ(layout[5].Component, w.inner);
    EXPECT_EQ(layout[5].Right, 48);
    EXPECT_DOUBLE_EQ(w.GTForm1->AspectRatio(), 0.8);
}

TEST(GTSize32Capture, InnerPartsOfCompoundWidgetsAreNotComponents)
{
    GTSize32TestWindow w;
    auto* label = new QLabel(QStringLiteral("Name"), &w);
    label->setGeometry(10, 200, 60, 20);
    w.GTForm1->FormCreate();
    EXPECT_EQ(w.GTForm1->Layout().size(), 7u);
    EXPECT_EQ(w.GTForm1->Layout().back().Component, label);
}

TEST(GTSize32Capture, ControlsAddedAfterCreateAreLeftAloneByRestore)
{
    GTSize32TestWindow w;
    w.GTForm1->FormCreate();
    w.ShowActive();
    auto* late = new QPushButton(QStringLiteral("Late"), &w);
    late->setGeometry(5, 5, 20, 20);
    late->show();
    w.resize(500, 320);
    QApplication::processEvents();
    const QRect scaled = late->geometry();
    EXPECT_EQ(scaled, QRect(6, 6, 25, 25)); // edges 6.25, 31.25, 6.25, 31.25
    delete late;
    w.GTForm1->RestoreDesignLayout();
    EXPECT_EQ(w.button->geometry(), QRect(10, 10, 100, 30));
}

} // namespace
