#include "audio/EngineError.h"

namespace {
thread_local int lastErrorCode = 0;
}

namespace EngineError {
void Set(int code) { lastErrorCode = code; }
int Get() { return lastErrorCode; }
bool Fail(int code)
{
    lastErrorCode = code;
    return false;
}
} // namespace EngineError
