// What a control's error box says about a failure that reached one of its
// handlers: the engine's number and description, or the runtime's numbers for
// what is not the engine's (7 out of memory, 51 an internal error). Every
// handler catches everything, because an exception through a Qt event
// handler ends the host process.
//
//   } catch (...) {
//     const Failure failure = failureOf(std::current_exception());
//     box(" Error " + std::to_string(failure.number) + "  " + failure.description + ...);
//   }
#pragma once

#include <exception>
#include <string>

namespace velta::qt {

struct Failure {
  int number = 0;
  std::string description;
  std::string detail;  // what the description does not say, shown on a line of its own
};

Failure failureOf(const std::exception_ptr& error);

}  // namespace velta::qt
