#include "base/EngineError.h"

namespace velta {

namespace {
std::string whatText(int number, const std::string& source, const std::string& description,
                     const std::string& detail) {
  std::string text = "error " + std::to_string(number) + " " + source + ": " + description;
  if (!detail.empty()) text += ": " + detail;
  return text;
}
}  // namespace

EngineError::EngineError(int number, std::string source, std::string description, std::string detail)
    : std::runtime_error(whatText(number, source, description, detail)),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      detail_(std::move(detail)) {}

std::string_view generalDescription(int number) {
  switch (number) {
    case err::InvalidCall: return "Invalid procedure call or argument";
    case err::Overflow: return "Overflow";
    case err::SubscriptOutOfRange: return "Subscript out of range";
    case err::DivisionByZero: return "Division by zero";
    case err::TypeMismatch: return "Type mismatch";
    case err::ObjectNotSet: return "Object variable or With block variable not set";
    case err::BadFileNumber: return "Bad file name or number";
    case err::BadRecordNumber: return "Bad record number";
    case err::FileNotFound: return "File not found";
    case err::DeviceIoError: return "Device I/O error";
    case err::PermissionDenied: return "Permission denied";
    case err::PathFileAccessError: return "Path/File access error";
    case err::PathNotFound: return "Path not found";
    case err::DuplicateKey: return "This key is already associated with an element of this collection";
    default: return {};
  }
}

EngineError EngineError::general(int number, std::string source, std::string detail) {
  return EngineError(number, std::move(source), std::string(generalDescription(number)), std::move(detail));
}

EngineError EngineError::fileSystem(int number, std::string source, std::string_view path) {
  std::string description(generalDescription(number));
  description += ": ";
  description += path;
  return EngineError(number, std::move(source), std::move(description));
}

}  // namespace velta
