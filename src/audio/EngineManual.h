#pragma once

#include "audio/Bass.h"
#include "audio/PcmSource.h"

#include <cstdint>
#include <memory>

// The engine without a device, for tests and benchmarks: the engine clock advances only by the
// frames rendered here, and the feeding of streams runs inside each render, so every result is
// exact and repeatable. Thread: the one test thread.

// Initialises the engine in manual-clock mode at `rate` Hz; flags as BASS_Init (BASS_DEVICE_MONO).
// Fails with BassError::Already while the engine is initialised.
bool EngineInitManual(std::uint32_t rate, std::uint32_t flags);
// Renders `frames` frames of the mixed output (interleaved float, 1 or 2 channels as initialised)
// into `out`, advancing the engine clock. Returns false when not in manual mode.
bool EngineRenderManual(float* out, int frames);
// Output channels of the initialised engine (0 when not initialised).
int EngineOutputChannels();
// A stream over an injected source, as BASS_StreamCreateFile would give for a file.
BassHandle EngineStreamCreate(std::unique_ptr<PcmSource> source, std::uint32_t flags);
