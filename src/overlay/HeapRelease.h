#pragma once

namespace vellaro {

// Hands the heap's free pages back to the system (glibc keeps them
// otherwise); a program that lives in the panel all day stays small.
void releaseFreeHeap();

// Called once at start, before any thread runs: large blocks (the screen's
// picture, the blur, offscreen frames) are mapped on their own and handed
// back the moment they are freed. Left to itself glibc raises that bar to
// the largest block freed so far, after which such blocks stay in the heap
// of the thread that made them: the blur, run on each of the pool's
// threads in turn, would keep about a megabyte resident in every one.
void keepLargeBlocksOutOfTheHeap();

} // namespace vellaro
