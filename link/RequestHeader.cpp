#include "link/RequestHeader.h"

#include <cstdio>
#include <ctime>

#include "link/CheckToken.h"

namespace velta {

namespace {

constexpr std::string_view kSenderName = "H-BRONTEK";
constexpr std::string_view kSenderCode = "8153";

std::string_view setNumber(MessageSet set) {
  switch (set) {
    case MessageSet::Order850: return "850";
    case MessageSet::Status869: return "869";
    case MessageSet::Inquiry846: return "846";
  }
  return {};
}

std::string_view channel(MessageSet set) { return set == MessageSet::Order850 ? "BMS" : "WEB"; }

std::string headerLine(MessageSet set, const RequestMoment& moment, const std::string& token) {
  std::string line = "00|//VELTA//";
  line += setNumber(set);
  line += "|||";
  line += kSenderName;
  line += '|';
  line += kSenderCode;
  line += '|' + moment.time + '|' + moment.date + "||";
  line += channel(set);
  line += "|||||||";  // ends field 9; fields 10 to 15 stay empty
  line += token;
  line += '\n';
  return line;
}

}  // namespace

RequestMoment RequestMoment::now() {
  const std::time_t clock = std::time(nullptr);
  std::tm local{};
  localtime_r(&clock, &local);
  char date[32];  // room for any year, so strftime never runs short
  char time[32];
  std::strftime(date, sizeof date, "%Y%m%d", &local);
  std::strftime(time, sizeof time, "%H:%M:%S", &local);
  return RequestMoment{date, time};
}

RequestMoment requestMomentOf(const DateTime& moment) {
  char date[16];
  char time[16];
  const auto clock = moment.time();
  std::snprintf(date, sizeof date, "%04d%02d%02d", yearOf(moment.date), monthOf(moment.date), dayOf(moment.date));
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()), static_cast<int>(clock.seconds().count()));
  return RequestMoment{date, time};
}

std::string requestHeaderLine(MessageSet set, const RequestMoment& moment) {
  return headerLine(set, moment, makeToken(moment.date, moment.time));
}

std::string requestHeaderLine(MessageSet set, const RequestMoment& moment, const TokenTable& table) {
  return headerLine(set, moment, makeToken(moment.date, moment.time, table));
}

std::string lengthLine(std::string_view message) { return std::to_string(message.size()) + "\n"; }

}  // namespace velta
