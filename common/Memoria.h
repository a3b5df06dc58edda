#pragma once
// How the process keeps the memory it frees. A list of a hundred thousand lines goes through
// a few copies of tens of megabytes at each SORT or opening: returned to the system at once,
// every new copy would have to be handed over again page by page, which on some machines
// costs as much as the work itself.

namespace Memoria {

// Freed memory stays with the process up to what it has already reached, for the next copy
// to reuse. Called first thing in main(); where the allocator has no such settings, nothing.
void TrattieniLiberata();

} // namespace Memoria
