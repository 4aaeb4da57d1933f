#include "qt/ControlFailure.h"

#include <new>

#include "base/EngineError.h"

namespace velta::qt {

namespace {
// The runtime's numbers for failures that are not the engine's own.
constexpr int kOutOfMemory = 7;
constexpr int kInternalError = 51;
}  // namespace

Failure failureOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EngineError& e) {
    return {e.number(), e.description(), e.detail()};
  } catch (const std::bad_alloc&) {
    return {kOutOfMemory, "Out of memory", {}};
  } catch (const std::exception& e) {
    return {kInternalError, std::string("Internal error: ") + e.what(), {}};
  } catch (...) {
    return {kInternalError, "Internal error", {}};
  }
}

}  // namespace velta::qt
