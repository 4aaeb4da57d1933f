// The engine never shows anything itself. The few notices the system gives
// (an index pointing out of range, a missing settings file, a share that cannot
// be reached) go through the notice callback of the base state; the controls
// show them as message boxes, velta-data prints them on standard error.
#pragma once

#include <functional>
#include <string>

namespace velta {

struct Notice {
  enum class Icon { None, Critical, Information };
  std::string text;
  std::string title;           // empty: the box has no title of its own
  Icon icon = Icon::None;
  bool systemModal = false;
  // For the log only (a share that cannot be reached, a refused logon): a
  // control writes it to its host's log instead of showing a box.
  bool logOnly = false;
};

using NoticeCallback = std::function<void(const Notice&)>;

// Gives the notice to the base state's callback; does nothing when none is set.
void notify(const Notice& notice);

}  // namespace velta
