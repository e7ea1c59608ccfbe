// Block layout: exact bytes written, messages and warnings while reading.
#include "GifTestTools.h"

#include "gif/GifAppExtension.h"
#include "gif/GifError.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace GifTest;

namespace {

QByteArray Hex(const char* text)
{
    return QByteArray::fromHex(text);
}

TGIFSubImage& First(TGIFImage& picture)
{
    return *picture.Image(0);
}

} // namespace

TEST(GifStream, OnePixelPictureIsTheFortyOneByteFile)
{
    auto picture = MakePicture(1, 1, 3, {0});
    const QByteArray bytes = picture->SaveToBytes();
    // 3 colours go out as 4 entries (the last black) and the size field says 4.
    const QByteArray expected = QByteArray("GIF87a") +
                                Hex("0100010091"
                                    "0000") +
                                Hex("00ff00"
                                    "25fe0b"
                                    "4afd16"
                                    "000000") +
                                Hex("2c000000000100010000") + Hex("0202440100") + ";";
    EXPECT_EQ(bytes.size(), 41);
    EXPECT_EQ(bytes.toHex(), expected.toHex());

    TGIFImage reread;
    const TLoadResult result = Load(reread, bytes);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.isEmpty()) << result.Warnings.join('|').toStdString();
    ASSERT_EQ(reread.Count(), 1);
    EXPECT_EQ(reread.GlobalColorMap().Count(), 4);
    EXPECT_EQ(reread.Image(0)->Pixel(0, 0), 0);
}

TEST(GifStream, GraphicControlBlockIsByteExactAndMakesTheVersion89a)
{
    auto picture = MakePicture(1, 1, 2, {1});
    auto& gce = First(*picture).EnsureGraphicControlExtension();
    gce.SetDisposal(2);
    gce.SetDelay(300);
    gce.SetTransparentColorIndex(1);
    gce.SetTransparent(true);
    EXPECT_TRUE(First(*picture).Transparent());
    const QByteArray bytes = picture->SaveToBytes();
    EXPECT_TRUE(bytes.startsWith("GIF89a"));
    EXPECT_TRUE(bytes.contains(Hex("21f904092c010100"))) << bytes.toHex().toStdString();

    TGIFImage reread;
    ASSERT_TRUE(Load(reread, bytes).Error.isEmpty());
    TGIFSubImage& frame = First(reread);
    ASSERT_NE(frame.GraphicControlExtension(), nullptr);
    EXPECT_EQ(frame.Delay(), 300);
    EXPECT_EQ(frame.Disposal(), 2);
    EXPECT_EQ(frame.TransparentColorIndex(), 1);
    EXPECT_EQ(reread.SaveToBytes(), bytes);

    // Freeing the block takes the frame's transparency with it.
    frame.DeleteExtension(frame.GraphicControlExtension());
    EXPECT_FALSE(frame.Transparent());
    EXPECT_EQ(frame.GraphicControlExtension(), nullptr);
}

TEST(GifStream, TransparentIndexBeyondTheTableWarnsAndStoresZero)
{
    auto picture = MakePicture(1, 1, 2, {0});
    QStringList warnings;
    picture->OnWarning = [&](TGIFImage*, int, const QString& m) { warnings << m; };
    First(*picture).EnsureGraphicControlExtension().SetTransparentColorIndex(7);
    EXPECT_EQ(warnings, QStringList{"Invalid color index"});
    EXPECT_EQ(First(*picture).GraphicControlExtension()->TransparentColorIndex(), 0);
}

TEST(GifStream, LongCommentGoesOutInSubBlocksAndComesBackAsThreeStrings)
{
    auto picture = MakePicture(1, 1, 2, {0});
    auto comment = std::make_unique<TGIFCommentExtension>(&First(*picture));
    comment->Text = {QByteArray(600, 'x'), QByteArray()};
    First(*picture).AddExtension(std::move(comment));
    const QByteArray bytes = picture->SaveToBytes();
    const QByteArray block = Hex("21fe") + char(255) + QByteArray(255, 'x') + char(255) +
                             QByteArray(255, 'x') + char(90) + QByteArray(90, 'x') + '\0';
    EXPECT_TRUE(bytes.contains(block));

    TGIFImage reread;
    ASSERT_TRUE(Load(reread, bytes).Error.isEmpty());
    auto* read = dynamic_cast<TGIFCommentExtension*>(First(reread).Extensions().at(0).get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Text,
              (QList<QByteArray>{QByteArray(255, 'x'), QByteArray(255, 'x'), QByteArray(90, 'x')}));
}

