// libsmbclient on several threads at once.
//
// Each call of libsmbclient works in frames of memory that it keeps on a stack
// of its own; unless the library is given mutex and thread-local-storage
// functions first, that stack is one for the whole process, and two threads
// inside the library at once free each other's frames. The public calls that
// hand over those functions are declared in libsmbclient.h but not exported by
// every build (Debian 12's is one without them), so this gives the library's
// utility layer the same POSIX-threads functions directly, once, before the
// first context is made. Where that is not possible either, the pool of
// connections stays empty and every read goes over the share's own connection.
//
// A copy of this code in a second library of the same process gives the same
// functions again; that is harmless because nothing else is inside libsmbclient
// while a context is being made (contexts are made on the host's thread, or by
// a worker while the host's thread waits for its batch).
//
//   if (smbThreadsReady()) ... contexts may now be used on several threads ...
#pragma once

namespace velta {

// Gives libsmbclient its thread functions on the first call; whether several
// threads may now use libsmbclient, each with contexts of its own.
bool smbThreadsReady();

}  // namespace velta
