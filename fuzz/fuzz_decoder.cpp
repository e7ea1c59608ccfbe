// Feeds arbitrary bytes to the decoder as a sound file (see DecoderExercise.h). Any crash, hang,
// leak or undefined behaviour is a finding, and so is a broken interface promise; a refusal at
// open is an ordinary outcome.
#include "DecoderExercise.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string stem = "/tmp/rbx-fuzz-decoder-" + std::to_string(getpid());
    if (!DecoderExercise::Run(data, size, stem)) {
        __builtin_trap();
    }
    return 0;
}
