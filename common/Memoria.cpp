#include "common/Memoria.h"

// Any header of the C library says whether it is glibc.
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Memoria {

void TrattieniLiberata()
{
#if defined(__GLIBC__)
    // Large blocks from the heap rather than each from the system, and the heap's top kept
    // up to a size a long list's copies reach, rather than trimmed after every free.
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
#endif
}

} // namespace Memoria
