#include "DecoderTestFiles.h"

#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

namespace DecoderTestFiles {
namespace {
bool Run(const std::string& command)
{
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

struct Made
{
    QTemporaryDir dir;
    std::string folder;
    std::vector<std::int16_t> reference;
    std::map<std::string, bool> made;
};

void ReadWavSamples(const std::string& path, std::vector<std::int16_t>& out)
{
    // sox writes a plain 44-byte header for 16-bit PCM.
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() <= 44) {
        return;
    }
    out.resize((bytes.size() - 44) / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto lo = static_cast<std::uint8_t>(bytes[44 + 2 * i]);
        const auto hi = static_cast<std::uint8_t>(bytes[45 + 2 * i]);
        out[i] = static_cast<std::int16_t>(lo | (hi << 8));
    }
}

// Encoder arguments per file made from the reference.
const std::map<std::string, std::string>& Recipes()
{
    static const std::map<std::string, std::string> recipes = {
        {"broadcast.bwf", "-c:a pcm_s16le -write_bext 1 -metadata description=Rallybox -f wav"},
        {"gapless.mp3", "-c:a libmp3lame -b:a 192k"},
        {"lowrate.mp3", "-c:a libmp3lame -b:a 32k -ar 22050"},
        {"untagged.mp3", "-c:a libmp3lame -b:a 128k -write_xing 0"},
        {"layer2.mp2", "-c:a mp2 -b:a 192k"},
        {"vorbis.ogg", "-c:a libvorbis -q:a 4"},
        {"lossless.flac", "-c:a flac"},
        {"windows.wma", "-c:a wmav2 -b:a 128k"},
        {"mono.wav", "-ac 1 -c:a pcm_s16le"},
    };
    return recipes;
}

// Each test program makes only the files its tests ask for: the tests run one process each.
Made& Files()
{
    static Made made = [] {
        Made m;
        m.folder = m.dir.path().toStdString();
        const std::string ref = m.folder + "/reference.wav";
        if (!m.dir.isValid() || !Run("sox -r 44100 -n -b 16 -c 2 " + Quoted(ref) +
                                     " synth 100000s sine 440 sine 660 remix 1v0.5 2v0.25")) {
            m.folder.clear();
        } else {
            ReadWavSamples(ref, m.reference);
        }
        return m;
    }();
    return made;
}

bool Ensure(const std::string& name)
{
    Made& m = Files();
    if (m.folder.empty()) {
        return false;
    }
    const auto done = m.made.find(name);
    if (done != m.made.end()) {
        return done->second;
    }
    bool ok = true;
    const std::string path = m.folder + "/" + name;
    if (name == "layer1.mp1") {
        ok = WriteLayerOneFile(path, 261);
    } else if (const auto recipe = Recipes().find(name); recipe != Recipes().end()) {
        ok = Run("ffmpeg -nostdin -v error -y -i " + Quoted(m.folder + "/reference.wav") + " " +
                 recipe->second + " " + Quoted(path));
    }
    m.made[name] = ok;
    return ok;
}

class BitWriter
{
public:
    explicit BitWriter(std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}
    void put(unsigned value, int bits)
    {
        for (int b = bits - 1; b >= 0; --b) {
            if (bit_ % 8 == 0) {
                bytes_.push_back(0);
            }
            if ((value >> b) & 1U) {
                bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (0x80U >> (bit_ % 8)));
            }
            ++bit_;
        }
    }

private:
    std::vector<std::uint8_t>& bytes_;
    std::size_t bit_ = 0;
};
} // namespace

const std::string& Folder()
{
    return Files().folder;
}

std::string PathOf(const std::string& name)
{
    Ensure(name);
    return Files().folder + "/" + name;
}

const std::vector<std::int16_t>& ReferenceSamples()
{
    return Files().reference;
}

bool WriteLayerOneFile(const std::string& path, int frames)
{
    constexpr int kFrameBytes = 384; // 12 x 384000 / 48000 slots of 4 bytes, no padding
    constexpr int kCodedSubbands = 8;
    constexpr int kBitsPerSample = 4;
    std::ofstream out(path, std::ios::binary);
    unsigned seed = 12345;
    for (int f = 0; f < frames && out; ++f) {
        std::vector<std::uint8_t> frame;
        frame.reserve(kFrameBytes);
        BitWriter w(frame);
        // sync, MPEG-1, Layer I, no CRC, 384 kbit/s, 48000 Hz, no padding, private 0, mono
        w.put(0xFFF, 12);
        w.put(1, 1);
        w.put(3, 2);
        w.put(1, 1);
        w.put(12, 4);
        w.put(1, 2);
        w.put(0, 2);
        w.put(3, 2);
        w.put(0, 6);
        for (int sb = 0; sb < 32; ++sb) {
            w.put(sb < kCodedSubbands ? kBitsPerSample - 1 : 0, 4);
        }
        for (int sb = 0; sb < kCodedSubbands; ++sb) {
            w.put(static_cast<unsigned>(6 + sb), 6);
        }
        for (int s = 0; s < 12; ++s) {
            for (int sb = 0; sb < kCodedSubbands; ++sb) {
                seed = seed * 1103515245U + 12345U;
                w.put((seed >> 16) % 15U, kBitsPerSample); // code 15 is reserved
            }
        }
        frame.resize(kFrameBytes, 0);
        out.write(reinterpret_cast<const char*>(frame.data()), static_cast<std::streamsize>(frame.size()));
    }
    return static_cast<bool>(out);
}

std::vector<std::int16_t> ReadToEnd(PcmSource& source, std::int64_t block)
{
    std::vector<std::int16_t> all;
    std::vector<std::int16_t> buffer(static_cast<std::size_t>(block * source.channels()));
    // Bounded: a source that never ends fails the caller's length checks instead of hanging.
    for (int i = 0; i < 1000000; ++i) {
        const std::int64_t got = source.read(buffer.data(), block);
        if (got <= 0) {
            break;
        }
        all.insert(all.end(), buffer.begin(), buffer.begin() + got * source.channels());
    }
    return all;
}
} // namespace DecoderTestFiles
