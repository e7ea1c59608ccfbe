// links: rbx_gif
// Octree reduction of a 1920 x 1080 true-colour picture to 256 colours, and in the same run
// ImageMagick reducing the same picture (its own process, so start-up is part of its time).
#include "gif/GifReduce.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QImage TestPicture()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double a = std::sin(x / 97.0) * std::cos(y / 61.0);
            line[x] = qRgb(int(127 + 127 * a), (x * 255) / 1920, (y * 255) / 1080 ^ (x & 31));
        }
    }
    return image;
}

void BM_OctreeOurs(benchmark::State& state)
{
    const TBitmap source(TestPicture().convertToFormat(QImage::Format_BGR888));
    for (auto _ : state) {
        TBitmap result = ReduceBitmapColors(source, rcOctree, dtNearest, {}, 8);
        benchmark::DoNotOptimize(result.Image().constBits());
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

void BM_OctreeImageMagick(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString input = dir.filePath("in.ppm");
    TestPicture().save(input, "PPM");
    const QString convert = QStandardPaths::findExecutable("convert", {"/usr/bin"});
    if (convert.isEmpty()) {
        state.SkipWithError("ImageMagick is not installed");
        return;
    }
    for (auto _ : state) {
        QProcess process;
        process.start(convert, {input, "-dither", "None", "-colors", "256", dir.filePath("out.ppm")});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * 1920 * 1080);
}

} // namespace

BENCHMARK(BM_OctreeOurs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OctreeImageMagick)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
