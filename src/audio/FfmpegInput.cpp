#include "FfmpegInput.h"

#include "BassErrorCodes.h"
#include "PlayableLimits.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/intreadwrite.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A damaged file can hold long runs of packets the decoder refuses; past this many in a row the
// stream is given up rather than scanned to its end at every read.
constexpr int kMaxBadPacketsInARow = 64;
// Upper bound on decoder round trips for one chunk, so no call can spin.
constexpr int kMaxStepsPerChunk = 100000;
// Bytes asked of storage in one read. FFmpeg's own file reader asks 32 KB at a time; where each
// read waits (a network share, a USB stick) a WAV then needs several reads a second and its
// read-ahead falls behind. Eight times that keeps a slow folder's reads to one every second or
// so of CD-quality sound, and costs a local disk nothing.
constexpr int kReadBytes = 256 * 1024;

int ErrorFromAv(int averror, int otherwise)
{
    if (averror == AVERROR(ENOMEM)) {
        return BassError::Memory;
    }
    if (averror == AVERROR(ENOENT) || averror == AVERROR(EACCES) || averror == AVERROR(EISDIR)) {
        return BassError::FileOpen;
    }
    return otherwise;
}

// The file opened for reading, with its size, when it is a regular file; -1 otherwise.
int OpenRegularFile(const std::string& path, std::int64_t& bytes)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info
    {
    };
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    bytes = static_cast<std::int64_t>(info.st_size);
    return fd;
}

bool HasCompleteAudioStream(const AVFormatContext* format)
{
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* p = format->streams[i]->codecpar;
        if (p->codec_type == AVMEDIA_TYPE_AUDIO && p->codec_id != AV_CODEC_ID_NONE && p->sample_rate > 0 &&
            p->ch_layout.nb_channels > 0) {
            return true;
        }
    }
    return false;
}
} // namespace

FfmpegInput::~FfmpegInput()
{
    close();
}

bool FfmpegInput::IsMpegAudio(int codecId)
{
    return codecId == AV_CODEC_ID_MP1 || codecId == AV_CODEC_ID_MP2 || codecId == AV_CODEC_ID_MP3;
}

bool FfmpegInput::IsLayer3(int codecId)
{
    return codecId == AV_CODEC_ID_MP3;
}

bool FfmpegInput::TimesFramesRoughly(int codecId)
{
    return IsMpegAudio(codecId) || codecId == AV_CODEC_ID_WMAV1 || codecId == AV_CODEC_ID_WMAV2 ||
           codecId == AV_CODEC_ID_WMAPRO || codecId == AV_CODEC_ID_WMALOSSLESS ||
           codecId == AV_CODEC_ID_WMAVOICE;
}

std::int64_t FfmpegInput::InherentDelayFrames(int codecId, int sampleRate)
{
    switch (codecId) {
    case AV_CODEC_ID_MP1:
    case AV_CODEC_ID_MP2:
        return 481; // 512-tap polyphase filter bank less its 31-sample overlap
    case AV_CODEC_ID_MP3:
        return 529; // the same, plus the hybrid filter's half block (what LAME tags add too)
    case AV_CODEC_ID_WMAV1:
    case AV_CODEC_ID_WMAV2:
        // One block of the decoder's frame length, which follows the sample rate.
        if (sampleRate <= 16000) {
            return 512;
        }
        if (sampleRate <= 22050 || (codecId == AV_CODEC_ID_WMAV1 && sampleRate <= 32000)) {
            return 1024;
        }
        return 2048;
    default:
        return 0;
    }
}

bool FfmpegInput::framesFollowPacketTimes() const
{
    if (format_ == nullptr || streamIndex_ < 0) {
        return false;
    }
    const AVCodecParameters* p = format_->streams[streamIndex_]->codecpar;
    // The decoder's own reading of the coding flags: WMA 1 keeps them at byte 2, WMA 2 at byte 4.
    int flags = -1;
    if (codecId_ == AV_CODEC_ID_WMAV1 && p->extradata_size >= 4) {
        flags = AV_RL16(p->extradata + 2);
    } else if (codecId_ == AV_CODEC_ID_WMAV2 && p->extradata_size >= 6) {
        flags = AV_RL16(p->extradata + 4);
    }
    constexpr int kBitReservoir = 0x0002; // frames then straddle packets
    return flags >= 0 && (flags & kBitReservoir) == 0 && p->block_align > 0;
}

