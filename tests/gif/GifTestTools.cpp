#include "GifTestTools.h"

#include "gif/GifError.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <random>

namespace GifTest {

namespace {

QString FindTool(const QString& program)
{
    // The packaged tool first, so a wrapper earlier on the PATH does not change what is measured.
    QString path = QStandardPaths::findExecutable(program, {QStringLiteral("/usr/bin")});
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(program);
    return path;
}

} // namespace

bool HaveTool(const QString& program)
{
    return !FindTool(program).isEmpty();
}

QByteArray RunTool(const QString& program, const QStringList& arguments, bool* ok)
{
    const QString path = FindTool(program);
    if (path.isEmpty()) {
        ADD_FAILURE() << program.toStdString() << " is not installed; run scripts/install-deps.sh";
        if (ok)
            *ok = false;
        return {};
    }
    QProcess process;
    process.start(path, arguments);
    const bool finished = process.waitForFinished(60000);
    const bool good = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (ok)
        *ok = good;
    else if (!good)
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
    return process.readAllStandardOutput();
}

QByteArray ParsePpm(const QByteArray& ppm, int* width, int* height)
{
    // Header: magic, width, height and (except for bitmaps) maxval, separated by white space,
    // then one white space character. Bitmaps (P4) and grey maps (P5) are widened to RGB.
    qsizetype at = 0;
    QList<QByteArray> fields;
    const auto wanted = [&] { return fields.isEmpty() || fields[0] != "P4" ? 4 : 3; };
    while (fields.size() < wanted() && at < ppm.size()) {
        while (at < ppm.size() && QChar(ppm[at]).isSpace())
            ++at;
        if (at < ppm.size() && ppm[at] == '#') {
            while (at < ppm.size() && ppm[at] != '\n')
                ++at;
            continue;
        }
        const qsizetype start = at;
        while (at < ppm.size() && !QChar(ppm[at]).isSpace())
            ++at;
        fields.append(ppm.mid(start, at - start));
    }
    if (fields.size() < 3)
        return {};
    *width = fields[1].toInt();
    *height = fields[2].toInt();
    const QByteArray body = ppm.mid(at + 1);
    const auto byteAt = [&](qsizetype i) { return i < body.size() ? body[i] : char(0); };
    const qsizetype pixels = qsizetype(*width) * *height;
    if (fields[0] == "P6")
        return body.left(pixels * 3);
    QByteArray rgb;
    rgb.reserve(pixels * 3);
    const qsizetype rowBytes = (*width + 7) / 8;
    for (int y = 0; y < *height; ++y) {
        for (int x = 0; x < *width; ++x) {
            char v = 0;
            if (fields[0] == "P5")
                v = byteAt(qsizetype(y) * *width + x);
            else if (fields[0] == "P4")
                v = (byteAt(y * rowBytes + x / 8) >> (7 - x % 8)) & 1 ? char(0) : char(255);
            rgb.append(v).append(v).append(v);
        }
    }
    return rgb;
}

QByteArray ToolFramePixels(const QString& gifFile, int frame, int* width, int* height)
{
    const QByteArray ppm =
        RunTool(QStringLiteral("giftopnm"), {QStringLiteral("--image=%1").arg(frame), gifFile});
    int w = 0, h = 0;
    QByteArray rgb = ParsePpm(ppm, &w, &h);
    if (width)
        *width = w;
    if (height)
        *height = h;
    return rgb;
}

QByteArray FramePixels(const TGIFSubImage& frame)
{
    QByteArray rgb;
    rgb.reserve(qsizetype(frame.Data().size()) * 3);
    const TGIFColorMap& map = frame.ActiveColorMap();
    for (std::uint8_t index : frame.Data()) {
        const TGIFColor c = index < map.Count() ? map.Colors()[index] : TGIFColor{};
        rgb.append(char(c.Red)).append(char(c.Green)).append(char(c.Blue));
    }
    return rgb;
}

std::unique_ptr<TGIFImage> MakePicture(int width, int height, int colors,
                                       const std::vector<std::uint8_t>& pixels, bool localTable)
{
    auto picture = std::make_unique<TGIFImage>();
    auto frame = std::make_unique<TGIFSubImage>(picture.get());
    frame->SetBounds(0, 0, width, height);
    TGIFColorMap& map =
        localTable ? static_cast<TGIFColorMap&>(frame->ColorMap()) : picture->GlobalColorMap();
    for (int i = 0; i < colors; ++i)
        map.Add({std::uint8_t(i * 37), std::uint8_t(255 - i), std::uint8_t(i * 11)});
    if (!pixels.empty())
        frame->Data() = pixels;
    picture->Add(std::move(frame));
    return picture;
}

std::vector<std::uint8_t> NoisePixels(int count, int colors, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(count));
    for (auto& p : pixels)
        p = static_cast<std::uint8_t>(random() % std::uint32_t(colors));
    return pixels;
}

QByteArray PackCodes(int minimumSize, const std::vector<std::pair<int, int>>& codes, int blockSize,
                     bool terminate)
{
    QByteArray data;
    std::uint32_t bucket = 0;
    int bits = 0;
    for (const auto& [code, size] : codes) {
        bucket |= std::uint32_t(code) << bits;
        bits += size;
        while (bits >= 8) {
            data.append(char(bucket & 0xFF));
            bucket >>= 8;
            bits -= 8;
        }
    }
    if (bits > 0)
        data.append(char(bucket & 0xFF));
    QByteArray out(1, char(minimumSize));
    for (qsizetype at = 0; at < data.size(); at += blockSize) {
        const qsizetype n = std::min<qsizetype>(blockSize, data.size() - at);
        out.append(char(n)).append(data.mid(at, n));
    }
    if (terminate)
        out.append('\0');
    return out;
}

QByteArray WrapImageData(int width, int height, int bits, const QByteArray& imageData, bool interlaced)
{
    QByteArray file("GIF89a");
    auto put16 = [&](int v) { file.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); };
    put16(width);
    put16(height);
    file.append(char(0x80 | ((bits - 1) << 4) | (bits - 1))).append('\0').append('\0');
    for (int i = 0; i < (1 << bits); ++i)
        file.append(char(i)).append(char(i)).append(char(i));
    file.append(',');
    put16(0);
    put16(0);
    put16(width);
    put16(height);
    file.append(char(interlaced ? 0x40 : 0));
    file.append(imageData);
    file.append(';');
    return file;
}

TLoadResult Load(TGIFImage& picture, const QByteArray& bytes)
{
    TLoadResult result;
    picture.OnWarning = [&](TGIFImage*, int, const QString& message) { result.Warnings.append(message); };
    try {
        picture.LoadFromBytes(bytes);
    } catch (const GIFException& e) {
        result.Error = e.Message();
    }
    picture.OnWarning = nullptr;
    return result;
}

std::string Raised(const std::function<void()>& call)
{
    try {
        call();
    } catch (const GIFException& e) {
        return e.Message().toStdString();
    }
    return "(nothing raised)";
}

} // namespace GifTest
