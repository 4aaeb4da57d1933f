#include "platform/SmbReadPool.h"

#include <fcntl.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <map>

#include "platform/SmbContext.h"

namespace velta {

namespace {

int lastError() { return errno ? errno : EIO; }

// Making a connection costs a few round trips (TCP, protocol, logon, share, file):
// about what this many reads cost on a connection that is there already.
constexpr std::size_t kReadsWorthAConnection = 8;

}  // namespace

struct SmbReadPool::Worker {
  int index = 0;
  std::thread thread;
  // Used on the worker's thread only; made and freed on the caller's, because
  // making and freeing a context changes libsmbclient's process-wide settings.
  std::unique_ptr<SmbContext> context;
  bool broken = false;     // its connection failed: the caller frees it and makes another
  std::map<uint64_t, SMBCFILE*> files;
  // Files to close; filled by forget() under the pool's lock.
  std::vector<uint64_t> toForget;
  bool connected = false;  // a file was opened on the context
  // The batch in which the worker last failed: it serves no more of that one.
  uint64_t faultedIn = 0;
};

struct SmbReadPool::Batch {
  uint64_t id = 0;
  std::deque<Read*> waiting;
  int wanted = 0;     // workers asked to help
  int faulted = 0;    // of them, those that left after a failure
  int inFlight = 0;
  int lastFault = EIO;
  int callerFault = 0;  // the caller's own connection failed: nothing more is tried
};

bool SmbReadPool::concernsTheFile(int error) {
  switch (error) {
    case ENOENT: case ENOTDIR: case EISDIR: case EACCES: case EPERM: case EROFS: case EEXIST:
    case EINVAL: case ENAMETOOLONG: case EBUSY: case ETXTBSY: case ENOSPC: case EFBIG: case EDQUOT:
      return true;
    default:
      return false;
  }
}

SmbReadPool::SmbReadPool(ShareTarget target, std::optional<SmbCredentials> credentials, int workers)
    : target_(std::move(target)), credentials_(std::move(credentials)) {
  for (int i = 0; i < std::max(workers, 0); ++i) {
    auto worker = std::make_unique<Worker>();
    worker->index = i;
    workers_.push_back(std::move(worker));
  }
}

SmbReadPool::~SmbReadPool() {
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  for (auto& worker : workers_) {
    if (worker->thread.joinable()) worker->thread.join();
    // Freeing the context closes its files and its connection.
    worker->files.clear();
    worker->context.reset();
  }
  if (credentials_) std::fill(credentials_->password.begin(), credentials_->password.end(), '\0');
}

int SmbReadPool::connectionsMade() const { return connectionsMade_.load(); }
uint64_t SmbReadPool::readCalls() const { return readCalls_.load(); }

void SmbReadPool::forget(uint64_t file) {
  std::lock_guard lock(mutex_);
  for (auto& worker : workers_) {
    if (worker->thread.joinable()) worker->toForget.push_back(file);
  }
}

void SmbReadPool::failWaiting(Batch& batch, int error) {
  for (Read* left : batch.waiting) {
    left->got = 0;
    left->error = error;
  }
  batch.waiting.clear();
}

SmbReadPool::Read* SmbReadPool::take(Batch& batch) {
  if (batch.waiting.empty()) return nullptr;
  Read* read = batch.waiting.front();
  batch.waiting.pop_front();
  ++batch.inFlight;
  return read;
}

namespace {

enum class Served { Done, GivenBack };

// Reads on a worker's own connection. A failure of the file is the read's own;
// a failure to connect or to open, or of the connection, gives the read back.
Served serveOnWorker(SmbContext& smb, std::map<uint64_t, SMBCFILE*>& files, SmbReadPool::Read& read,
                     std::atomic<uint64_t>& readCalls, int& fault, bool& connectionBroken) {
  SMBCFILE*& file = files[read.file];
  if (!file) {
    errno = 0;
    file = smb.open(read.relativePath, O_RDONLY);
    if (!file) {
      files.erase(read.file);
      fault = lastError();
      connectionBroken = !SmbReadPool::concernsTheFile(fault);
      return Served::GivenBack;
    }
  }
  std::size_t done = 0;
  while (done < read.length) {
    errno = 0;
    ++readCalls;
    const ssize_t n = smb.readAt(file, read.offset + done, read.buffer + done, read.length - done);
    if (n < 0) {
      const int error = lastError();
      if (SmbReadPool::concernsTheFile(error)) {
        read.got = 0;
        read.error = error;
        return Served::Done;
      }
      fault = error;
      connectionBroken = true;
      return Served::GivenBack;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  read.got = done;
  read.error = 0;
  return Served::Done;
}

}  // namespace

void SmbReadPool::closeForgotten(Worker& worker, std::unique_lock<std::mutex>& lock) {
  if (worker.toForget.empty()) return;
  const std::vector<uint64_t> closing = std::move(worker.toForget);
  worker.toForget.clear();
  lock.unlock();
  for (const uint64_t file : closing) {
    const auto open = worker.files.find(file);
    if (open == worker.files.end()) continue;
    if (worker.context) worker.context->close(open->second);
    worker.files.erase(open);
  }
  lock.lock();
}

bool SmbReadPool::openOnWorker(Worker& worker, const Read& read) {
  errno = 0;
  SMBCFILE* file = worker.context->open(read.relativePath, O_RDONLY);
  if (!file) return false;
  worker.files[read.file] = file;
  if (!worker.connected) {
    worker.connected = true;
    ++connectionsMade_;
  }
  return true;
}

void SmbReadPool::work(Worker& worker) {
  std::unique_lock lock(mutex_);
  for (;;) {
    // A worker touches libsmbclient only while a batch is under way (its caller
    // waits for it) and as the pool ends: see SmbThreads.h.
    wake_.wait(lock, [&] {
      return ending_ ||
             (batch_ && !batch_->waiting.empty() && worker.index < batch_->wanted && worker.faultedIn != batch_->id);
    });
    if (ending_) break;
    closeForgotten(worker, lock);

    Batch& batch = *batch_;
    // The connection is made, and the file opened, before a read is taken, so
    // that no read waits for a worker that is still connecting. The batch does
    // not end while this runs (it counts as in flight): a worker is never
    // inside libsmbclient once its caller has gone on.
    if (!worker.files.count(batch.waiting.front()->file)) {
      const Read ahead = *batch.waiting.front();
      ++batch.inFlight;
      lock.unlock();
      const bool opened = openOnWorker(worker, ahead);
      const int fault = opened ? 0 : lastError();
      lock.lock();
      --batch.inFlight;
      if (!opened) {
        if (!concernsTheFile(fault)) worker.broken = true;
        batch.lastFault = fault;
        ++batch.faulted;
        worker.faultedIn = batch.id;
        changed_.notify_all();
        continue;
      }
      changed_.notify_all();
    }
    while (Read* read = take(batch)) {
      lock.unlock();
      int fault = 0;
      bool broken = false;
      const Served served = serveOnWorker(*worker.context, worker.files, *read, readCalls_, fault, broken);
      if (!worker.connected && !worker.files.empty()) {
        worker.connected = true;
        ++connectionsMade_;
      }
      lock.lock();
      if (broken) {
        // A fresh context with the next batch: libsmbclient's own reconnecting is not relied on.
        worker.files.clear();
        worker.broken = true;
      }
      --batch.inFlight;
      if (served == Served::GivenBack && fault == ETIMEDOUT) {
        // The server did not answer within the deadline: it will not answer the
        // reads still waiting either, on this connection or another.
        read->got = 0;
        read->error = fault;
        failWaiting(batch, fault);
        worker.faultedIn = batch.id;
        changed_.notify_all();
        break;
      }
      if (served == Served::GivenBack) {
        batch.waiting.push_front(read);
        batch.lastFault = fault;
        ++batch.faulted;
        worker.faultedIn = batch.id;
        changed_.notify_all();
        wake_.notify_all();  // another connection may take it
        break;
      }
      changed_.notify_all();
    }
  }
}

void SmbReadPool::serveOnCaller(Batch& batch, const CallerRead& callerRead, std::unique_lock<std::mutex>& lock) {
  while (Read* read = take(batch)) {
    --batch.inFlight;
    if (batch.callerFault != 0) {
      // A read a worker gave back after the server went away: not tried again.
      read->got = 0;
      read->error = batch.callerFault;
      continue;
    }
    ++batch.inFlight;
    lock.unlock();
    const int error = callerRead(*read);
    lock.lock();
    --batch.inFlight;
    read->error = error;
    if (error != 0 && !concernsTheFile(error)) {
      // The share's own connection has failed: the server is gone or does not answer.
      batch.callerFault = error;
      failWaiting(batch, error);
    }
  }
}

void SmbReadPool::read(const std::vector<Read*>& reads, const CallerRead& callerRead) {
  if (reads.empty()) return;
  Batch batch;
  batch.waiting.assign(reads.begin(), reads.end());
  // Connections already made help with any batch; a new one only with a batch
  // that has enough reads to pay for the round trips of making it.
  const std::size_t helpers = callerRead ? reads.size() - 1 : reads.size();
  std::size_t connected = 0;
  while (connected < workers_.size() && workers_[connected]->connected && !workers_[connected]->broken) ++connected;
  const std::size_t worthNew = callerRead ? reads.size() / kReadsWorthAConnection : reads.size();
  batch.wanted = static_cast<int>(std::min({workers_.size(), helpers, std::max(connected, worthNew)}));

  // Contexts are made here, on the caller's thread, before any worker runs;
  // each connects when its worker first opens a file.
  for (int i = 0; i < batch.wanted; ++i) {
    Worker& worker = *workers_[static_cast<std::size_t>(i)];
    if (worker.broken) {
      worker.context.reset();
      worker.broken = false;
    }
    if (!worker.context) {
      worker.context = std::make_unique<SmbContext>(target_, credentials_);
      worker.connected = false;
    }
  }
  std::unique_lock lock(mutex_);
  batch.id = ++batches_;
  batch_ = &batch;
  for (int i = 0; i < batch.wanted; ++i) {
    Worker& worker = *workers_[static_cast<std::size_t>(i)];
    if (!worker.thread.joinable()) worker.thread = std::thread([this, &worker] { work(worker); });
  }
  wake_.notify_all();
  for (;;) {
    if (callerRead) serveOnCaller(batch, callerRead, lock);
    if (batch.waiting.empty() && batch.inFlight == 0) break;
    if (!callerRead && !batch.waiting.empty() && batch.faulted >= batch.wanted) {
      failWaiting(batch, batch.lastFault);
      continue;
    }
    changed_.wait(lock);
  }
  batch_ = nullptr;
}

}  // namespace velta
