// The connections that serve one SMB share's batches of reads at once.
//
// A server a wide-area link away answers each read a round trip later, and
// one libsmbclient context asks one thing at a time. A batch of reads is
// therefore shared out over several connections: the caller's own (the
// share's first connection, on the calling thread) and up to `workers` more,
// each a libsmbclient context of its own on a worker thread of its own. A
// worker connects when a batch first needs it and opens a file when it is
// first asked to read it; it keeps both until the pool ends, or the file is
// forgotten (its last holder closed it; the worker closes it with the next
// batch). Workers use libsmbclient only during a batch, while the caller waits
// for it (SmbThreads.h). Every connection takes the next read of the batch
// when it is free, and a worker connects and opens the file before it takes
// one, so a worker that is still connecting delays nothing. Connections made
// before help with every batch; a new one is made only for a batch with about
// eight reads for it, what making it costs. A batch of one read is served by
// the caller alone.
//
// Failures. A read gets the error number of its own failure. A worker that
// cannot connect or open the file, or whose connection fails, gives the read
// back and leaves the batch (it tries again with the next batch, once); the
// other connections take the read. When the caller's own connection fails
// with a fault of the connection (not of the file), or any connection's read
// is not answered within the deadline, every read still waiting fails with
// that fault at once: the server is gone, and a frozen server costs about one
// deadline (the share's timeout=), not one a read. When every connection has
// left the batch, the reads left fail with the last fault.
//
//   SmbReadPool pool(target, credentials, 7);
//   std::vector<SmbReadPool::Read*> reads = ...;          // file, path, offset, length, buffer
//   pool.read(reads, [&](SmbReadPool::Read& r) { return readOnMyConnection(r); });
//   reads[0]->error;                                      // 0, or errno of its failure
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/ShareMap.h"
#include "platform/SmbCredentials.h"

namespace velta {

class SmbReadPool {
 public:
  struct Read {
    uint64_t file = 0;          // the same number for the same open file
    std::string relativePath;   // where a worker opens it
    uint64_t offset = 0;
    std::size_t length = 0;
    char* buffer = nullptr;     // room for `length` bytes

    std::size_t got = 0;        // bytes read: `length`, fewer at the end of the file
    int error = 0;              // errno of the failure; 0 when read
  };
  // Serves one read on the caller's own connection: 0, or the errno of its failure.
  using CallerRead = std::function<int(Read&)>;

  SmbReadPool(ShareTarget target, std::optional<SmbCredentials> credentials, int workers);
  ~SmbReadPool();
  SmbReadPool(const SmbReadPool&) = delete;
  SmbReadPool& operator=(const SmbReadPool&) = delete;

  // Serves every read and returns when all have their bytes or their error.
  // Without `callerRead`, the workers alone serve the batch.
  void read(const std::vector<Read*>& reads, const CallerRead& callerRead);

  // The file's handles on the workers are closed (with the next batch, or as the pool ends).
  void forget(uint64_t file);

  // Connections the workers have made so far, and their read calls to the server.
  int connectionsMade() const;
  uint64_t readCalls() const;

  // Whether a failure concerns one file or folder rather than the connection.
  static bool concernsTheFile(int error);

 private:
  struct Worker;
  struct Batch;
  void work(Worker& worker);
  void closeForgotten(Worker& worker, std::unique_lock<std::mutex>& lock);
  // Opens the read's file on the worker's connection (connecting first when it must).
  bool openOnWorker(Worker& worker, const Read& read);
  // Takes the next read of the batch, or nothing; with the lock held.
  Read* take(Batch& batch);
  static void failWaiting(Batch& batch, int error);
  void serveOnCaller(Batch& batch, const CallerRead& callerRead, std::unique_lock<std::mutex>& lock);

  ShareTarget target_;
  std::optional<SmbCredentials> credentials_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;     // workers: a batch, a file to forget, the end
  std::condition_variable changed_;  // the caller: a read done, given back, or a worker gone
  Batch* batch_ = nullptr;
  uint64_t batches_ = 0;
  bool ending_ = false;
  std::vector<std::unique_ptr<Worker>> workers_;
  std::atomic<int> connectionsMade_{0};
  std::atomic<uint64_t> readCalls_{0};
};

}  // namespace velta
