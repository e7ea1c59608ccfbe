#pragma once

#include "gif/GifRowOrder.h"

#include <QIODevice>

#include <array>
#include <cstdint>
#include <memory>

// Packs bytes into data sub-blocks of at most 255 bytes. A full block goes out at once, so a
// stream of 255 x k bytes never ends with an empty block.
class TGIFWriter
{
public:
    explicit TGIFWriter(QIODevice& stream) : FStream(stream) {}
    void WriteByte(std::uint8_t value);
    // Writes the partly filled block, if any.
    void Flush();

private:
    QIODevice& FStream;
    std::array<std::uint8_t, 256> FBuffer{};
    int FCount = 0;
};

// Shared part of the two encoders: the minimum code size byte, the code bucket, the walk over
// the pixels in stream order and the terminator.
class TGIFEncoder
{
public:
    virtual ~TGIFEncoder() = default;
    // Writes the frame's table-based image data. A pixel at or above colorCount raises
    // "Color not in color table".
    void Compress(QIODevice& stream, int bitsPerPixel, int colorCount, const std::uint8_t* data,
                  bool interlaced, int height, int width);

protected:
    virtual void CompressPixels() = 0;
    void Output(int code);
    // The next pixel in stream order; false after the last one.
    bool NextPixel(int& value);

    int FInitialCodeSize = 0;
    int FCodeSize = 0;
    int FClearCode = 0;
    int FEndCode = 0;
    int FBaseCode = 0;

private:
    std::unique_ptr<TGIFWriter> FWriter;
    std::uint32_t FBucket = 0;
    int FBucketBits = 0;
    const std::uint8_t* FData = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    int FColorCount = 0;
    std::unique_ptr<TGIFRowOrder> FRows;
    int FColumn = 0;
};

// Open-addressed table of LZW strings: 8009 slots of key x 4096 + code.
class THashTable
{
public:
    static constexpr int Size = 8009;
    void Clear();
    // False when the probe path holds no free slot (the caller then starts a new table).
    bool Insert(std::uint32_t key, int code);
    int Lookup(std::uint32_t key) const;

private:
    static int Hash(std::uint32_t key) { return static_cast<int>((key ^ (key >> 4)) % Size); }
    static int NextSlot(int slot)
    {
        return slot == 0 ? Size - 1 : (2 * slot - Size < 0 ? 2 * slot : 2 * slot - Size);
    }
    std::array<std::uint32_t, Size> FSlots{};
};

class TLZWEncoder : public TGIFEncoder
{
protected:
    void CompressPixels() override;

private:
    void SendClear();
    void OutputCode(int code);

    THashTable FTable;
    int FNextFree = 0;
    int FMaxCode = 0;
    bool FClearSent = false;
};

class TRLEEncoder : public TGIFEncoder
{
protected:
    void CompressPixels() override;

private:
    void SendClear();
    void Plain(int code);
    void FlushRun(int pixel, std::int64_t count);
    void FlushFromClear(int pixel, std::int64_t count);
    void FlushWithTable(int pixel, std::int64_t count);
    std::int64_t TriangleCount(std::int64_t count) const;
    std::int64_t ActiveClearPoint() const { return FLifted ? FMaxRunCodes : FClearPointInitial; }

    std::int64_t FOutCount = 0;
    std::int64_t FGrowPoint = 0;
    std::int64_t FClearPointInitial = 0;
    std::int64_t FMaxRunCodes = 0;
    bool FLifted = false;
    int FRunTableMax = 0;
    int FRunTablePixel = -1;
};
