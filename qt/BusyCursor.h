// The busy cursor over the application while a routine works without
// returning to the event loop (loading a purchase order from a distant file
// server), and the ordinary cursor over a box or form shown meanwhile.
//
//   {
//     BusyCursor busy;      // the wait cursor, at once
//     load();               // any way out, an exception too, restores it
//   }
//   ...
//   ArrowCursor arrow;      // around a modal dialog: the user is asked something
//   dialog.exec();
#pragma once

namespace velta::qt {

class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  bool set_ = false;
};

// The ordinary cursor while a modal dialog is up, when a busy cursor is showing.
class ArrowCursor {
 public:
  ArrowCursor();
  ~ArrowCursor();
  ArrowCursor(const ArrowCursor&) = delete;
  ArrowCursor& operator=(const ArrowCursor&) = delete;

 private:
  bool set_ = false;
};

}  // namespace velta::qt
