// Many independent lookups run together, so that their reads go to the file
// server in a few batches instead of one read after another.
//
// Each task is plain code over the engine (KFind, LreadFile, ...) that reads
// nothing but the business system's files and keeps its results in its own
// slot. The tasks run in rounds: in each round every unfinished task runs again
// from its start, with its reads served from the job's ReadScope; a run that
// meets a read the scope does not hold yet stops there (ReadNotHeld), and the
// reads all runs of the round met are read as one batch before the next
// round. A lookup of an index of depth d thus costs d + 1 batches, however
// many keys are looked up. A task that ran to its end, or to an error, is done.
//
// Every task sees exactly what it would have seen run alone, one after
// another: its reads are the same reads, each answered with the same bytes or
// the same failure. What else a run does is kept in step with that order:
//   - a file the engine has not opened yet is opened only by the first
//     unfinished task, so files open (and take their numbers) in the order
//     the tasks one after another would have opened them;
//   - the notices a task gives are kept with it, from its last run, for the
//     caller to give when it shows that task's result;
//   - after a task that ended with an error (with `stopAtFailure`), the tasks
//     after it are never run again: one after another, they would not have run.
//
//   ReadRounds rounds(lines.size());
//   rounds.run([&](std::size_t i) { rows[i] = lookUp(lines[i]); });
//   for (std::size_t i = 0; i < lines.size(); ++i) {
//     rounds.giveNotices(i);
//     if (rounds.error(i)) std::rethrow_exception(rounds.error(i));
//     show(rows[i]);
//   }
#pragma once

#include <cstddef>
#include <exception>
#include <functional>
#include <vector>

#include "base/Notice.h"

namespace velta {

class ReadRounds {
 public:
  explicit ReadRounds(std::size_t tasks, bool stopAtFailure = true);

  // Runs every task to its end or to an error, within the open ReadScope (or one of its own).
  void run(const std::function<void(std::size_t)>& task);

  // Whether task i ran to its end or to an error (false: never needed after an earlier failure).
  bool done(std::size_t i) const { return done_[i]; }
  const std::exception_ptr& error(std::size_t i) const { return errors_[i]; }
  const std::vector<Notice>& notices(std::size_t i) const { return notices_[i]; }
  // Gives task i's notices, in the order it gave them.
  void giveNotices(std::size_t i) const;

  // Rounds run, and batches read between them.
  std::size_t rounds() const { return rounds_; }

 private:
  // Runs task i once; true when it finished (to its end or an error).
  bool runOnce(const std::function<void(std::size_t)>& task, std::size_t i);

  bool stopAtFailure_;
  std::vector<bool> done_;
  std::vector<std::exception_ptr> errors_;
  std::vector<std::vector<Notice>> notices_;
  std::size_t rounds_ = 0;
};

}  // namespace velta
