#pragma once
// The peer of the engine's benchmarks: the same work written plainly in this process, with no
// engine around it. libav* opens and decodes the file (one thread, straight to float stereo at the
// file's rate); the chain runs SoundTouch, the ten peaking bands, the reverb and the volume one
// after the other on each block, with the engine's own settings and filters. No read-ahead, no
// ring, no mixer, no clock: what the engine adds on top of its parts is what the pair compares.
#include "audio/Bass.h"
#include "audio/PeakingBand.h"
#include "audio/Reverb.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}
#include <soundtouch/SoundTouch.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace plain_chain {

// Decodes one file to interleaved float stereo.
class Decoder
{
public:
    explicit Decoder(const std::string& path) { ok_ = open(path); }
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;
    ~Decoder()
    {
        swr_free(&convert_);
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
    }
    bool ok() const { return ok_; }
    int rate() const { return codec_ != nullptr ? codec_->sample_rate : 0; }

    // Up to `frames` frames into `out`; 0 at the end.
    int read(float* out, int frames)
    {
        int done = 0;
        while (done < frames) {
            if (pendingAt_ < pending_.size()) {
                const std::size_t take =
                    std::min<std::size_t>(pending_.size() - pendingAt_, static_cast<std::size_t>(frames - done) * 2);
                std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pendingAt_), take, out + done * 2);
                pendingAt_ += take;
                done += static_cast<int>(take / 2);
            } else if (!decodeFrame()) {
                break;
            }
        }
        return done;
    }

private:
    bool open(const std::string& path)
    {
        if (avformat_open_input(&format_, path.c_str(), nullptr, nullptr) < 0 ||
            avformat_find_stream_info(format_, nullptr) < 0) {
            return false;
        }
        const AVCodec* decoder = nullptr;
        stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
        if (stream_ < 0 || decoder == nullptr) {
            return false;
        }
        codec_ = avcodec_alloc_context3(decoder);
        if (codec_ == nullptr || avcodec_parameters_to_context(codec_, format_->streams[stream_]->codecpar) < 0) {
            return false;
        }
        codec_->thread_count = 1;
        if (avcodec_open2(codec_, decoder, nullptr) < 0) {
            return false;
        }
        AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
        if (swr_alloc_set_opts2(&convert_, &stereo, AV_SAMPLE_FMT_FLT, codec_->sample_rate, &codec_->ch_layout,
                                codec_->sample_fmt, codec_->sample_rate, 0, nullptr) < 0 ||
            swr_init(convert_) < 0) {
            return false;
        }
        packet_ = av_packet_alloc();
        frame_ = av_frame_alloc();
        return packet_ != nullptr && frame_ != nullptr;
    }

    // Decodes the next frame into pending_; false at the end or on an error.
    bool decodeFrame()
    {
        for (;;) {
            const int got = avcodec_receive_frame(codec_, frame_);
            if (got == 0) {
                pending_.resize(static_cast<std::size_t>(frame_->nb_samples) * 2);
                std::uint8_t* planes[1] = {reinterpret_cast<std::uint8_t*>(pending_.data())};
                const int frames = swr_convert(convert_, planes, frame_->nb_samples,
                                               const_cast<const std::uint8_t**>(frame_->extended_data),
                                               frame_->nb_samples);
                pending_.resize(static_cast<std::size_t>(std::max(frames, 0)) * 2);
                pendingAt_ = 0;
                return true;
            }
            if (got != AVERROR(EAGAIN)) {
                return false;
            }
            int read = 0;
            while ((read = av_read_frame(format_, packet_)) >= 0 && packet_->stream_index != stream_) {
                av_packet_unref(packet_);
            }
            if (read < 0) {
                avcodec_send_packet(codec_, nullptr);
            } else {
                avcodec_send_packet(codec_, packet_);
                av_packet_unref(packet_);
            }
        }
    }

    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    SwrContext* convert_ = nullptr;
    AVPacket* packet_ = nullptr;
    AVFrame* frame_ = nullptr;
    int stream_ = -1;
    std::vector<float> pending_;
    std::size_t pendingAt_ = 0;
    bool ok_ = false;
};

// The engine benchmarks' chain: tempo +10 %, ten bands of +-3 dB, the reverb, volume 80.
class Chain
{
public:
    static constexpr int kBlock = 1024;

    explicit Chain(const std::string& path) : decoder_(path)
    {
        const int rate = std::max(decoder_.rate(), 1);
        stretch_.setSampleRate(static_cast<unsigned>(rate));
        stretch_.setChannels(2);
        stretch_.setSetting(SETTING_USE_QUICKSEEK, 1);
        stretch_.setSetting(SETTING_USE_AA_FILTER, 0);
        stretch_.setTempo(1.1);
        const float centres[10] = {80, 100, 150, 250, 500, 1000, 2000, 4000, 8000, 16000};
        for (int b = 0; b < 10; ++b) {
            BassEqParams p;
            p.centerHz = centres[b];
            p.bandwidthSemitones = 18.0f;
            p.gainDb = (b % 2 == 0) ? 3.0f : -3.0f;
            bands_[static_cast<std::size_t>(b)].setTarget(PeakingCoefs(p, rate), 0);
            bandList_[static_cast<std::size_t>(b)] = &bands_[static_cast<std::size_t>(b)];
        }
        reverb_.allocate(rate, 2);
        BassReverbParams r;
        r.reverbMixDb = -12.0f;
        r.reverbTimeMs = 1200.0f;
        r.highFreqRatio = 0.1f;
        reverb_.setTarget(r);
    }
    bool ok() const { return decoder_.ok(); }

    // Adds up to `frames` frames of the chain's output to `mix` (a mixer of streams sums them).
    int addTo(float* mix, int frames)
    {
        frames = std::min(frames, kBlock);
        while (static_cast<int>(stretch_.numSamples()) < frames && !ended_) {
            const int got = decoder_.read(in_.data(), kBlock);
            if (got > 0) {
                stretch_.putSamples(in_.data(), static_cast<unsigned>(got));
            } else {
                stretch_.flush();
                ended_ = true;
            }
        }
        const int got = static_cast<int>(stretch_.receiveSamples(out_.data(), static_cast<unsigned>(frames)));
        PeakingBand::ProcessCascade(bandList_.data(), 10, out_.data(), got, 2);
        reverb_.process(out_.data(), got, 2);
        for (int i = 0; i < got * 2; ++i) {
            mix[i] += out_[static_cast<std::size_t>(i)] * 0.8f;
        }
        return got;
    }

private:
    Decoder decoder_;
    soundtouch::SoundTouch stretch_;
    std::array<PeakingBand, 10> bands_;
    std::array<PeakingBand*, 10> bandList_{};
    Reverb reverb_;
    std::vector<float> in_ = std::vector<float>(kBlock * 2);
    std::vector<float> out_ = std::vector<float>(kBlock * 2);
    bool ended_ = false;
};

} // namespace plain_chain
