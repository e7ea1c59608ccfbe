#include "gif/GifExtension.h"

#include "gif/GifAppExtension.h"
#include "gif/GifError.h"
#include "gif/GifImage.h"
#include "gif/GifIo.h"
#include "gif/GifSubImage.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

namespace {

template <class T> std::unique_ptr<TGIFExtension> Make(TGIFSubImage* frame)
{
    return std::make_unique<T>(frame);
}

} // namespace

const TGIFExtensionClass TGIFGraphicControlExtension::ClassInfo{"TGIFGraphicControlExtension",
                                                                &Make<TGIFGraphicControlExtension>, nullptr};
const TGIFExtensionClass TGIFTextExtension::ClassInfo{"TGIFTextExtension", &Make<TGIFTextExtension>, nullptr};
const TGIFExtensionClass TGIFCommentExtension::ClassInfo{"TGIFCommentExtension", &Make<TGIFCommentExtension>,
                                                         nullptr};

TGIFExtension::TGIFExtension(TGIFSubImage* frame)
    : TGIFItem(frame ? frame->Image() : nullptr), FSubImage(frame)
{}

void TGIFExtension::SaveToStream(QIODevice& stream)
{
    const std::uint8_t head[2] = {'!', ExtensionType()};
    GifIo::Write(stream, head, 2);
    SaveData(stream);
}

void TGIFExtension::LoadFromStream(QIODevice& stream)
{
    std::uint8_t head[2];
    GifIo::ReadExact(stream, head, 2);
    if (head[0] != '!')
        RaiseGifError(QStringLiteral("Invalid extension introducer"));
    if (head[1] != ExtensionType())
        RaiseGifError(QStringLiteral("Internal error: Extension Instance does not match Extension Label"));
    LoadData(stream);
}

// --- graphic control -------------------------------------------------------------------------

TGIFGraphicControlExtension::TGIFGraphicControlExtension(TGIFSubImage* frame) : TGIFExtension(frame)
{
    if (frame && !frame->GraphicControlExtension())
        frame->SetGraphicControlExtension(this);
}

TGIFGraphicControlExtension::~TGIFGraphicControlExtension()
{
    if (SubImage() && SubImage()->GraphicControlExtension() == this) {
        if (Transparent())
            SubImage()->SetTransparentFlag(false);
        SubImage()->SetGraphicControlExtension(nullptr);
    }
}

void TGIFGraphicControlExtension::SetTransparent(bool value)
{
    FPacked = static_cast<std::uint8_t>(value ? (FPacked | 0x01) : (FPacked & ~0x01));
    if (SubImage() && SubImage()->GraphicControlExtension() == this)
        SubImage()->SetTransparentFlag(value);
}

void TGIFGraphicControlExtension::SetUserInput(bool value)
{
    FPacked = static_cast<std::uint8_t>(value ? (FPacked | 0x02) : (FPacked & ~0x02));
}

void TGIFGraphicControlExtension::SetDisposal(int method)
{
    FPacked = static_cast<std::uint8_t>((FPacked & ~0x1C) | ((method & 0x07) << 2));
}

void TGIFGraphicControlExtension::SetDelay(int hundredths)
{
    FDelay = static_cast<std::uint16_t>(std::clamp(hundredths, 0, 65535));
}

void TGIFGraphicControlExtension::SetTransparentColorIndex(int index)
{
    if (SubImage()) {
        const TGIFColorMap& map = SubImage()->ActiveColorMap();
        if (map.Count() > 0 && (index < 0 || index >= map.Count())) {
            Warning(QStringLiteral("Invalid color index"));
            index = 0;
        }
    }
    FTransparentColorIndex = static_cast<std::uint8_t>(std::clamp(index, 0, 255));
}

void TGIFGraphicControlExtension::SaveData(QIODevice& stream)
{
    std::uint8_t block[6] = {4, FPacked, 0, 0, FTransparentColorIndex, 0};
    GifIo::Put16(block + 2, FDelay);
    GifIo::Write(stream, block, 6);
}

