#pragma once
// The memory allocator's settings for this program, set once at the top of main() before any
// other thread starts.
namespace HeapReserve {
void Apply();
}
