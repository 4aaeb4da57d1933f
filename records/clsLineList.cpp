#include "records/clsLineList.h"

#include "engine/cBusinessBasic.h"

namespace velta {

clsLineList::clsLineList() : mCol(std::make_shared<cBusinessBasic>()) {}

clsLineList::~clsLineList() = default;

}  // namespace velta
