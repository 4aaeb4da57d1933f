// The one failure type of the core: a number, a source and a description.
//
// Every failure inside the engine, the records and the link travels up to the
// calling user-interface routine as an EngineError, unchanged. The runtime's
// general failures use the same type with their fixed numbers and texts:
//
//   throw EngineError::general(err::TypeMismatch, "Sys");   // 13 "Type mismatch"
//   throw EngineError(81, "iLreadFile", "Illegal Record Number for File: ...");
//
// what() gives "error <number> <source>: <description>", and ": <detail>" when
// there is one. The description of a general failure is the runtime's text,
// exactly; what the caller knows beyond it (which record of an answer fell
// short) is its detail, shown on a line of its own:
//
//   throw EngineError::general(err::SubscriptOutOfRange, "parseResponse",
//                              "record 3 of the answer has 24 fields, 25 needed");
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace velta {

namespace err {
// General failures of the runtime, with the fixed texts of generalDescription().
inline constexpr int InvalidCall = 5;           // invalid procedure call or argument
inline constexpr int Overflow = 6;              // a value does not fit 32 bits
inline constexpr int SubscriptOutOfRange = 9;   // a record or field that an answer lacks
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;         // a text that is not a number
inline constexpr int ObjectNotSet = 91;         // an object that was never created
inline constexpr int BadFileNumber = 52;        // a file handle that was closed
inline constexpr int BadRecordNumber = 63;      // a negative file offset

// File-system failures; the description adds the path.
inline constexpr int FileNotFound = 53;
inline constexpr int DeviceIoError = 57;
inline constexpr int PermissionDenied = 70;     // also a write to a read-only share
inline constexpr int PathFileAccessError = 75;
inline constexpr int PathNotFound = 76;

// Keyed collections.
inline constexpr int DuplicateKey = 457;

// The engine's own numbers.
inline constexpr int NotFound = -10;            // a handle or name that resolves to nothing
inline constexpr int IndexCorrupt = -20;        // an index block that breaks the format
inline constexpr int AnswerTooLarge = -21;      // an answer beyond the framing limit
inline constexpr int BadTokenTable = -22;       // a token table that cannot be used
}  // namespace err

class EngineError : public std::runtime_error {
 public:
  EngineError(int number, std::string source, std::string description, std::string detail = {});

  int number() const noexcept { return number_; }
  const std::string& source() const noexcept { return source_; }
  const std::string& description() const noexcept { return description_; }
  // What the description does not say; empty for most failures.
  const std::string& detail() const noexcept { return detail_; }

  // A general failure (5, 6, 9, 11, 13, 52, 63, 91, 53, 57, 70, 75, 76, 457) with its fixed text.
  static EngineError general(int number, std::string source, std::string detail = {});
  // A file-system failure: the fixed text, ": " and the path.
  static EngineError fileSystem(int number, std::string source, std::string_view path);

 private:
  int number_;
  std::string source_;
  std::string description_;
  std::string detail_;
};

// The fixed text of a general failure number; empty for numbers without one.
std::string_view generalDescription(int number);

}  // namespace velta