TEST(GifStream, CommentBytesAreKeptRaw)
{
    auto picture = MakePicture(1, 1, 2, {0});
    auto comment = std::make_unique<TGIFCommentExtension>(&First(*picture));
    const QByteArray raw("\xff\x00\x80 caf\xe9", 9);
    comment->Text = {raw};
    First(*picture).AddExtension(std::move(comment));
    TGIFImage reread;
    ASSERT_TRUE(Load(reread, picture->SaveToBytes()).Error.isEmpty());
    EXPECT_EQ(dynamic_cast<TGIFCommentExtension&>(*First(reread).Extensions().at(0)).Text.value(0), raw);
}

TEST(GifStream, LoopBlockIsByteExactAndGivesTheLoopCount)
{
    auto picture = MakePicture(1, 1, 2, {0});
    auto loop = std::make_unique<TGIFAppExtNSLoop>(&First(*picture));
    loop->Loops = 5;
    First(*picture).AddExtension(std::move(loop));
    const QByteArray bytes = picture->SaveToBytes();
    EXPECT_TRUE(bytes.contains(Hex("21ff0b") + "NETSCAPE2.0" +
                               Hex("03010500"
                                   "00")));

    TGIFImage reread;
    ASSERT_TRUE(Load(reread, bytes).Error.isEmpty());
    auto* read = dynamic_cast<TGIFAppExtNSLoop*>(First(reread).Extensions().at(0).get());
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Loops, 5);
}

TEST(GifStream, ApplicationBlocksOfOtherSizesAndNamesAreKeptAsUnknownData)
{
    const QByteArray image = Hex("2c000000000100010000") + Hex("0202440100");
    const QByteArray ten = Hex("21ff0a") + "ABCDEFGHIJ" + Hex("0301020300");
    const QByteArray five = Hex("21ff05") + "ABCDE" + Hex("0199") + Hex("00");
    const QByteArray other = Hex("21ff0b") + "OTHERAPP1.0" + Hex("02aabb00");
    const QByteArray file = QByteArray("GIF89a") +
                            Hex("0100010080"
                                "0000") +
                            Hex("000000ffffff") + ten + five + other + image + ";";
    TGIFImage picture;
    const TLoadResult result = Load(picture, file);
    ASSERT_TRUE(result.Error.isEmpty()) << result.Error.toStdString();
    ASSERT_EQ(picture.Count(), 1);
    ASSERT_EQ(First(picture).Extensions().size(), 3u);
    for (const auto& e : First(picture).Extensions())
        EXPECT_NE(dynamic_cast<TGIFUnknownAppExtension*>(e.get()), nullptr);
    // Written back exactly, so nothing an application stored is lost.
    const QByteArray written = picture.SaveToBytes();
    EXPECT_TRUE(written.contains(ten + five + other + image));
}

TEST(GifStream, ShortLoopSubBlockIsSkipped)
{
    const QByteArray file = QByteArray("GIF89a") +
                            Hex("0100010080"
                                "0000") +
                            Hex("000000ffffff") + Hex("21ff0b") + "NETSCAPE2.0" +
                            Hex("020105"
                                "00") +
                            Hex("2c000000000100010000") + Hex("0202440100") + ";";
    TGIFImage picture;
    EXPECT_EQ(Load(picture, file).Error.toStdString(), "");
    ASSERT_EQ(picture.Count(), 1);
    EXPECT_FALSE(First(picture).Empty());
    const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(First(picture).Extensions().front().get());
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->Loops, 0);
}

TEST(GifStream, ExtensionsEndAtAnEmptyFirstSubBlockAndUnknownLabelsAreSkipped)
{
    const QByteArray good = MakePicture(2, 1, 2, {1, 0})->SaveToBytes();
    const int image = 6 + 7 + 6; // the image descriptor follows the two-colour global table
    for (const char* extension : {"21f900", "210100", "21ff00", "21770361626300"}) {
        QByteArray file = good;
        file.insert(image, Hex(extension));
        TGIFImage picture;
        const TLoadResult result = Load(picture, file);
        EXPECT_EQ(result.Error.toStdString(), "") << extension;
        ASSERT_EQ(picture.Count(), 1) << extension;
        EXPECT_EQ(First(picture).Data(), (std::vector<std::uint8_t>{1, 0})) << extension;
        // An application block without even its name is not written back: other readers refuse it.
        EXPECT_FALSE(picture.SaveToBytes().contains(Hex("21ff00"))) << extension;
        TGIFImage again;
        EXPECT_EQ(Load(again, picture.SaveToBytes()).Error.toStdString(), "") << extension;
        ASSERT_EQ(again.Count(), 1) << extension;
        EXPECT_EQ(again.Image(0)->Data(), (std::vector<std::uint8_t>{1, 0})) << extension;
    }
}

