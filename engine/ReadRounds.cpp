#include "engine/ReadRounds.h"

#include <utility>

#include "base/BaseState.h"
#include "engine/ReadScope.h"

namespace velta {

namespace {

// The notice callback replaced for one run: what the run gives is kept.
class KeptNotices {
 public:
  explicit KeptNotices(std::vector<Notice>& into) : previous_(std::move(baseState().notice)) {
    into.clear();
    baseState().notice = [&into](const Notice& notice) { into.push_back(notice); };
  }
  ~KeptNotices() { baseState().notice = std::move(previous_); }
  KeptNotices(const KeptNotices&) = delete;
  KeptNotices& operator=(const KeptNotices&) = delete;

 private:
  NoticeCallback previous_;
};

}  // namespace

ReadRounds::ReadRounds(std::size_t tasks, bool stopAtFailure)
    : stopAtFailure_(stopAtFailure), done_(tasks, false), errors_(tasks), notices_(tasks) {}

bool ReadRounds::runOnce(const std::function<void(std::size_t)>& task, std::size_t i) {
  KeptNotices keep(notices_[i]);
  try {
    task(i);
  } catch (const ReadNotHeld&) {
    return false;
  } catch (...) {
    errors_[i] = std::current_exception();
  }
  return true;
}

void ReadRounds::run(const std::function<void(std::size_t)>& task) {
  ReadScope scope;
  const std::size_t count = done_.size();
  for (;;) {
    ++rounds_;
    bool earlierFinished = true;  // every task before this one is done
    bool unfinished = false;
    std::size_t firstUnfinished = count;
    scope.collect(true);
    for (std::size_t i = 0; i < count; ++i) {
      if (done_[i]) {
        if (stopAtFailure_ && errors_[i]) break;
        continue;
      }
      scope.allowOpening(earlierFinished);
      done_[i] = runOnce(task, i);
      if (!done_[i]) {
        if (firstUnfinished == count) firstUnfinished = i;
        earlierFinished = false;
        unfinished = true;
      } else if (stopAtFailure_ && errors_[i]) {
        break;
      }
    }
    scope.collect(false);
    scope.allowOpening(true);
    if (!unfinished) return;
    if (scope.fetchNoted() == 0) {
      // Nothing to read for anyone: the first unfinished task reads for itself.
      done_[firstUnfinished] = runOnce(task, firstUnfinished);
    }
  }
}

void ReadRounds::giveNotices(std::size_t i) const {
  for (const Notice& notice : notices_[i]) notify(notice);
}

}  // namespace velta
