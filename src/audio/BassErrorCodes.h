#pragma once

// Error codes the audio engine reports through BASS_ErrorGetCode. The numbers are the ones the
// playback code and the error-text table rely on; the names are ours.
namespace BassError {
inline constexpr int Ok = 0;
inline constexpr int Memory = 1;
inline constexpr int FileOpen = 2;
inline constexpr int Driver = 3;
inline constexpr int BufferLost = 4;
inline constexpr int Handle = 5;
inline constexpr int Format = 6;
inline constexpr int Position = 7;
inline constexpr int Init = 8;
inline constexpr int Start = 9;
inline constexpr int Already = 14;
inline constexpr int NotPaused = 16;
inline constexpr int NoChannel = 18;
inline constexpr int IllegalType = 19;
inline constexpr int IllegalParam = 20;
inline constexpr int Device = 23;
inline constexpr int NotPlaying = 24;
inline constexpr int Frequency = 25;
inline constexpr int NotFile = 27;
inline constexpr int NoHardware = 29;
inline constexpr int Create = 33;
inline constexpr int NoEffects = 34;
inline constexpr int Playing = 35;
inline constexpr int NotAvailable = 37;
inline constexpr int Decode = 38;
inline constexpr int FileFormat = 41;
inline constexpr int Speaker = 42;
inline constexpr int Version = 43;
inline constexpr int Codec = 44;
// The file's open goes on in the background: ask again when it is done (never shown).
inline constexpr int Busy = 46;
inline constexpr int Unknown = -1;
} // namespace BassError