TEST(GifStream, IndicesPastTheTableSaveAndShowTheFirstColour)
{
    const QByteArray data =
        PackCodes(2, {{4, 3}, {0, 3}, {4, 3}, {1, 3}, {4, 3}, {2, 3}, {4, 3}, {3, 3}, {5, 3}});
    TGIFImage picture;
    ASSERT_EQ(Load(picture, WrapImageData(4, 1, 1, data)).Error.toStdString(), "");
    TGIFImage again;
    ASSERT_EQ(Load(again, picture.SaveToBytes()).Error.toStdString(), "");
    EXPECT_EQ(FramePixels(*again.Image(0)), Hex("000000010101000000000000"));

    // A frame without any table takes any index, whatever the other frames' tables hold.
    auto mixed = MakePicture(1, 1, 2, {1}, true);
    auto bare = std::make_unique<TGIFSubImage>(mixed.get());
    bare->SetBounds(0, 0, 1, 1);
    bare->SetPixel(0, 0, 200);
    mixed->Add(std::move(bare));
    TGIFImage reread;
    ASSERT_EQ(Load(reread, mixed->SaveToBytes()).Error.toStdString(), "");
    ASSERT_EQ(reread.Count(), 2);
    EXPECT_EQ(reread.Image(1)->Pixel(0, 0), 200);
}

TEST(GifStream, SignatureMayFollowFourBytesOnly)
{
    const QByteArray good = MakePicture(1, 1, 2, {0})->SaveToBytes();
    TGIFImage picture;
    EXPECT_TRUE(Load(picture, "JUNK" + good).Error.isEmpty());
    EXPECT_EQ(picture.Count(), 1);
    EXPECT_EQ(Load(picture, "JNK" + good).Error, "Invalid GIF signature");
    EXPECT_EQ(Load(picture, "JUNKS" + good).Error, "Invalid GIF signature");
    EXPECT_TRUE(picture.Empty());
    // An unknown version text and a lower-case signature are read.
    QByteArray odd = good;
    odd.replace(0, 6, "gif90a");
    EXPECT_TRUE(Load(picture, odd).Error.isEmpty());
}

TEST(GifStream, FailedLoadLeavesTheStreamWhereItWas)
{
    QByteArray bytes = "xx" + MakePicture(2, 2, 2, {0, 1, 1, 0})->SaveToBytes();
    bytes.truncate(bytes.size() - 14);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(2);
    TGIFImage picture;
    EXPECT_THROW(picture.LoadFromStream(buffer), GIFException);
    EXPECT_EQ(buffer.pos(), 2);
    EXPECT_TRUE(picture.Empty());
}

TEST(GifStream, TruncatedFilesGiveTheirMessages)
{
    const QByteArray good = MakePicture(4, 4, 4, NoisePixels(16, 4, 1))->SaveToBytes();
    TGIFImage picture;
    EXPECT_EQ(Load(picture, good.left(8)).Error, "Premature end of data");  // inside the screen descriptor
    EXPECT_EQ(Load(picture, good.left(20)).Error, "Premature end of data"); // inside the colour table
    EXPECT_EQ(Load(picture, good.left(30)).Error, "Premature end of data"); // inside the image descriptor
    // Inside the pixel data: the picture loads with what was decoded.
    const TLoadResult cut = Load(picture, good.left(good.size() - 3));
    EXPECT_TRUE(cut.Error.isEmpty());
    EXPECT_TRUE(cut.Warnings.contains("Premature end of data") ||
                cut.Warnings.contains("Decoder bit buffer under-run"))
        << cut.Warnings.join('|').toStdString();
    EXPECT_EQ(picture.Count(), 1);
}

TEST(GifStream, VersionFollowsWhatThePictureHolds)
{
    auto plain = MakePicture(2, 1, 2, {0, 1});
    EXPECT_TRUE(plain->SaveToBytes().startsWith("GIF87a"));
    First(*plain).EnsureGraphicControlExtension();
    EXPECT_TRUE(plain->SaveToBytes().startsWith("GIF89a"));
    TGIFImage empty;
    try {
        empty.SaveToBytes();
        FAIL() << "saving an empty picture must fail";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Unsupported GIF version");
    }
}

TEST(GifStream, ZeroBytesBetweenBlocksAreSkippedAndTrailingCommentMakesAFrame)
{
    const QByteArray good = MakePicture(1, 1, 2, {0})->SaveToBytes();
    QByteArray file = good.left(good.size() - 1) + QByteArray(3, '\0') +
                      Hex("21fe03616263"
                          "00") +
                      ";";
    TGIFImage picture;
    const TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_TRUE(result.Warnings.isEmpty()) << result.Warnings.join('|').toStdString();
    ASSERT_EQ(picture.Count(), 2);
    EXPECT_TRUE(picture.Image(1)->Empty());
    EXPECT_EQ(picture.Image(1)->Extensions().size(), 1u);
}

