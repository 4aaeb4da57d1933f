// Why the simulator refused a request: the error code and message of its
// exception answer. The codes, by what is wrong:
//
//   | code | what                                                        |
//   |------|-------------------------------------------------------------|
//   | 100  | the length line (missing, malformed, zero, above 16 MiB)    |
//   | 101  | the bytes received against the length line                  |
//   | 102  | the record syntax (no final LF, an empty record)            |
//   | 110  | the header's shape: field count, type, fields left empty    |
//   | 111  | the message set of the header (unknown, or another port's)  |
//   | 112  | the sender name or sender code                              |
//   | 113  | the time or the date of the header                          |
//   | 114  | the channel                                                 |
//   | 115  | the check token                                             |
//   | 120  | the record types and field counts of the set                |
//   | 121  | a field's value (an empty account, a quantity, no lines)    |
//   | 130  | an account the distributor does not know                    |
//   | 131  | an order the distributor does not know (status)             |
//   | 132  | an order the distributor has already received               |
//   | 140  | the order could not be recorded                             |
//   | 150  | the distributor holds as many orders as it takes            |
//   | 190  | refused on purpose (the fault mode "exception")             |
#pragma once

#include <string>

namespace velta::distributor {

namespace rejected {
inline constexpr int LengthLine = 100;
inline constexpr int LengthMismatch = 101;
inline constexpr int RecordSyntax = 102;
inline constexpr int HeaderShape = 110;
inline constexpr int MessageSet = 111;
inline constexpr int Sender = 112;
inline constexpr int TimeOrDate = 113;
inline constexpr int Channel = 114;
inline constexpr int CheckToken = 115;
inline constexpr int RecordLayout = 120;
inline constexpr int FieldValue = 121;
inline constexpr int UnknownAccount = 130;
inline constexpr int UnknownOrder = 131;
inline constexpr int DuplicateOrder = 132;
inline constexpr int NotRecorded = 140;
inline constexpr int Full = 150;
inline constexpr int OnPurpose = 190;
}  // namespace rejected

struct Rejection {
  int code = 0;
  std::string message;  // safe to stand in a field: no "|", LF or CR

  friend bool operator==(const Rejection&, const Rejection&) = default;
};

}  // namespace velta::distributor
