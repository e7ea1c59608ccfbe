#pragma once

// The last error code of the calling thread, as BASS_ErrorGetCode reports it.
namespace EngineError {
void Set(int code);
int Get();
// Sets the code and returns false, so a failing call can end with `return EngineError::Fail(...)`.
bool Fail(int code);
} // namespace EngineError