void TGIFGraphicControlExtension::LoadData(QIODevice& stream)
{
    std::uint8_t size = 0;
    // A first sub-block of size 0 is the terminator itself: the block ends there, and what
    // follows is the next block, never more of this one.
    if (!GifIo::ReadByte(stream, size) || size == 0) {
        Warning(QStringLiteral("Premature end of data"));
        return;
    }
    // The block size on file is honoured: fields come from its first four bytes, anything
    // beyond them and any further sub-blocks are skipped up to the terminator.
    std::uint8_t fields[255] = {};
    const qint64 got = stream.read(reinterpret_cast<char*>(fields), size);
    if (got < size || size < 4) {
        Warning(QStringLiteral("Premature end of data"));
        if (got < size)
            return;
    }
    FPacked = fields[0];
    FDelay = GifIo::Get16(fields + 1);
    FTransparentColorIndex = fields[3];
    GifIo::SkipSubBlocks(stream);
    if (Transparent() && SubImage() && SubImage()->GraphicControlExtension() == this)
        SubImage()->SetTransparentFlag(true);
}

// --- plain text and comment ------------------------------------------------------------------

void TGIFTextExtension::SaveData(QIODevice& stream)
{
    std::uint8_t block[13] = {12};
    GifIo::Put16(block + 1, Left);
    GifIo::Put16(block + 3, Top);
    GifIo::Put16(block + 5, GridWidth);
    GifIo::Put16(block + 7, GridHeight);
    block[9] = CellWidth;
    block[10] = CellHeight;
    block[11] = ForegroundColorIndex;
    block[12] = BackgroundColorIndex;
    GifIo::Write(stream, block, 13);
    GifIo::WriteStrings(stream, Text);
}

void TGIFTextExtension::LoadData(QIODevice& stream)
{
    std::uint8_t size = 0;
    if (!GifIo::ReadByte(stream, size))
        RaiseGifError(QStringLiteral("Premature end of data"));
    if (size == 0)
        return; // the terminator: a block without grid and text
    std::uint8_t block[255] = {};
    GifIo::ReadExact(stream, block, size);
    Left = GifIo::Get16(block);
    Top = GifIo::Get16(block + 2);
    GridWidth = GifIo::Get16(block + 4);
    GridHeight = GifIo::Get16(block + 6);
    CellWidth = block[8];
    CellHeight = block[9];
    ForegroundColorIndex = block[10];
    BackgroundColorIndex = block[11];
    Text = GifIo::ReadStrings(stream);
}

void TGIFCommentExtension::SaveData(QIODevice& stream)
{
    GifIo::WriteStrings(stream, Text);
}

void TGIFCommentExtension::LoadData(QIODevice& stream)
{
    Text = GifIo::ReadStrings(stream);
}

// --- registry --------------------------------------------------------------------------------

namespace {

struct TLabelRegistry
{
    std::mutex Lock;
    std::vector<std::pair<std::uint8_t, const TGIFExtensionClass*>> Entries{
        {0x01, &TGIFTextExtension::ClassInfo},
        {0xF9, &TGIFGraphicControlExtension::ClassInfo},
        {0xFE, &TGIFCommentExtension::ClassInfo},
        {0xFF, &TGIFApplicationExtension::ClassInfo}};
};

TLabelRegistry& Labels()
{
    static TLabelRegistry registry;
    return registry;
}

} // namespace

void TExtensionList::Register(std::uint8_t label, const TGIFExtensionClass* cls)
{
    std::lock_guard lock(Labels().Lock);
    Labels().Entries.emplace_back(label, cls);
}

const TGIFExtensionClass* TExtensionList::Find(std::uint8_t label)
{
    std::lock_guard lock(Labels().Lock);
    const auto& entries = Labels().Entries;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it)
        if (it->first == label)
            return it->second;
    return nullptr;
}

const TGIFExtensionClass* FindExtensionClass(QIODevice& stream)
{
    const qint64 start = stream.pos();
    std::uint8_t head[2];
    const TGIFExtensionClass* cls = nullptr;
    if (stream.read(reinterpret_cast<char*>(head), 2) == 2)
        cls = TExtensionList::Find(head[1]);
    // Each class may hand over to a more specific one; the chain is short, but bounded anyway.
    for (int step = 0; cls && cls->SubClass && step < 8; ++step) {
        const TGIFExtensionClass* next = cls->SubClass(stream);
        if (next == cls)
            break;
        cls = next;
    }
    stream.seek(start);
    return cls;
}
