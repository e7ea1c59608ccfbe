#include "gif/GifLzwDecoder.h"

#include "gif/GifError.h"
#include "gif/GifIo.h"
#include "gif/GifRowOrder.h"

#include <algorithm>
#include <utility>

TGIFLzwDecoder::TGIFLzwDecoder(QIODevice& stream, TWarning warning)
    : FStream(stream), FWarning(std::move(warning))
{}

bool TGIFLzwDecoder::NextByte(std::uint8_t& value)
{
    while (FBlockPos >= FBlockLength) {
        if (FDone)
            return false;
        std::uint8_t length = 0;
        if (!GifIo::ReadByte(FStream, length) || length == 0) {
            FDone = true;
            return false;
        }
        const qint64 got = FStream.read(reinterpret_cast<char*>(FBlock.data()), length);
        if (got < length)
            FWarning(QStringLiteral("Premature end of data"));
        FBlockLength = static_cast<int>(std::max<qint64>(got, 0));
        FBlockPos = 0;
        if (got < length)
            FDone = true; // nothing follows a cut sub-block
    }
    value = FBlock[std::size_t(FBlockPos++)];
    return true;
}

int TGIFLzwDecoder::ReadCode()
{
    if (FFresh) {
        // The data is read as if it began with a clear code.
        FFresh = false;
        return FClearCode;
    }
    if (FBitCount < FCodeSize && FBlockLength - FBlockPos >= 2) {
        // Two bytes at once cover any code of up to 12 bits.
        FBits |= (std::uint32_t(FBlock[std::size_t(FBlockPos)]) |
                  (std::uint32_t(FBlock[std::size_t(FBlockPos) + 1]) << 8))
                 << FBitCount;
        FBitCount += 16;
        FBlockPos += 2;
    }
    while (FBitCount < FCodeSize) {
        std::uint8_t byte = 0;
        if (!NextByte(byte)) {
            if (!FUnderRunReported) {
                FUnderRunReported = true;
                FWarning(QStringLiteral("Decoder bit buffer under-run"));
            }
            return ReadFailure;
        }
        FBits |= std::uint32_t(byte) << FBitCount;
        FBitCount += 8;
    }
    const int code = static_cast<int>(FBits & ((1u << FCodeSize) - 1));
    FBits >>= FCodeSize;
    FBitCount -= FCodeSize;
    return code;
}

void TGIFLzwDecoder::ResetTable()
{
    for (int i = 0; i < FClearCode; ++i) {
        FSuffix[std::size_t(i)] = static_cast<std::uint8_t>(i);
        FPrefix[std::size_t(i)] = 0;
        FLength[std::size_t(i)] = 1;
    }
    for (int i = FClearCode; i < TableSize; ++i) {
        FSuffix[std::size_t(i)] = 0;
        FPrefix[std::size_t(i)] = 0;
        FLength[std::size_t(i)] = 0;
    }
    FCodeSize = FMinimumSize + 1;
    FLimit = 2 * FClearCode;
    FNextFree = FClearCode + 2;
    FStackTop = 0;
}

int TGIFLzwDecoder::NextString(std::uint8_t* out, int space)
{
    int code = ReadCode();
    if (code < 0)
        return code;
    if (code == FClearCode) {
        ResetTable();
        do
            code = ReadCode();
        while (code == FClearCode);
        if (code < 0)
            return code;
        if (code >= FClearCode) {
            // Only a literal or the end code may follow a clear; the end code is damage only
            // while pixels are still missing, which Decode knows.
            if (code == FEndCode)
                FEndAfterClear = true;
            else
                FWarning(QStringLiteral("Invalid GIF data"));
            return EndOfData;
        }
        FFirstCode = FPreviousCode = code;
        FStack[std::size_t(FStackTop++)] = static_cast<std::uint8_t>(code);
        return 0;
    }
    if (code == FEndCode)
        return EndOfData;
    const int incoming = code;
    const int direct = WriteDirect(code, out, space);
    if (direct > 0) {
        AddEntry();
        FPreviousCode = incoming;
        return direct;
    }
    if (code >= FNextFree) {
        // The string is the previous one followed by its own first byte. Damaged data may name
        // a code further ahead; it is read the same way and the walk below stays bounded.
        FStack[std::size_t(FStackTop++)] = static_cast<std::uint8_t>(FFirstCode);
        code = FPreviousCode;
    }
    while (code >= FClearCode) {
        if (FPrefix[std::size_t(code)] == code || FStackTop >= TableSize)
            RaiseGifError(QStringLiteral("Circular decoder table entry"));
        FStack[std::size_t(FStackTop++)] = FSuffix[std::size_t(code)];
        code = FPrefix[std::size_t(code)];
    }
    FFirstCode = FSuffix[std::size_t(code)];
    FStack[std::size_t(FStackTop++)] = static_cast<std::uint8_t>(FFirstCode);
    AddEntry();
    FPreviousCode = incoming;
    return 0;
}

