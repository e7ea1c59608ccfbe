#pragma once

#include <QIODevice>

#include <array>
#include <cstdint>
#include <functional>

// Decodes one frame's table-based image data (minimum code size byte, data sub-blocks,
// terminator) into width x height colour indices. All state is fixed-size: nothing is
// allocated per code. The decoder always leaves the stream after the frame's terminator (or
// at the end of the data), so the next block is found even after damaged data.
class TGIFLzwDecoder
{
public:
    using TWarning = std::function<void(const QString& message)>;

    TGIFLzwDecoder(QIODevice& stream, TWarning warning);
    // Fills pixels row by row (interlaced rows in pass order). Pixels the data does not reach
    // keep their value. Raises "Invalid GIF data" for a minimum code size outside 1..11 and
    // "Circular decoder table entry" for a table that refers to itself.
    void Decode(std::uint8_t* pixels, int width, int height, bool interlaced);

private:
    static constexpr int TableSize = 4096;
    static constexpr int EndOfData = -2;
    static constexpr int ReadFailure = -1;

    bool NextByte(std::uint8_t& value);
    int ReadCode();
    // Decodes the next code's string: straight into out when it fits in space (answers its
    // length), else onto the stack (answers 0); negative at the end of the data.
    int NextString(std::uint8_t* out, int space);
    int WriteDirect(int code, std::uint8_t* out, int space);
    void AddEntry();
    void ResetTable();
    void Drain();

    QIODevice& FStream;
    TWarning FWarning;

    // Sub-block reader
    std::array<std::uint8_t, 255> FBlock{};
    int FBlockLength = 0;
    int FBlockPos = 0;
    bool FDone = false;
    bool FUnderRunReported = false;

    // Bit accumulator, fed one byte at a time, so codes may span any number of sub-blocks.
    std::uint32_t FBits = 0;
    int FBitCount = 0;

    int FMinimumSize = 0;
    int FCodeSize = 0;
    int FClearCode = 0;
    int FEndCode = 0;
    int FNextFree = 0;
    int FLimit = 0;
    bool FFresh = true;
    bool FEndAfterClear = false;
    int FFirstCode = 0;
    int FPreviousCode = 0;

    std::array<std::uint8_t, TableSize> FSuffix{};
    std::array<std::uint16_t, TableSize> FPrefix{};
    std::array<std::uint16_t, TableSize> FLength{};
    std::array<std::uint8_t, 2 * TableSize> FStack{};
    int FStackTop = 0;
};
