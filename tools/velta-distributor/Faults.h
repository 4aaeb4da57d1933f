// The fault modes: how the simulator misbehaves on purpose, per run or per
// port, so that a workstation's handling of a bad distributor can be seen.
//
//   --fault MODE[=VALUE][@order|@status|@inquiry]      (repeatable)
//
//   | mode        | what the port does                                              |
//   |-------------|-----------------------------------------------------------------|
//   | pieces=N    | sends the answer in N pieces (2 to 1000), 25 ms apart; the      |
//   |             | first ends inside the length line                               |
//   | delay=S     | waits S seconds (above 0, at most 3600) before answering        |
//   | silent      | reads the request and acts on it (an order is accepted), and    |
//   |             | never answers                                                   |
//   | close-early | closes the connection after half the answer                     |
//   | exception   | refuses every request that passes the checks (error 190)        |
//   | malformed   | cuts the first record the workstation reads (Answers.h)         |
//   | too-long    | announces 16777217 bytes, one above the 16 MiB limit            |
//   | refuse      | closes each connection at once, reading nothing                 |
//
// A mode without "@" holds for every port; a mode with one for that port, in
// place of the same mode for every port. "silent" and "refuse" go with no
// other mode on the same port.
//
//   FaultPlan plan = parseFaults({"pieces=3@order", "delay=0.5"});
//   plan[serviceIndex(Service::Order)].pieces;     // 3
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "link/AnswerFraming.h"
#include "link/RequestHeader.h"
#include "tools/velta-distributor/Distributor.h"

namespace velta::distributor {

enum class Service { Order, Status, Inquiry };
inline constexpr std::array<Service, 3> kServices{Service::Order, Service::Status, Service::Inquiry};

std::string_view serviceName(Service service);  // "order", "status", "inquiry"
MessageSet setOf(Service service);
constexpr std::size_t serviceIndex(Service service) { return static_cast<std::size_t>(service); }

inline constexpr int kMaxPieces = 1000;
inline constexpr double kMaxDelaySeconds = 3600;
inline constexpr std::chrono::milliseconds kPieceGap{25};
// Announced by too-long: one byte above the limit of the workstation's framing.
inline constexpr std::size_t kTooLongLength = AnswerFraming::kLimit + 1;

struct FaultSet {
  int pieces = 0;  // 0: the answer in one piece
  double delaySeconds = 0;
  bool silent = false, closeEarly = false, exception = false, malformed = false, tooLong = false, refuse = false;

  ContentFaults content() const { return {exception, malformed}; }
  // "pieces=3 delay=0.5", as the options name them; empty for none.
  std::string describe() const;
};

using FaultPlan = std::array<FaultSet, 3>;

// The plan of the --fault values; std::invalid_argument says what is wrong.
FaultPlan parseFaults(const std::vector<std::string>& options);

// The bytes sent for the answer `message`: its length line (announcing
// kTooLongLength with too-long) and the message; only the first half of them
// with close-early.
std::string deliveredBytes(std::string_view message, const FaultSet& faults);

// `bytes` in `pieces` pieces: the first holds the first half of the length
// line's digits (at least one), the rest are as even as the bytes allow.
// Fewer pieces when there are fewer bytes; one when `pieces` is below 2.
std::vector<std::string> splitIntoPieces(std::string_view bytes, int pieces);

}  // namespace velta::distributor
