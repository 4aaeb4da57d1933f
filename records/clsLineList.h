// A holder of a private data engine: creating it starts a new engine (which
// runs the engine's start-up), releasing it ends that engine.
//
//   clsLineList list;
//   list.mCol->KCount("LINEI");
#pragma once

#include <memory>

namespace velta {

class cBusinessBasic;

class clsLineList {
 public:
  clsLineList();
  ~clsLineList();
  clsLineList(const clsLineList&) = delete;
  clsLineList& operator=(const clsLineList&) = delete;

  std::shared_ptr<cBusinessBasic> mCol;
};

}  // namespace velta