bool FfmpegInput::IsPcm(int codecId)
{
    return codecId >= AV_CODEC_ID_FIRST_AUDIO && codecId < AV_CODEC_ID_ADPCM_IMA_QT;
}

void FfmpegInput::close()
{
    swr_free(&swr_);
    av_frame_free(&frame_);
    av_packet_free(&packet_);
    avcodec_free_context(&codec_);
    avformat_close_input(&format_);
    if (io_ != nullptr) {
        av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

int FfmpegInput::ReadFile(void* self, std::uint8_t* buffer, int bytes)
{
    auto* input = static_cast<FfmpegInput*>(self);
    if (CutOffOpening(self) != 0) {
        return AVERROR_EXIT;
    }
    // The end is known from the size: asking storage again would only wait to be told so, and
    // demuxers ask at the end of every file (a slow folder's whole wait for a short one).
    if (input->readAt_ >= input->fileBytes_) {
        return AVERROR_EOF;
    }
    for (;;) {
        const ssize_t got = ::read(input->fd_, buffer, static_cast<std::size_t>(bytes));
        if (got > 0) {
            input->readAt_ += got;
            return static_cast<int>(got);
        }
        if (got == 0) {
            return AVERROR_EOF;
        }
        if (errno != EINTR) {
            return AVERROR(errno);
        }
    }
}

std::int64_t FfmpegInput::SeekFile(void* self, std::int64_t offset, int whence)
{
    auto* input = static_cast<FfmpegInput*>(self);
    if ((whence & AVSEEK_SIZE) != 0) {
        struct stat info
        {
        };
        return ::fstat(input->fd_, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : AVERROR(errno);
    }
    const off_t at = ::lseek(input->fd_, static_cast<off_t>(offset), whence & ~AVSEEK_FORCE);
    if (at < 0) {
        return AVERROR(errno);
    }
    input->readAt_ = static_cast<std::int64_t>(at);
    return static_cast<std::int64_t>(at);
}

int FfmpegInput::CutOffOpening(void* self)
{
    auto* input = static_cast<FfmpegInput*>(self);
    if (!input->opening_) {
        return 0;
    }
    const bool stopped = input->stop_ != nullptr && input->stop_->load(std::memory_order_relaxed);
    const AVIOContext* io = input->format_ != nullptr ? input->format_->pb : nullptr;
    if (stopped || (io != nullptr && io->bytes_read > kMaxOpeningBytes)) {
        input->cutOff_ = true;
    }
    return input->cutOff_ ? 1 : 0;
}

void FfmpegInput::openingDone()
{
    opening_ = false;
    stop_ = nullptr;
}

bool FfmpegInput::openBounded(const std::string& path, int& errorCode, const std::atomic<bool>* stop)
{
    opening_ = true;
    stop_ = stop;
    return open(path, errorCode);
}

bool FfmpegInput::open(const std::string& path, int& errorCode)
{
    fd_ = OpenRegularFile(path, fileBytes_);
    if (fd_ < 0) {
        errorCode = BassError::FileOpen;
        return false;
    }
    readAt_ = 0;
    format_ = avformat_alloc_context();
    auto* buffer = static_cast<std::uint8_t*>(av_malloc(kReadBytes));
    io_ = buffer != nullptr ? avio_alloc_context(buffer, kReadBytes, 0, this, &FfmpegInput::ReadFile, nullptr,
                                                 &FfmpegInput::SeekFile)
                            : nullptr;
    if (format_ == nullptr || io_ == nullptr) {
        if (io_ == nullptr) {
            av_free(buffer);
        }
        errorCode = BassError::Memory;
        return false;
    }
    format_->pb = io_;
    format_->flags |= AVFMT_FLAG_CUSTOM_IO;
    cutOff_ = false;
    format_->interrupt_callback.callback = &FfmpegInput::CutOffOpening;
    format_->interrupt_callback.opaque = this;
    // A WAV file's PCM data is otherwise checked for hidden MPEG or S/PDIF audio over up to
    // 2500 packets (10 MB) before the first packet comes out; one packet decides just as well
    // for the files a sound board meets, and keeps the first samples within a millisecond.
    // The format probe reads at most 5 MB (room for an MP3's cover picture ahead of its first
    // frame) and a stream search looks at most 5 s of sound.
    AVDictionary* options = nullptr;
    av_dict_set(&options, "max_probe_packets", "1", 0);
    av_dict_set(&options, "probesize", "5000000", 0);
    av_dict_set(&options, "analyzeduration", "5000000", 0);
    int r = avformat_open_input(&format_, path.c_str(), nullptr, &options);
    av_dict_free(&options);
    if (r < 0 || cutOff_) {
        errorCode = cutOff_ ? BassError::FileFormat : ErrorFromAv(r, BassError::FileFormat);
        return false;
    }
    // Probing decodes ahead through the file; skip it when the header already says everything
    // the decoder needs, so that opening stays well under a millisecond for common files.
    if (!HasCompleteAudioStream(format_)) {
        r = avformat_find_stream_info(format_, nullptr);
        if (r < 0 || cutOff_) {
            errorCode = cutOff_ ? BassError::FileFormat : ErrorFromAv(r, BassError::FileFormat);
            return false;
        }
    }
    const AVCodec* decoder = nullptr;
    if (!selectStream(decoder, errorCode)) {
        return false;
    }
    codec_ = avcodec_alloc_context3(decoder);
    packet_ = av_packet_alloc();
    frame_ = av_frame_alloc();
    if (codec_ == nullptr || packet_ == nullptr || frame_ == nullptr) {
        errorCode = BassError::Memory;
        return false;
    }
    return openDecoder(errorCode);
}

bool FfmpegInput::selectStream(const AVCodec*& decoder, int& errorCode)
{
    streamIndex_ = av_find_best_stream(format_, AVMEDIA_TYPE_AUDIO, -1, -1, &decoder, 0);
    if (streamIndex_ == AVERROR_DECODER_NOT_FOUND) {
        errorCode = BassError::Codec;
        return false;
    }
    if (streamIndex_ < 0) {
        errorCode = ErrorFromAv(streamIndex_, BassError::FileFormat);
        return false;
    }
    const AVStream* stream = format_->streams[streamIndex_];
    if (IsMpegAudio(stream->codecpar->codec_id)) {
        // The fixed-point MPEG decoders carry their rounding error from sample to sample for
        // ever, so output after a seek would differ from a decode from the start by one step;
        // the floating-point ones settle within the pre-roll.
        const AVCodec* floating =
            avcodec_find_decoder_by_name(stream->codecpar->codec_id == AV_CODEC_ID_MP1   ? "mp1float"
                                         : stream->codecpar->codec_id == AV_CODEC_ID_MP2 ? "mp2float"
                                                                                         : "mp3float");
        decoder = floating != nullptr ? floating : decoder;
    }
    sampleRate_ = stream->codecpar->sample_rate;
    sourceChannels_ = stream->codecpar->ch_layout.nb_channels;
    codecId_ = stream->codecpar->codec_id;
    if (!PlayableLimits::RateOk(sampleRate_) || !PlayableLimits::ChannelsOk(sourceChannels_)) {
        errorCode = BassError::FileFormat;
        return false;
    }
    for (unsigned i = 0; i < format_->nb_streams; ++i) {
        format_->streams[i]->discard =
            static_cast<int>(i) == streamIndex_ ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
        statedFrames_ = av_rescale_q(stream->duration, stream->time_base, AVRational{1, sampleRate_});
    }
    if (!PlayableLimits::LengthOk(statedFrames_, sampleRate_)) {
        errorCode = BassError::FileFormat;
        return false;
    }
    return true;
}

bool FfmpegInput::openDecoder(int& errorCode)
{
    const AVStream* stream = format_->streams[streamIndex_];
    int r = avcodec_parameters_to_context(codec_, stream->codecpar);
    if (r < 0) {
        errorCode = ErrorFromAv(r, BassError::Codec);
        return false;
    }
    codec_->pkt_timebase = stream->time_base;
    if (TimesFramesRoughly(codecId_)) {
        codec_->flags2 |= AV_CODEC_FLAG2_SKIP_MANUAL;
        // Trimmed by the caller against its packet index, so the sound starts on its first
        // real sample; a delay the file declares replaces it.
        declaredSkipStart_ = InherentDelayFrames(codecId_, sampleRate_);
    }
    r = avcodec_open2(codec_, codec_->codec, nullptr);
    if (r < 0) {
        errorCode = ErrorFromAv(r, BassError::Codec);
        return false;
    }
    errorCode = BassError::Ok;
    return true;
}

int FfmpegInput::readAudioPacket()
{
    for (;;) {
        const int r = av_read_frame(format_, packet_);
        if (r < 0) {
            // End of file and read errors alike end the stream: what was decoded stays playable.
            return 0;
        }
        if (packet_->stream_index == streamIndex_) {
            return 1;
        }
        av_packet_unref(packet_);
    }
}

void FfmpegInput::noteSkipData()
{
    std::size_t size = 0;
    const std::uint8_t* data = av_packet_get_side_data(packet_, AV_PKT_DATA_SKIP_SAMPLES, &size);
    if (data != nullptr && size >= 8 && packet_->pos >= 0 && !skipDeclared_) {
        declaredSkipStart_ = AV_RL32(data);
        skipDeclared_ = true;
    }
}

std::int64_t FfmpegInput::packetTimeInFrames() const
{
    const AVStream* stream = format_->streams[streamIndex_];
    const std::int64_t ts = packet_->pts != AV_NOPTS_VALUE ? packet_->pts : packet_->dts;
    if (ts == AV_NOPTS_VALUE) {
        return kNoTime;
    }
    const std::int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    // A damaged header may claim any time: one that would overflow is as good as none.
    constexpr std::int64_t kLimit = std::int64_t{1} << 40;
    std::int64_t since = 0;
    if (__builtin_sub_overflow(ts, origin, &since) || since > kLimit || since < -kLimit) {
        return kNoTime;
    }
    return av_rescale_q(since, stream->time_base, AVRational{1, sampleRate_});
}

int FfmpegInput::nextPacket(PacketInfo& info)
{
    if (readAudioPacket() == 0) {
        return 0;
    }
    const AVStream* stream = format_->streams[streamIndex_];
    info = PacketInfo{};
    info.pos = packet_->pos;
    if (packet_->duration > 0) {
        info.frames = av_rescale_q(packet_->duration, stream->time_base, AVRational{1, sampleRate_});
    }
    std::size_t size = 0;
    const std::uint8_t* data = av_packet_get_side_data(packet_, AV_PKT_DATA_SKIP_SAMPLES, &size);
    if (data != nullptr && size >= 8) {
        info.skipStart = AV_RL32(data);
        info.skipEnd = AV_RL32(data + 4);
    }
    av_packet_unref(packet_);
    return 1;
}

int FfmpegInput::decodeNext(Chunk& chunk)
{
    int badInARow = 0;
    for (int step = 0; step < kMaxStepsPerChunk && badInARow < kMaxBadPacketsInARow; ++step) {
        if (drained_) {
            return 0;
        }
        const int got = avcodec_receive_frame(codec_, frame_);
        if (got == 0) {
            const bool ok = convertFrame(chunk);
            av_frame_unref(frame_);
            if (!ok) {
                return -1;
            }
            if (chunk.frames > 0) {
                return 1;
            }
            continue;
        }
        if (got == AVERROR_EOF) {
            drained_ = true;
            return 0;
        }
        if (got != AVERROR(EAGAIN)) {
            ++badInARow;
        }
        if (endOfFile_) {
            // The decoder was told the input ended; it must now drain or report the end.
            if (got == AVERROR(EAGAIN)) {
                drained_ = true;
            }
            continue;
        }
        if (readAudioPacket() == 0) {
            endOfFile_ = true;
            avcodec_send_packet(codec_, nullptr);
            continue;
        }
        packetPos_ = packet_->pos;
        packetTime_ = packetTimeInFrames();
        noteSkipData();
        const int sent = avcodec_send_packet(codec_, packet_);
        av_packet_unref(packet_);
        badInARow = (sent < 0 && sent != AVERROR(EAGAIN)) ? badInARow + 1 : 0;
    }
    return -1;
}

bool FfmpegInput::ensureConverter()
{
    const int channels = frame_->ch_layout.nb_channels;
    if (swr_ != nullptr && swrFormat_ == frame_->format && swrChannels_ == channels &&
        swrRate_ == frame_->sample_rate) {
        return true;
    }
    swr_free(&swr_);
    AVChannelLayout in{};
    if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
        av_channel_layout_default(&in, channels);
    } else if (av_channel_layout_copy(&in, &frame_->ch_layout) < 0) {
        return false;
    }
    AVChannelLayout out{};
    av_channel_layout_default(&out, channels == 1 ? 1 : 2);
    const int inRate = frame_->sample_rate > 0 ? frame_->sample_rate : sampleRate_;
    int r = swr_alloc_set_opts2(&swr_, &out, AV_SAMPLE_FMT_S16, sampleRate_, &in,
                                static_cast<AVSampleFormat>(frame_->format), inRate, 0, nullptr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
    if (r < 0 || swr_init(swr_) < 0) {
        swr_free(&swr_);
        return false;
    }
    swrFormat_ = frame_->format;
    swrChannels_ = channels;
    swrRate_ = frame_->sample_rate;
    return true;
}

bool FfmpegInput::convertFrame(Chunk& chunk)
{
    chunk.frames = 0;
    chunk.packetPos = packetPos_;
    chunk.startFrame = -1;
    chunk.packetTime = packetTime_;
    // A damaged packet may decode to a frame claiming any rate or channel count: one outside
    // what the stream was opened with limits for is dropped like an undecodable packet.
    if (frame_->nb_samples <= 0 || !PlayableLimits::ChannelsOk(frame_->ch_layout.nb_channels) ||
        (frame_->sample_rate != 0 && !PlayableLimits::RateOk(frame_->sample_rate))) {
        return true;
    }
    if (!ensureConverter()) {
        return false;
    }
    const int outChannels = swrChannels_ == 1 ? 1 : 2;
    const int capacity = swr_get_out_samples(swr_, frame_->nb_samples);
    if (capacity <= 0) {
        return true;
    }
    convertBuffer_.resize(static_cast<std::size_t>(capacity) * outChannels);
    auto* out = reinterpret_cast<std::uint8_t*>(convertBuffer_.data());
    const int converted = swr_convert(
        swr_, &out, capacity, const_cast<const std::uint8_t**>(frame_->extended_data), frame_->nb_samples);
    if (converted < 0) {
        return false;
    }
    chunk.stereo.resize(static_cast<std::size_t>(converted) * 2);
    if (outChannels == 2) {
        std::copy_n(convertBuffer_.begin(), chunk.stereo.size(), chunk.stereo.begin());
    } else {
        for (int i = 0; i < converted; ++i) {
            chunk.stereo[2 * i] = convertBuffer_[i];
            chunk.stereo[2 * i + 1] = convertBuffer_[i];
        }
    }
    chunk.frames = converted;
    const AVStream* stream = format_->streams[streamIndex_];
    const std::int64_t ts = frame_->best_effort_timestamp;
    if (ts != AV_NOPTS_VALUE) {
        const std::int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
        chunk.startFrame = av_rescale_q(ts - origin, stream->time_base, AVRational{1, sampleRate_});
    }
    return true;
}

bool FfmpegInput::seekToFrameTimestamp(std::int64_t frame)
{
    const AVStream* stream = format_->streams[streamIndex_];
    const std::int64_t origin = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
    const std::int64_t ts = av_rescale_q(frame, AVRational{1, sampleRate_}, stream->time_base) + origin;
    if (avformat_seek_file(format_, streamIndex_, INT64_MIN, ts, ts, 0) < 0) {
        return false;
    }
    avcodec_flush_buffers(codec_);
    endOfFile_ = false;
    drained_ = false;
    return true;
}

bool FfmpegInput::seekToByte(std::int64_t pos)
{
    if (av_seek_frame(format_, streamIndex_, pos, AVSEEK_FLAG_BYTE) < 0) {
        return false;
    }
    avcodec_flush_buffers(codec_);
    endOfFile_ = false;
    drained_ = false;
    return true;
}
