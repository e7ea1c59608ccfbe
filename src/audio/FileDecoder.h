#pragma once

#include "PcmSource.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// Opens a sound file (WAV, BWF, MP1, MP2, MP3, OGG Vorbis, WMA, FLAC; the contents decide, not the
// name) and decodes it to interleaved 16-bit PCM at the file's own sample rate. outputChannels is
// 2 (stereo output; a mono file plays on both sides) or 1 (mono output: (left + right) / 2).
// The first packet is decoded before this returns, so the first read() does not wait.
//
// On success errorCode is BassError::Ok; on failure the result is null and errorCode is
// BassError::FileOpen (missing, unreadable or not a file), FileFormat (not a sound file, empty,
// or nothing decodable), Codec (no decoder for the codec) or Memory.
//
// Lengths are exact in frames:
// - WAV/BWF from the data chunk, FLAC from its total-samples field, Ogg Vorbis from the last
//   page's granule position: known at once;
// - MP1/MP2/MP3 by a scan of the frame headers on a helper thread (a few ms for a song), with
//   encoder delay and padding removed as a LAME/Xing tag declares; without such a tag the
//   decoder's own output length;
// - WMA by a decode pass on a helper thread (about 1/500 of the playing time).
// The scans are shared by every stream of the same file and the last few are kept, so a file
// opened again knows its length at once. Opening never waits for a scan to finish.
// lengthFrames() may be called from any thread and waits for the scan when it is still running;
// lengthFramesWithin() waits at most the time it is given and then returns the container's
// estimate (within a few tens of milliseconds of the exact figure), or, when the container states
// no length and the wait is not zero, the scan's measured length. A damaged or cut file ends
// cleanly where decoding stops, and from then on its length is what played; read() never
// returns -1.
// Thread: any thread; the returned source then belongs to one thread at a time (the length calls
// excepted).
// Without the decoder (its module missing or broken) every file fails with BassError::Codec.
std::unique_ptr<PcmSource> OpenAudioFile(const std::string& path, int outputChannels, int& errorCode);

// The same, for a caller that must not be held up by a file (the window's thread): the file is
// opened on a helper thread and waited for at most maxWait. An open still running then goes on in
// the background and the call fails with BassError::Busy; the same file asked for again gets what
// the open gave (the source, or its error) at once, or waits for the open still under way. For a
// while after, the file's further opens are not waited for (it sits on slow storage).
// An open whose decoder spends more than 200 ms of processor time is cut short and the file
// refused with FileFormat (and refused again at once for a few seconds); one that storage has not
// delivered after 10 s is refused with FileOpen. Waiting for storage or for a processor does not
// count against the decoder.
// `optional`: on a file known to be slow, no open is started (Busy at once).
std::unique_ptr<PcmSource> OpenAudioFileWithin(const std::string& path, int outputChannels,
                                               std::chrono::milliseconds maxWait, int& errorCode,
                                               bool optional = false);
// True while an open of the file goes on in the background.
bool AudioFileOpening(const std::string& path);
// Told (on the opener's thread) each time an open in the background has finished.
void SetAudioFileOpenedListener(std::function<void()> listener);
// Tests: every open waits in `gate` on its opener thread before it starts (slow storage made to
// order); an empty function lets opens run at once again.
void SetAudioFileOpenGate(std::function<void()> gate);

// The decoder and FFmpeg are loaded on the first use. The program calls this once its window is
// up, so the load runs on a helper thread instead of delaying the start or the first click.
void PrepareAudioFileDecoder();
// Loads the decoder now if it is not loaded yet; false when it cannot be loaded.
bool AudioFileDecoderAvailable();
// The module file the decoder was loaded from (loading it now if need be); empty when the
// decoder is linked into the program or cannot be loaded.
std::string AudioFileDecoderModule();
