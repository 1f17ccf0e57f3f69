#pragma once

namespace vellaro {

// Hands the heap's free pages back to the system (glibc keeps them
// otherwise); a program that lives in the panel all day stays small.
void releaseFreeHeap();

} // namespace vellaro
