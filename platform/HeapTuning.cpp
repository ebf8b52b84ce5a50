#include "platform/HeapTuning.h"

#include <malloc.h>

namespace {

// Free space above this size at the top of the heap goes back to the system. A frame's
// working buffers stay well below it, the peak memory of loading is not affected (freed
// memory is reused before the heap grows), and a real surplus is still returned.
constexpr int heapTrimThreshold = 64 * 1024 * 1024; // bytes

} // namespace

void keepFreedHeapMemory()
{
    mallopt(M_TRIM_THRESHOLD, heapTrimThreshold);
}

void returnFreedHeapMemory()
{
    malloc_trim(0);
}
