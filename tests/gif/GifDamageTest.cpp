// Every cut and every single damaged byte of a file that uses all block kinds loads cleanly:
// either a picture or a GIFException with the stream left where it was, never a crash (this
// program also runs under the sanitizers).
#include "GifTestTools.h"

#include "gif/GifAppExtension.h"
#include "gif/GifError.h"

#include <QBuffer>
#include <gtest/gtest.h>

using namespace GifTest;

namespace {

QByteArray RichFile()
{
    auto picture = MakePicture(23, 11, 8, NoisePixels(23 * 11, 8, 5));
    TGIFSubImage& first = *picture->Image(0);
    auto loop = std::make_unique<TGIFAppExtNSLoop>(&first);
    loop->Loops = 2;
    loop->BufferSize = 1000;
    first.AddExtension(std::move(loop));
    auto& gce = first.EnsureGraphicControlExtension();
    gce.SetDelay(12);
    gce.SetTransparentColorIndex(3);
    gce.SetTransparent(true);
    auto text = std::make_unique<TGIFTextExtension>(&first);
    text->Text = {"score", "home"};
    first.AddExtension(std::move(text));

    auto second = std::make_unique<TGIFSubImage>(picture.get());
    second->SetBounds(3, 2, 17, 9);
    for (int i = 0; i < 4; ++i)
        second->ColorMap().Add({std::uint8_t(i), 9, 9});
    second->Data() = NoisePixels(17 * 9, 4, 6);
    second->SetInterlaced(true);
    auto comment = std::make_unique<TGIFCommentExtension>(second.get());
    comment->Text = {QByteArray(300, 'c')};
    second->AddExtension(std::move(comment));
    auto app = std::make_unique<TGIFUnknownAppExtension>(second.get());
    app->SetIdentifier("XAPPLIC1.0X");
    app->Blocks = {"abc", QByteArray(255, 'z')};
    second->AddExtension(std::move(app));
    picture->Add(std::move(second));
    QByteArray bytes = picture->SaveToBytes();
    picture->Compression = cmRLE;
    return bytes + picture->SaveToBytes();
}

void LoadChecked(const QByteArray& bytes, const std::string& what)
{
    QByteArray copy = "pad" + bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    buffer.seek(3);
    TGIFImage picture;
    picture.MaxFramePixels = 1 << 20;
    try {
        picture.LoadFromStream(buffer);
        // Whatever was read can be written and read again.
        if (!picture.Empty()) {
            TGIFImage again;
            again.LoadFromBytes(picture.SaveToBytes());
        }
    } catch (const GIFException&) {
        ASSERT_EQ(buffer.pos(), 3) << what;
        ASSERT_TRUE(picture.Empty()) << what;
    }
}

} // namespace

TEST(GifDamage, EveryTruncationLoadsOrRaisesCleanly)
{
    const QByteArray file = RichFile();
    ASSERT_GT(file.size(), 600);
    for (qsizetype length = 0; length <= file.size(); ++length)
        LoadChecked(file.left(length), "cut at " + std::to_string(length));
}

TEST(GifDamage, EveryDamagedByteLoadsOrRaisesCleanly)
{
    const QByteArray file = RichFile();
    for (qsizetype at = 0; at < file.size(); ++at) {
        for (char value : {char(0), char(0xFF), char(0x2C), char(0x21)}) {
            QByteArray damaged = file;
            damaged[at] = value;
            LoadChecked(damaged, "byte " + std::to_string(at));
        }
    }
}
