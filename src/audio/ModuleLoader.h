#pragma once

#include <string>

// Loads one of the program's modules (the file decoder, the output layer): beside the program (a
// build, or a copy with its modules), then where the installation put it (<prefix>/lib/.../rallybox
// for <prefix>/bin), then the library path's. Without the executable's path no relative candidate
// is tried: the working directory is no place to load code from.
// Returns the handle of the first candidate that loads and has `entry`, with the file it came from
// in `loadedFrom`; null when none does. The module stays loaded for the run.
void* LoadProgramModule(const char* fileName, const char* entry, std::string& loadedFrom);
