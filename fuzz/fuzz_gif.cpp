// Feeds arbitrary bytes to the GIF reader; what loads must save, and what was saved must load
// again to the same frames. Any crash, hang, leak or undefined behaviour is a finding.
#include "gif/GifError.h"
#include "gif/GifImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

std::vector<std::vector<std::uint8_t>> ImagePixels(const TGIFImage& picture)
{
    std::vector<std::vector<std::uint8_t>> pixels;
    for (const auto& frame : picture.Images())
        if (!frame->Empty())
            pixels.push_back(frame->Data());
    return pixels;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    TGIFImage picture;
    // Smaller caps than a show uses, so that one input cannot ask for more than the fuzzer's
    // memory limit.
    picture.MaxFramePixels = std::int64_t(1) << 22;
    picture.MaxTotalPixels = std::int64_t(1) << 24;
    try {
        picture.LoadFromBytes(bytes);
    } catch (const GIFException&) {
        return 0;
    }
    if (picture.Empty())
        return 0;
    for (TGIFCompression method : {cmLZW, cmRLE}) {
        picture.Compression = method;
        // What loads must save: a failure here escapes and is a finding.
        const QByteArray written = picture.SaveToBytes();
        TGIFImage reread;
        reread.MaxFramePixels = picture.MaxFramePixels;
        reread.MaxTotalPixels = picture.MaxTotalPixels;
        reread.LoadFromBytes(written); // must not raise: we wrote it
        // A frame of extensions alone joins the next frame on file, so only the frames with
        // pixels are compared, in order.
        if (ImagePixels(reread) != ImagePixels(picture))
            std::abort();
    }
    return 0;
}
