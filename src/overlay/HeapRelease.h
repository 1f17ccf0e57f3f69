#pragma once

namespace vellaro {

// Hands the heap's free pages back to the system (glibc keeps them
// otherwise); a program that lives in the panel all day stays small.
void releaseFreeHeap();

// Lets every thread allocate from the one heap releaseFreeHeap() trims.
// glibc otherwise gives each new thread (Qt's image workers among them) a
// heap of its own that keeps about a megabyte resident for good. Call
// before any thread starts.
void shareOneHeapAcrossThreads();

} // namespace vellaro