int TGIFLzwDecoder::WriteDirect(int code, std::uint8_t* out, int space)
{
    // Fast path for sound data: the string's length is known, so it is written straight into
    // the row from its end backwards. Damaged data (codes ahead of the table, broken chains)
    // takes the stack path instead.
    const bool ownFirstByte = code == FNextFree;
    if (code > FNextFree || (ownFirstByte && FPreviousCode >= FNextFree))
        return 0;
    int walk = ownFirstByte ? FPreviousCode : code;
    const int length = FLength[std::size_t(walk)] + (ownFirstByte ? 1 : 0);
    if (length <= 0 || length > space)
        return 0;
    std::uint8_t* p = out + length;
    if (ownFirstByte)
        *--p = static_cast<std::uint8_t>(FFirstCode);
    while (walk >= FClearCode) {
        if (p == out + 1)
            return 0;
        *--p = FSuffix[std::size_t(walk)];
        walk = FPrefix[std::size_t(walk)];
    }
    if (p != out + 1)
        return 0;
    *--p = FSuffix[std::size_t(walk)];
    FFirstCode = FSuffix[std::size_t(walk)];
    return length;
}

void TGIFLzwDecoder::AddEntry()
{
    if (FNextFree >= TableSize)
        return;
    FPrefix[std::size_t(FNextFree)] = static_cast<std::uint16_t>(FPreviousCode);
    FSuffix[std::size_t(FNextFree)] = static_cast<std::uint8_t>(FFirstCode);
    FLength[std::size_t(FNextFree)] =
        static_cast<std::uint16_t>(std::min(FLength[std::size_t(FPreviousCode)] + 1, TableSize));
    ++FNextFree;
    if (FNextFree >= FLimit && FLimit < TableSize) {
        FLimit *= 2;
        ++FCodeSize;
    }
}

void TGIFLzwDecoder::Drain()
{
    if (!FDone)
        GifIo::SkipSubBlocks(FStream);
    FDone = true;
}

void TGIFLzwDecoder::Decode(std::uint8_t* pixels, int width, int height, bool interlaced)
{
    std::uint8_t minimum = 0;
    if (!GifIo::ReadByte(FStream, minimum))
        return; // no image data at all: the frame keeps its fill
    // 2 is the smallest size the format knows (a two-colour frame uses it too); readers
    // disagree on what 1 would mean, so it is refused rather than guessed at.
    if (minimum < 2 || minimum > 11)
        RaiseGifError(QStringLiteral("Invalid GIF data"));
    FMinimumSize = minimum;
    FClearCode = 1 << minimum;
    FEndCode = FClearCode + 1;
    ResetTable();

    bool stopped = width <= 0 || height <= 0;
    for (TGIFRowOrder rows(height, interlaced); !stopped && !rows.Done(); rows.Next()) {
        std::uint8_t* line = pixels + std::int64_t(rows.Row()) * width;
        // Each code's string lands on the stack last byte first; it is copied out in reverse.
        for (int x = 0; x < width;) {
            if (FStackTop == 0) {
                const int written = NextString(line + x, width - x);
                if (written < 0) {
                    if (FEndAfterClear)
                        FWarning(QStringLiteral("Invalid GIF data"));
                    stopped = true;
                    break;
                }
                x += written;
            }
            const int n = std::min(FStackTop, width - x);
            for (int i = 0; i < n; ++i)
                line[x++] = FStack[std::size_t(--FStackTop)];
        }
    }
    // One more code consumes the end code; then whatever is left up to the terminator goes.
    if (!stopped && !FDone && FStackTop == 0) {
        std::uint8_t spare = 0;
        (void)NextString(&spare, 0);
    }
    Drain();
}