TEST(GifStream, BadBytesGiveWarningsAndStopReading)
{
    const QByteArray good = MakePicture(1, 1, 2, {0})->SaveToBytes();
    TGIFImage picture;
    TLoadResult result = Load(picture, good.left(good.size() - 1) + "X");
    EXPECT_TRUE(result.Error.isEmpty());
    EXPECT_EQ(result.Warnings, (QStringList{"Unknown GIF block type", "Invalid Image trailer"}));
    EXPECT_EQ(picture.Count(), 1);

    // Junk after an extension ends that frame's extension list.
    result = Load(picture, good.left(good.size() - 1) +
                               Hex("21fe0161"
                                   "00") +
                               "Q");
    EXPECT_EQ(result.Warnings, (QStringList{"Invalid extension introducer", "Unknown GIF block type",
                                            "Invalid Image trailer"}));
    EXPECT_EQ(picture.Count(), 2);

    // An extension nobody knows is skipped with a warning.
    result = Load(picture, good.left(good.size() - 1) + Hex("21770100"
                                                            "3b"));
    EXPECT_EQ(result.Error.toStdString(), "");
    EXPECT_TRUE(result.Warnings.contains("Unknown extension type"));
}

TEST(GifStream, ZeroSizedFrameTakesTheScreenSizeAndZeroScreenIsSafe)
{
    QByteArray file = MakePicture(2, 2, 2, {0, 1, 1, 0})->SaveToBytes();
    file[19 + 5] = 0; // frame width 0
    TGIFImage picture;
    TLoadResult result = Load(picture, file);
    EXPECT_TRUE(result.Warnings.contains("Image exceeds Logical Screen size"));
    EXPECT_EQ(picture.Image(0)->Width(), 2);

    file[6] = 0; // screen width 0 too
    result = Load(picture, file);
    EXPECT_TRUE(result.Error.isEmpty());
    ASSERT_EQ(picture.Count(), 1);
    EXPECT_TRUE(picture.Image(0)->Empty());

    // A screen of 0 x 0 takes the bounds of its frames.
    file = MakePicture(2, 3, 2, {0, 1, 1, 0, 0, 1})->SaveToBytes();
    file[6] = file[8] = 0;
    result = Load(picture, file);
    EXPECT_EQ(result.Error.toStdString(), "");
    EXPECT_EQ(picture.Width(), 2);
    EXPECT_EQ(picture.Height(), 3);
}

TEST(GifStream, HugeFramesAreRefused)
{
    QByteArray file = MakePicture(1, 1, 2, {0})->SaveToBytes();
    // Frame 65535 x 65535 needs 4 GiB of pixels.
    file.replace(19 + 5, 4, Hex("ffffffff"));
    TGIFImage picture;
    EXPECT_EQ(Load(picture, file).Error, "Invalid image dimensions");
}

TEST(GifStream, ColorMapOperations)
{
    TGIFColorMap map;
    EXPECT_EQ(map.BitsPerPixel(), 0);
    EXPECT_THROW(map.Color(0), GIFException);
    for (int i = 0; i < 17; ++i)
        map.Add({std::uint8_t(i), 0, 0});
    EXPECT_EQ(map.Capacity(), 32);
    EXPECT_EQ(map.BitsPerPixel(), 5);
    map.Add({3, 0, 0});
    EXPECT_EQ(map.IndexOf({3, 0, 0}), 17); // unsorted: the last match
    EXPECT_EQ(map.AddUnique({3, 0, 0}), 17);
    map.Delete(17);
    try {
        map.Delete(40);
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Invalid color index");
    }
    while (map.Count() < 256)
        map.Add({});
    try {
        map.Add({});
        FAIL();
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), "Color table overflow");
    }
    EXPECT_EQ(map.Color(300), map.Color(0)); // out of range reads entry 0
}

TEST(GifStream, OptimisingTheGlobalTableSortsByUseAndDropsUnusedColours)
{
    auto picture = MakePicture(4, 1, 4, {2, 2, 3, 2});
    const QByteArray before = FramePixels(First(*picture));
    EXPECT_TRUE(picture->GlobalColorMap().Optimize());
    EXPECT_EQ(picture->GlobalColorMap().Count(), 2);
    EXPECT_EQ(First(*picture).Data(), (std::vector<std::uint8_t>{0, 0, 1, 0}));
    EXPECT_EQ(FramePixels(First(*picture)), before);
    const QByteArray bytes = picture->SaveToBytes();
    EXPECT_TRUE(bytes.startsWith("GIF89a")); // sorted flag
    EXPECT_EQ(std::uint8_t(bytes[10]) & 0x08, 0x08);
}
