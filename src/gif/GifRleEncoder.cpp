#include "gif/GifEncoder.h"

#include <cmath>

// Run-length output that stays a valid LZW code stream: only single pixels and codes the
// decoder is known to hold for runs of one pixel are sent. Right after a clear, sending a pixel
// and then the next free code again and again makes the decoder build runs of length 2, 3, ...
// of that pixel; later runs of the same pixel reuse them. The decoder's table is modelled by
// counting codes, never stored.

void TRLEEncoder::SendClear()
{
    Output(FClearCode);
    FCodeSize = FInitialCodeSize;
    FOutCount = 0;
    FGrowPoint = FClearCode - 1;
    FRunTableMax = 0;
    FRunTablePixel = -1;
}

void TRLEEncoder::Plain(int code)
{
    Output(code);
    ++FOutCount;
    // After this many codes the decoder's next free code reaches its limit and it reads one
    // bit more per code.
    if (FOutCount == FGrowPoint && FCodeSize < 12) {
        FGrowPoint += std::int64_t(1) << FCodeSize;
        ++FCodeSize;
    }
    if (FOutCount >= ActiveClearPoint())
        SendClear();
}

std::int64_t TRLEEncoder::TriangleCount(std::int64_t count) const
{
    const std::int64_t m = FMaxRunCodes;
    const std::int64_t perRound = m * (m + 1) / 2;
    std::int64_t codes = (count / perRound) * m;
    const std::int64_t rest = count % perRound;
    if (rest > 0) {
        // Smallest k with k(k+1)/2 >= rest.
        auto k = static_cast<std::int64_t>((std::sqrt(8.0 * double(rest) + 1.0) - 1.0) / 2.0);
        while (k * (k + 1) / 2 < rest)
            ++k;
        while (k > 1 && (k - 1) * k / 2 >= rest)
            --k;
        codes += k;
    }
    return codes;
}

void TRLEEncoder::FlushFromClear(int pixel, std::int64_t count)
{
    FLifted = true;
    int piece = 1;
    while (count > 0) {
        if (FOutCount == 0) {
            piece = 1;
            FRunTablePixel = pixel;
            FRunTableMax = 0;
        }
        if (count >= piece) {
            Plain(piece == 1 ? pixel : FBaseCode + piece - 2);
            count -= piece;
            FRunTableMax = piece;
            ++piece;
        } else {
            // A shorter known run; the decoder answers it with a run one longer than the last.
            Plain(count == 1 ? pixel : FBaseCode + int(count) - 2);
            count = 0;
            if (FRunTablePixel == pixel)
                ++FRunTableMax;
        }
    }
    FLifted = false;
    if (FOutCount >= ActiveClearPoint())
        SendClear();
}

void TRLEEncoder::FlushWithTable(int pixel, std::int64_t count)
{
    const std::int64_t m = FRunTableMax;
    const std::int64_t full = count / m;
    const std::int64_t rest = count % m;
    const std::int64_t cost = full + (rest > 0 ? 1 : 0);
    if (FOutCount + cost > FMaxRunCodes || TriangleCount(count) + 1 < cost) {
        SendClear();
        FlushFromClear(pixel, count);
        return;
    }
    FLifted = true;
    for (std::int64_t i = 0; i < full; ++i)
        Plain(FBaseCode + int(m) - 2);
    if (rest == 1)
        Plain(pixel);
    else if (rest > 1)
        Plain(FBaseCode + int(rest) - 2);
    FLifted = false;
    if (FOutCount >= ActiveClearPoint())
        SendClear();
}

void TRLEEncoder::FlushRun(int pixel, std::int64_t count)
{
    if (count == 1) {
        Plain(pixel);
    } else if (FOutCount == 0) {
        FlushFromClear(pixel, count);
    } else if (FRunTableMax > 1 && FRunTablePixel == pixel) {
        FlushWithTable(pixel, count);
    } else if (TriangleCount(count) + 1 < count) {
        SendClear();
        FlushFromClear(pixel, count);
    } else {
        for (std::int64_t i = 0; i < count; ++i)
            Plain(pixel);
    }
}

void TRLEEncoder::CompressPixels()
{
    FClearPointInitial = FInitialCodeSize - 1 > 3 ? FClearCode - 2 : 9;
    FMaxRunCodes = 4095 - FBaseCode;
    SendClear();
    int runPixel = -1;
    std::int64_t runLength = 0;
    int pixel = 0;
    while (NextPixel(pixel)) {
        if (pixel != runPixel && runLength > 0) {
            FlushRun(runPixel, runLength);
            runLength = 0;
        }
        runPixel = pixel;
        ++runLength;
    }
    if (runLength > 0)
        FlushRun(runPixel, runLength);
}
