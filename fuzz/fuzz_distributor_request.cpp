// Fuzz target of the distributor simulator's request reader and checks: the
// input is fed in pieces to the reader, and what it completes or refuses is
// answered by a distributor over a small catalog. Every answer must be a whole
// message the workstation's framing takes back unchanged: records ended by
// LF, the header first, an exception's record of six fields whose message
// holds no "|".
//
// Input: byte 0 is the separator that splits the rest into pieces (not fed);
// byte 1 chooses the port (its value modulo 3) and, in bit 2, whether the
// harness puts the right check token into a header that has a date and time
// (so that the records after the header are reached), in bit 3 the fault
// "exception", in bit 4 "malformed". The pieces follow from byte 2.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/EngineError.h"
#include "link/AnswerFraming.h"
#include "link/AnswerRecords.h"
#include "link/CheckToken.h"
#include "link/RequestHeader.h"
#include "link/TokenTable.h"
#include "tools/velta-distributor/CatalogFile.h"
#include "tools/velta-distributor/Distributor.h"
#include "tools/velta-distributor/OrderBook.h"
#include "tools/velta-distributor/RequestReader.h"
#include "tools/velta-distributor/WireText.h"

namespace {

using namespace velta;
using namespace velta::distributor;

void check(bool condition) {
  if (!condition) std::abort();
}

const Catalog& catalog() {
  static const Catalog c = parseCatalog(R"({
    "warehouses": [{"code": "01", "name": "FORT WAYNE, IN"}, {"code": "02", "name": "TOLEDO, OH"}],
    "accounts": [{"account": "104233"}, {"account": "9", "orderStatusCode": "1040"}],
    "lines": [{"code": "FIL", "parts": [
                {"part": "PH-3614", "retail": "12.49", "cost": "7.12", "stock": {"01": 5, "02": 20}, "availableInDays": 4},
                {"part": "1A0007", "retail": "20", "cost": "11.5", "available": "2024-07-01"}]},
              {"code": "BRX", "parts": [{"part": "D0007", "retail": "54", "cost": "31.20", "stock": {"02": 3}}]}]})",
                                        "fuzz catalog");
  return c;
}

const TokenTable& table() {
  static const TokenTable t = TokenTable::demonstration();
  return t;
}

// The message with the token of its header's own date and time, when it has them.
std::string withRightToken(const std::string& message) {
  const std::size_t lf = message.find('\n');
  if (lf == std::string::npos) return message;
  const auto fields = splitFields(std::string_view(message).substr(0, lf));
  if (fields.size() != 17 || tokenInputProblem(fields[7], fields[6])) return message;
  const std::size_t tokenAt = message.rfind('|', lf) + 1;
  return message.substr(0, tokenAt) + makeToken(fields[7], fields[6], table()) + message.substr(lf);
}

void checkAnswer(const Reply& reply) {
  const std::string& m = reply.message;
  check(m.rfind("00|//VELTA//", 0) == 0);
  check(!m.empty() && m.back() == '\n');
  check(m.find("\n\n") == std::string::npos);
  // As the workstation tells an exception: by its header line (record 0) alone;
  // the marker in a later record, an echoed part number say, is no exception.
  const bool exceptional = isExceptionHeader(std::string_view(m).substr(0, m.find('\n')));
  check(exceptional == reply.exception);
  if (exceptional) {
    const std::size_t first = m.find('\n') + 1;
    const std::string_view record(m.data() + first, m.size() - first - 1);
    check(record.find('\n') == std::string_view::npos);  // exactly two records
    const auto fields = splitFields(record);
    check(fields.size() == 6 || fields.size() == 3);  // 3 only when cut on purpose
  }
  // The workstation's framing gives back exactly the message.
  AnswerFraming framing;
  const std::string framed = lengthLine(m) + m;
  const auto answer = framing.feed(framed);
  check(answer.has_value() && answer->response == m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const char separator = static_cast<char>(data[0]);
  const MessageSet set = std::array{MessageSet::Order850, MessageSet::Status869, MessageSet::Inquiry846}[data[1] % 3];
  const bool fixToken = data[1] & 4;
  const ContentFaults faults{static_cast<bool>(data[1] & 8), static_cast<bool>(data[1] & 16)};
  const std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);

  RequestReader reader;
  std::size_t from = 0;
  while (from <= rest.size() && reader.state() == RequestReader::State::Reading) {
    std::size_t to = rest.find(separator, from);
    if (to == std::string_view::npos) to = rest.size();
    reader.feed(rest.substr(from, to - from));
    from = to + 1;
  }
  reader.stop("at the end of the input");
  check(reader.message().size() <= RequestReader::kLimit);

  OrderBook book;
  Distributor distributor(catalog(), table(), book, [] { return RequestMoment{"20240603", "10:20:07"}; });
  if (reader.state() == RequestReader::State::Complete) {
    check(reader.message().size() == reader.announced());
    const std::string message = fixToken ? withRightToken(reader.message()) : reader.message();
    const Reply first = distributor.answer(set, message, faults);
    checkAnswer(first);
    // The same order again is a duplicate, never a second acceptance.
    const Reply second = distributor.answer(set, message, faults);
    checkAnswer(second);
    check(book.size() <= 1);
    if (set == MessageSet::Order850 && !first.exception) check(second.exception);
  } else if (reader.state() == RequestReader::State::Refused) {
    check(reader.rejection().code == 100 || reader.rejection().code == 101);
    check(fieldSafe(reader.rejection().message));
    checkAnswer(distributor.refuse(set, reader.rejection(), faults));
  }
  return 0;
}
