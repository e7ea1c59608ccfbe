#include "gif/JpegImage.h"

#include "gif/GifError.h"

#include <QPainter>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

// libjpeg reports errors through a callback that must not return; it jumps back to the call
// that set the jump buffer, with the message kept, and the caller raises it there.
struct TJpegError
{
    jpeg_error_mgr Manager;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr info)
{
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    std::longjmp(error->Jump, 1);
}

void OnJpegMessage(j_common_ptr, int)
{}

// Only plain data lives in the functions that set a jump buffer, so a jump skips no destructor.
bool Decode(const unsigned char* data, unsigned long size, std::int64_t maxPixels, std::int64_t shownPixels,
            std::vector<unsigned char>& pixels, int& width, int& height, char* message)
{
    jpeg_decompress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    error.Manager.emit_message = OnJpegMessage;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.Message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    // Checked before the decoder takes memory for the picture: a progressive one keeps all its
    // coefficients at once, so a few hundred bytes of header can ask for tens of gigabytes.
    if (std::int64_t(info.image_width) * info.image_height > maxPixels) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "Invalid image dimensions");
        return false;
    }
    // A picture is never shown larger than the board: a bigger one is decoded at a half, a
    // quarter or an eighth of its size, which also spares the decoder most of its work.
    info.scale_num = 1;
    info.scale_denom = 1;
    while (info.scale_denom < 8 &&
           (std::int64_t(info.image_width) * info.image_height) / (std::int64_t(info.scale_denom) * info.scale_denom) >
               shownPixels) {
        info.scale_denom *= 2;
    }
    // What a progressive picture of the board's size needs (its coefficients, four components at
    // two bytes each): a larger progressive one is refused with the decoder's own message.
    info.mem->max_memory_to_use = long(shownPixels * 8 + (std::int64_t(16) << 20));
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    pixels.resize(std::size_t(width) * std::size_t(height) * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + std::size_t(info.output_scanline) * std::size_t(width) * 3;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

bool Encode(const QImage& rgb, int quality, unsigned char** out, unsigned long* outSize, char* message)
{
    jpeg_compress_struct info{};
    TJpegError error{};
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = OnJpegError;
    error.Manager.emit_message = OnJpegMessage;
    if (setjmp(error.Jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.Message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, out, outSize);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        auto row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

} // namespace

void TJPEGImage::LoadFromStream(QIODevice& stream)
{
    const qint64 start = stream.pos();
    const QByteArray bytes = stream.readAll();
    std::vector<unsigned char> pixels;
    int width = 0, height = 0;
    char message[JMSG_LENGTH_MAX] = {};
    if (!Decode(reinterpret_cast<const unsigned char*>(bytes.constData()),
                static_cast<unsigned long>(bytes.size()), MaxPixels, MaxShownPixels, pixels, width, height, message)) {
        stream.seek(start);
        RaiseGifError(QString::fromLocal8Bit(message));
    }
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::copy_n(pixels.data() + std::size_t(y) * std::size_t(width) * 3, std::size_t(width) * 3,
                    image.scanLine(y));
    FImage = image;
}

void TJPEGImage::SaveToStream(QIODevice& stream)
{
    if (FImage.isNull())
        RaiseGifError(QStringLiteral("Image is empty"));
    const QImage rgb = FImage.convertToFormat(QImage::Format_RGB888);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Encode(rgb, CompressionQuality, &out, &size, message);
    if (ok)
        stream.write(reinterpret_cast<const char*>(out), qint64(size));
    std::free(out);
    if (!ok)
        RaiseGifError(QString::fromLocal8Bit(message));
}

void TJPEGImage::Draw(QPainter& canvas, const QRect& rect)
{
    if (!FImage.isNull())
        canvas.drawImage(rect, FImage);
}

void TJPEGImage::Assign(const QImage& image)
{
    FImage = image.convertToFormat(QImage::Format_RGB888);
}
