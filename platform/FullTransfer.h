// Whole positioned transfers out of partial ones. A file system or a server may
// move fewer bytes than asked in one call (a signal, the size of one reply);
// these repeat the call until all is moved, or, for reads, the end is reached.
//
//   std::size_t got = readFully(length, [&](std::size_t done) {
//     return readSome(offset + done, buffer + done, length - done);   // 0 at the end
//   });
#pragma once

#include <cstddef>

namespace velta {

// `readSome(done)` reads at most `length - done` bytes after the `done` already
// read and returns how many, 0 at the end; it throws on failure.
template <class ReadSome>
std::size_t readFully(std::size_t length, ReadSome&& readSome) {
  std::size_t done = 0;
  while (done < length) {
    const std::size_t n = readSome(done);
    if (n == 0) break;
    done += n;
  }
  return done;
}

// `writeSome(done)` writes at least one of the `length - done` bytes after the
// `done` already written and returns how many; it throws on failure.
template <class WriteSome>
void writeFully(std::size_t length, WriteSome&& writeSome) {
  std::size_t done = 0;
  while (done < length) done += writeSome(done);
}

}  // namespace velta
