#include "gif/GifEncoder.h"

#include "gif/GifError.h"
#include "gif/GifIo.h"

#include <algorithm>

void TGIFWriter::WriteByte(std::uint8_t value)
{
    FBuffer[std::size_t(++FCount)] = value;
    if (FCount == 255)
        Flush();
}

void TGIFWriter::Flush()
{
    if (FCount == 0)
        return;
    FBuffer[0] = static_cast<std::uint8_t>(FCount);
    GifIo::Write(FStream, FBuffer.data(), FCount + 1);
    FCount = 0;
}

void TGIFEncoder::Compress(QIODevice& stream, int bitsPerPixel, int colorCount, const std::uint8_t* data,
                           bool interlaced, int height, int width)
{
    // GIF's smallest minimum code size is 2, even for two-colour frames.
    const int bits = std::clamp(bitsPerPixel, 2, 8);
    GifIo::WriteByte(stream, static_cast<std::uint8_t>(bits));
    FInitialCodeSize = bits + 1;
    FCodeSize = FInitialCodeSize;
    FClearCode = 1 << bits;
    FEndCode = FClearCode + 1;
    FBaseCode = FClearCode + 2;
    FBucket = 0;
    FBucketBits = 0;
    FData = data;
    FWidth = width;
    FHeight = height;
    FColorCount = colorCount;
    FColumn = 0;
    FWriter = std::make_unique<TGIFWriter>(stream);
    if (data && width > 0 && height > 0) {
        FRows = std::make_unique<TGIFRowOrder>(height, interlaced);
        CompressPixels();
    }
    Output(FEndCode);
    // Only a partly filled byte remains to go; a code stream ending on a byte boundary adds none.
    if (FBucketBits > 0)
        FWriter->WriteByte(static_cast<std::uint8_t>(FBucket & 0xFF));
    FBucket = 0;
    FBucketBits = 0;
    FWriter->Flush();
    FWriter.reset();
    GifIo::WriteByte(stream, 0);
}

void TGIFEncoder::Output(int code)
{
    FBucket |= std::uint32_t(code) << FBucketBits;
    FBucketBits += FCodeSize;
    while (FBucketBits >= 8) {
        FWriter->WriteByte(static_cast<std::uint8_t>(FBucket & 0xFF));
        FBucket >>= 8;
        FBucketBits -= 8;
    }
}

bool TGIFEncoder::NextPixel(int& value)
{
    if (!FRows || FRows->Done())
        return false;
    value = FData[std::int64_t(FRows->Row()) * FWidth + FColumn];
    if (value >= FColorCount)
        RaiseGifError(QStringLiteral("Color not in color table"));
    if (++FColumn == FWidth) {
        FColumn = 0;
        FRows->Next();
    }
    return true;
}

// --- hash table -------------------------------------------------------------------------------

void THashTable::Clear()
{
    FSlots.fill(0xFFFFFFFFu);
}

bool THashTable::Insert(std::uint32_t key, int code)
{
    int slot = Hash(key);
    // The probe path of this step function visits at most 4004 distinct slots, so it is capped
    // rather than followed until a free slot turns up.
    for (int probe = 0; probe < Size; ++probe) {
        if (FSlots[std::size_t(slot)] >= 0xFFFFF000u) {
            FSlots[std::size_t(slot)] = (key << 12) | std::uint32_t(code & 0xFFF);
            return true;
        }
        slot = NextSlot(slot);
    }
    return false;
}

int THashTable::Lookup(std::uint32_t key) const
{
    int slot = Hash(key);
    for (int probe = 0; probe < Size; ++probe) {
        const std::uint32_t entry = FSlots[std::size_t(slot)];
        if (entry >= 0xFFFFF000u)
            return -1;
        if ((entry >> 12) == key)
            return static_cast<int>(entry & 0xFFF);
        slot = NextSlot(slot);
    }
    return -1;
}

// --- LZW --------------------------------------------------------------------------------------

void TLZWEncoder::OutputCode(int code)
{
    Output(code);
    if (FClearSent) {
        FClearSent = false;
        FCodeSize = FInitialCodeSize;
        FMaxCode = (1 << FCodeSize) - 1;
    } else if (FNextFree > FMaxCode) {
        ++FCodeSize;
        FMaxCode = FCodeSize >= 12 ? 4096 : (1 << FCodeSize) - 1;
    }
}

void TLZWEncoder::SendClear()
{
    FClearSent = true;
    OutputCode(FClearCode);
    FTable.Clear();
    FNextFree = FBaseCode;
}

void TLZWEncoder::CompressPixels()
{
    FMaxCode = (1 << FCodeSize) - 1;
    SendClear();
    int prefix = 0;
    if (!NextPixel(prefix))
        return;
    int pixel = 0;
    while (NextPixel(pixel)) {
        const std::uint32_t key = std::uint32_t(prefix) * 256 + std::uint32_t(pixel);
        const int code = FTable.Lookup(key);
        if (code >= 0) {
            prefix = code;
            continue;
        }
        OutputCode(prefix);
        prefix = pixel;
        if (FNextFree > 4094 || !FTable.Insert(key, FNextFree))
            SendClear();
        else
            ++FNextFree;
    }
    OutputCode(prefix);
}
