// Gives memory that was freed back to the system.
//
// An answer of megabytes parsed into strings of its own leaves, once dropped,
// a heap full of free pieces between live ones; the C library keeps them for
// later (its heap shrinks only from the top), so the process would stay as
// large as it was at its peak while the answer's form is shown.
//
//   answer = OrderAnswer();          // the parsed copy goes
//   velta::qt::returnFreedMemory();  // and so do its pages
#pragma once

namespace velta::qt {

// Hands the free pages of the heap back (glibc); elsewhere it does nothing.
void returnFreedMemory();

}  // namespace velta::qt
