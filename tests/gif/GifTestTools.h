#pragma once

#include "gif/GifImage.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Helpers for the GIF tests: outside tools as oracles, raw code streams, pictures built in
// memory and their pixels as RGB.
namespace GifTest {

// Runs an outside tool; fails the current test (never skips) when it is not installed, since
// scripts/install-deps.sh installs every one of them.
QByteArray RunTool(const QString& program, const QStringList& arguments, bool* ok = nullptr);
bool HaveTool(const QString& program);

// The RGB bytes of one frame as netpbm's giftopnm reads it (1-based frame number).
QByteArray ToolFramePixels(const QString& gifFile, int frame, int* width = nullptr, int* height = nullptr);
// Parses a binary PPM (P6, maxval 255).
QByteArray ParsePpm(const QByteArray& ppm, int* width, int* height);

// The RGB bytes of one of our frames, through its active colour table.
QByteArray FramePixels(const TGIFSubImage& frame);

// A picture of one frame with a table of `colors` entries and the given indices.
std::unique_ptr<TGIFImage> MakePicture(int width, int height, int colors,
                                       const std::vector<std::uint8_t>& pixels, bool localTable = false);
std::vector<std::uint8_t> NoisePixels(int count, int colors, std::uint32_t seed);

// Packs codes of given sizes LSB first and wraps them as data sub-blocks of `blockSize` bytes
// after the minimum code size byte; `terminate` adds the 0-length block.
QByteArray PackCodes(int minimumSize, const std::vector<std::pair<int, int>>& codes, int blockSize = 255,
                     bool terminate = true);
// A whole file: header with a global table of 2^bits grey entries, one frame, the given image data.
QByteArray WrapImageData(int width, int height, int bits, const QByteArray& imageData,
                         bool interlaced = false);

// Loads and collects warnings.
struct TLoadResult
{
    QStringList Warnings;
    QString Error;
};
TLoadResult Load(TGIFImage& picture, const QByteArray& bytes);

// The message of the GIFException the call raises, or "(nothing raised)".
std::string Raised(const std::function<void()>& call);

} // namespace GifTest
