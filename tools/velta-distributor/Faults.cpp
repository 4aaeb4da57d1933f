#include "tools/velta-distributor/Faults.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace velta::distributor {

namespace {

std::string inQuotes(std::string_view text) { return "\"" + std::string(text) + "\""; }

[[noreturn]] void bad(std::string_view given, const std::string& what) {
  throw std::invalid_argument("--fault " + inQuotes(given) + ": " + what);
}

std::string formatSeconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return text;
}

// Applies one mode with its value to `set`.
void apply(FaultSet& set, std::string_view given, std::string_view mode, std::string_view value, bool hasValue) {
  const auto noValue = [&] {
    if (hasValue) bad(given, "the mode " + inQuotes(mode) + " takes no value");
  };
  if (mode == "pieces") {
    int n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    if (!hasValue || error != std::errc() || end != value.data() + value.size() || n < 2 || n > kMaxPieces) {
      bad(given, "pieces needs a whole number from 2 to " + std::to_string(kMaxPieces) + ": pieces=N");
    }
    set.pieces = n;
  } else if (mode == "delay") {
    double seconds = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (!hasValue || error != std::errc() || end != value.data() + value.size() || !std::isfinite(seconds) ||
        seconds <= 0 || seconds > kMaxDelaySeconds) {
      bad(given, "delay needs seconds above 0 and at most 3600: delay=SECONDS");
    }
    set.delaySeconds = seconds;
  } else if (mode == "silent") {
    noValue();
    set.silent = true;
  } else if (mode == "close-early") {
    noValue();
    set.closeEarly = true;
  } else if (mode == "exception") {
    noValue();
    set.exception = true;
  } else if (mode == "malformed") {
    noValue();
    set.malformed = true;
  } else if (mode == "too-long") {
    noValue();
    set.tooLong = true;
  } else if (mode == "refuse") {
    noValue();
    set.refuse = true;
  } else {
    bad(given, "there is no mode " + inQuotes(mode) +
                  "; the modes are pieces=N, delay=SECONDS, silent, close-early, exception, malformed, too-long "
                  "and refuse");
  }
}

void checkAlone(const FaultSet& set, Service service) {
  if (!set.silent && !set.refuse) return;
  FaultSet others = set;
  others.silent = others.refuse = false;
  const std::string with = set.silent && set.refuse ? "refuse" : others.describe();
  if (with.empty()) return;
  throw std::invalid_argument("--fault: on the " + std::string(serviceName(service)) + " port " +
                              inQuotes(set.silent ? "silent" : "refuse") + " goes with no other mode, not with " +
                              inQuotes(with));
}

}  // namespace

std::string_view serviceName(Service service) {
  switch (service) {
    case Service::Order: return "order";
    case Service::Status: return "status";
    case Service::Inquiry: return "inquiry";
  }
  return {};
}

MessageSet setOf(Service service) {
  switch (service) {
    case Service::Order: return MessageSet::Order850;
    case Service::Status: return MessageSet::Status869;
    case Service::Inquiry: return MessageSet::Inquiry846;
  }
  return MessageSet::Order850;
}

std::string FaultSet::describe() const {
  std::string text;
  const auto add = [&](bool on, const std::string& name) {
    if (!on) return;
    if (!text.empty()) text += ' ';
    text += name;
  };
  add(pieces > 0, "pieces=" + std::to_string(pieces));
  add(delaySeconds > 0, "delay=" + formatSeconds(delaySeconds));
  add(silent, "silent");
  add(closeEarly, "close-early");
  add(exception, "exception");
  add(malformed, "malformed");
  add(tooLong, "too-long");
  add(refuse, "refuse");
  return text;
}

FaultPlan parseFaults(const std::vector<std::string>& options) {
  FaultPlan plan;
  // Modes for every port first, so that one for a port replaces them whatever the order given.
  for (bool forOnePort : {false, true}) {
    for (const std::string& given : options) {
      std::string_view rest = given;
      std::optional<Service> only;
      if (const auto at = rest.rfind('@'); at != std::string_view::npos) {
        const std::string_view port = rest.substr(at + 1);
        for (Service s : kServices) {
          if (port == serviceName(s)) only = s;
        }
        if (!only) bad(given, "the port is " + inQuotes(port) + ", not order, status or inquiry");
        rest = rest.substr(0, at);
      }
      if (only.has_value() != forOnePort) continue;
      const auto equals = rest.find('=');
      const std::string_view mode = rest.substr(0, equals);
      const std::string_view value = equals == std::string_view::npos ? std::string_view{} : rest.substr(equals + 1);
      for (Service s : kServices) {
        if (!only || *only == s) apply(plan[serviceIndex(s)], given, mode, value, equals != std::string_view::npos);
      }
    }
  }
  for (Service s : kServices) checkAlone(plan[serviceIndex(s)], s);
  return plan;
}

std::string deliveredBytes(std::string_view message, const FaultSet& faults) {
  const std::size_t announced = faults.tooLong ? kTooLongLength : message.size();
  std::string bytes = std::to_string(announced) + "\n";
  bytes += message;
  if (faults.closeEarly) bytes.resize(bytes.size() / 2);
  return bytes;
}

std::vector<std::string> splitIntoPieces(std::string_view bytes, int pieces) {
  if (pieces < 2 || bytes.size() < 2) return {std::string(bytes)};
  const std::size_t lf = std::min(bytes.find('\n'), bytes.size() - 1);
  const std::size_t first = std::max<std::size_t>(1, lf / 2);
  std::vector<std::string> out{std::string(bytes.substr(0, first))};
  std::string_view rest = bytes.substr(first);
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(pieces - 1), rest.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t size = rest.size() / (count - i);
    out.emplace_back(rest.substr(0, size));
    rest.remove_prefix(size);
  }
  return out;
}

}  // namespace velta::distributor
