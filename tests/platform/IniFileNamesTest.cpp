#include "platform/IniFile.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <random>

namespace {

QString FromUcs4(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// Characters whose folding is easy to get wrong: capitals outside ASCII, the Kelvin sign and
// long s that fold into ASCII, sharp s, the three sigmas, dotted and dotless i, and letters
// beyond the basic plane (Deseret, Osage, Adlam) that take two UTF-16 units.
QStringList TrickyPieces()
{
    QStringList pieces{"a", "A", "k", "K", "s", "S", "i", "I", "1", " ", "-"};
    for (const char32_t c :
         {0x212AU, 0x017FU, 0x00DFU, 0x1E9EU, 0x03A3U, 0x03C3U, 0x03C2U, 0x0130U, 0x0131U, 0x00C4U, 0x00E4U,
          0xFF21U, 0xFF41U, 0x10400U, 0x10428U, 0x104B0U, 0x104D8U, 0x1E900U, 0x1E922U}) {
        pieces.append(FromUcs4(c));
    }
    return pieces;
}

} // namespace

TEST(IniFileNames, MatchExactlyWhenQtCaseFoldingMakesThemEqual)
{
    const QStringList pieces = TrickyPieces();
    std::mt19937 random(77);
    auto randomName = [&] {
        QString name;
        const int length = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) {
            name += pieces[static_cast<int>(random() % pieces.size())];
        }
        return name;
    };
    for (int round = 0; round < 3000; ++round) {
        const QString stored = randomName();
        // Half the time ask with a case variant of the stored name, else with any other name.
        const QString asked =
            round % 2 == 0 ? (round % 4 == 0 ? stored.toUpper() : stored.toLower()) : randomName();
        const bool same = stored.toCaseFolded() == asked.toCaseFolded();
        IniFile ini;
        ini.WriteString(stored, stored, "v");
        ASSERT_EQ(ini.ValueExists(asked, asked), same)
            << stored.toStdString() << " / " << asked.toStdString();
        ASSERT_EQ(ini.SectionExists(asked), same);
        ini.WriteString(asked, asked, "w");
        ASSERT_EQ(ini.ReadSections().size(), same ? 1 : 2);
        ASSERT_EQ(ini.ReadString(stored, stored, ""), same ? "w" : "v");
    }
}

TEST(IniFileNames, LettersBeyondTheBasicPlaneMatchTheirOtherCase)
{
    const QString capital = FromUcs4(0x10400); // DESERET CAPITAL LONG I
    const QString small = FromUcs4(0x10428);   // DESERET SMALL LONG I
    IniFile ini;
    ini.LoadFromBytes(("[Page" + capital + "]\r\nKey" + capital + "=1\r\n").toUtf8());
    EXPECT_EQ(ini.ReadString("page" + small, "KEY" + small, "x"), "1");
    ini.WriteString("PAGE" + small, "key" + small, "2");
    EXPECT_EQ(ini.ToBytes(), ("[Page" + capital + "]\r\nKey" + capital + "=2\r\n\r\n").toUtf8());
}

TEST(IniFileNames, FirstDuplicateSectionStillAnswersAfterAnEarlierSectionIsErased)
{
    IniFile ini;
    ini.LoadFromBytes("[Old]\r\nk=0\r\n[Page]\r\nk=first\r\n[Page]\r\nk=second\r\n");
    EXPECT_EQ(ini.ReadString("Page", "k", ""), "first");
    ini.EraseSection("Old");
    EXPECT_EQ(ini.ReadString("Page", "k", ""), "first");
    ini.WriteString("Page", "k", "changed");
    EXPECT_EQ(ini.ReadSectionValues("Page"), QStringList{"k=changed"});
    ini.EraseSection("PAGE");
    EXPECT_EQ(ini.ReadString("Page", "k", ""), "second");
    ini.Clear();
    EXPECT_EQ(ini.ReadString("Page", "k", "gone"), "gone");
    ini.WriteString("Page", "k", "new");
    EXPECT_EQ(ini.ReadSections(), QStringList{"Page"});
}

TEST(IniFileNames, CopiesAnswerForThemselvesAndSharedKeysStaySeparate)
{
    IniFile original;
    original.LoadFromBytes("[A]\r\nCaption1=a\r\n[B]\r\nCaption1=b\r\n");
    EXPECT_EQ(original.ReadString("B", "Caption1", ""), "b");
    IniFile copy = original;
    copy.WriteString("A", "caption1", "changed");
    copy.EraseSection("B");
    EXPECT_EQ(copy.ReadString("A", "Caption1", ""), "changed");
    EXPECT_EQ(copy.ReadString("B", "Caption1", "none"), "none");
    EXPECT_EQ(original.ReadString("A", "Caption1", ""), "a");
    EXPECT_EQ(original.ReadString("B", "Caption1", ""), "b");
    original = copy;
    EXPECT_EQ(original.ReadSections(), QStringList{"A"});
}

TEST(IniFileNames, EqualsSignIsFoundAnewOnEveryLine)
{
    IniFile ini;
    ini.LoadFromBytes("[S]\r\nplain line\r\nkey=v=w\r\n=no name\r\n  x  = y \n[a=b]\nz=1");
    EXPECT_EQ(ini.ReadSectionValues("S"), (QStringList{"plain line", "key=v=w", "=no name", "x= y "}));
    EXPECT_EQ(ini.ReadSection("S"), (QStringList{"key", "", "x"}));
    EXPECT_EQ(ini.ReadString("a=b", "z", ""), "1");
}

TEST(IniFileNames, BytesWrittenAreTheLinesJoinedWithCrLf)
{
    IniFile ini;
    ini.LoadFromBytes("[Loaded]\r\nno separator\r\nk=v\r\n");
    ini.WriteString("Loaded", "Empty", "");
    ini.WriteString("Loaded", "Null", QString());
    ini.WriteString("Page", "Caption", "two\r\nlines\rand\nmore");
    ini.WriteString("Page", QString::fromUtf8("G\xC3\xA4ste"), FromUcs4(0x1F3C6) + " Pokal");
    ini.WriteString("", "", "");
    QByteArray joined;
    for (const QString& line : ini.GetStrings()) {
        joined += line.toUtf8() + "\r\n";
    }
    EXPECT_EQ(ini.ToBytes(), joined);
    EXPECT_TRUE(joined.contains("Caption=two  lines and more\r\n"));
}

TEST(IniFileNames, IntegerTextEdgeCasesFollowTheClassLibrary)
{
    struct Case
    {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {{"+5", true, 5},
                          {"-$1", true, -1},
                          {"0X1f", true, 31},
                          {"  -0x80000000", true, -2147483647 - 1},
                          {"$100000000", false, 0},
                          {"2147483648", false, 0},
                          {"0x", false, 0},
                          {"$", false, 0},
                          {"-", false, 0},
                          {"+-5", false, 0},
                          {"\xD9\xA3", false, 0},     // ARABIC-INDIC DIGIT THREE
                          {"\xEF\xBC\x91", false, 0}, // FULLWIDTH DIGIT ONE
                          {"$fG", false, 0},
                          {"\t7", false, 0}};
    for (const Case& c : cases) {
        int value = 12345;
        EXPECT_EQ(IniFile::TryParseInteger(QString::fromUtf8(c.text), value), c.ok) << c.text;
        EXPECT_EQ(value, c.ok ? c.value : 12345) << c.text;
    }
}
