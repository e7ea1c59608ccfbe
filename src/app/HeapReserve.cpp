#include "app/HeapReserve.h"

#include <malloc.h>

namespace HeapReserve {

namespace {
// A thread's heap is made ready with this much room when it is created (and the main heap grows
// by as much). Without it the allocator grows a thread's heap page by page, each step a change of
// the address space that holds every other thread's page faults and mappings: the set file's
// reading thread, which takes about 22 MB, made about 3000 of them while the window's thread
// loaded its libraries, and the window's thread stood waiting. Untouched, the room costs no
// memory.
constexpr int kHeapStep = 32 * 1024 * 1024;
// Setting the step above stops the allocator from raising this threshold by itself; these are
// the sizes it would have come to serve from the heaps instead of mapping each one anew.
constexpr int kMappedFrom = 4 * 1024 * 1024;
} // namespace

void Apply()
{
    mallopt(M_TOP_PAD, kHeapStep);
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
}

} // namespace HeapReserve
