// links: rbx_gif
// Decoding a 1000 x 1000 frame of 256 colours with our reader and, in the same run, with Qt's
// own GIF reader; the target for ours is 100 MB/s of pixels or more.
#include "gif/GifImage.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>

namespace {

constexpr int Side = 1000;

// A picture with both smooth areas and noise, so the codes are neither all short nor all long.
const QByteArray& TestFile()
{
    static const QByteArray bytes = [] {
        TGIFImage picture;
        for (int i = 0; i < 256; ++i)
            picture.GlobalColorMap().Add({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(i / 2)});
        auto frame = std::make_unique<TGIFSubImage>(&picture);
        frame->SetBounds(0, 0, Side, Side);
        std::mt19937 random(1);
        for (int y = 0; y < Side; ++y)
            for (int x = 0; x < Side; ++x) {
                const double wave = 127.5 + 127.5 * std::sin(x / 40.0) * std::cos(y / 55.0);
                const int noise = (x / 100 + y / 100) % 3 == 0 ? int(random() % 24) : 0;
                frame->ScanLine(y)[x] = std::uint8_t(std::clamp(int(wave) + noise, 0, 255));
            }
        picture.Add(std::move(frame));
        return picture.SaveToBytes();
    }();
    return bytes;
}

void BM_DecodeOurs(benchmark::State& state)
{
    const QByteArray& bytes = TestFile();
    for (auto _ : state) {
        TGIFImage picture;
        picture.LoadFromBytes(bytes);
        benchmark::DoNotOptimize(picture.Image(0)->Data().data());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Side) * Side);
    state.counters["file_bytes"] = double(bytes.size());
}

void BM_DecodeQt(benchmark::State& state)
{
    QByteArray bytes = TestFile();
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, "gif");
        QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError("Qt's GIF reader is not available");
            break;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(Side) * Side);
}

} // namespace

BENCHMARK(BM_DecodeOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeQt)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // Qt's readers are plugins; they load through the application
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
