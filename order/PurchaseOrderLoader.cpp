#include "order/PurchaseOrderLoader.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <optional>
#include <vector>

#include "base/EngineError.h"
#include "base/RuntimeFormat.h"
#include "base/TextUtilities.h"
#include "engine/ReadRounds.h"
#include "engine/ReadScope.h"
#include "engine/cBusinessBasic.h"
#include "engine/cOpenFile.h"
#include "platform/ShareBackend.h"
#include "records/VendorDistributorBlock.h"

namespace velta {

namespace {

constexpr int kTransmittedBit = 128;
constexpr int kPartLine = 4;
constexpr int kFirstLineRecord = 7;
constexpr int kLineIndexBuffer = 544;  // the cursor buffer "LINEI" is searched with
constexpr int kMaskLength = 3;         // the dash mask after the part number

std::string withoutCommas(std::string text) {
  std::replace(text.begin(), text.end(), ',', ' ');
  return text;
}

}  // namespace

bool isPlainFileName(std::string_view name) {
  if (name.empty() || name.find("..") != std::string_view::npos) return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return c == '\\' || c == '/' || byte < 32 || byte == 127;
  });
}

std::string accountText(const DistributorConnection& connection) {
  return accountText(connection.dealerAccount, connection.subAccount);
}

std::string portsText(const DistributorConnection& connection) {
  return "Using ports... " + std::to_string(connection.orderPort) + " - " + std::to_string(connection.statusPort);
}

void clearConnection(PurchaseOrderView& view, DistributorConnection& connection) {
  connection = DistributorConnection{};
  view.showHeader(kAccountHeader, "");
  view.showHeader(kHostHeader, "");
  view.showPorts("");
  view.setActions(false, false);
}

PurchaseOrderLoader::PurchaseOrderLoader(std::shared_ptr<cBusinessBasic> engine, PurchaseOrderView& view,
                                         DistributorConnection& connection, Reads reads)
    : engine_(std::move(engine)), view_(view), connection_(connection), reads_(reads) {}

cBusinessBasic& PurchaseOrderLoader::engine() {
  if (!engine_) throw EngineError::general(err::ObjectNotSet, "GetPO");
  return *engine_;
}

PurchaseOrderLoader::Result PurchaseOrderLoader::load(const std::string& number) {
  view_.clearRows();
  view_.setRepaint(false);

  auto& bb = engine();
  Result result;
  result.fileName = bb.Trun(number, 1).text();
  if (!isPlainFileName(result.fileName)) return result;
  // Every read of the load is kept until it ends: no block is asked of the
  // file server twice, and the part lines' lookups go out together.
  std::optional<ReadScope> scope;
  together_ = false;
  if (reads_ == Reads::Together) scope.emplace();
  int32_t lastRecord = 0;
  const LogicalFileHandle file = bb.PhysLogicalOpen(result.fileName, "L", kRecordLength, lastRecord);
  if (!file) return result;
  result.opened = true;
  ShareFile* const orderFile = file->OpenFile ? file->OpenFile->file.get() : nullptr;
  if (scope && (!orderFile || !orderFile->batchReader())) {
    // A folder or a mount answers each read at once: batches would only cost time.
    scope.reset();
  }
  together_ = scope.has_value();
  // The whole order in one request: its header and every line record.
  if (scope && lastRecord >= 0) {
    scope->prefetch({{orderFile, 0, static_cast<std::size_t>(int64_t{lastRecord + 1} * kRecordLength)}});
  }

  std::string op;
  std::string head = bb.LreadFile(file, 1);
  const bool transmitted = bb.Min(1, bb.Unpack(op = "B", head, 33) & kTransmittedBit) == 1;
  view_.setActions(!transmitted, transmitted);

  bool vendorFound = false;
  std::string vendorName;
  loadVendor(head, vendorFound, vendorName);

  head = bb.LreadFile(file, 1);
  view_.showDropShip(bb.Unpack(op = "L", head, 17) != 0);

  for (int32_t r = 2; r <= 5; ++r) {
    std::string comment = mid(bb.LreadFile(file, r), 3, 35);
    view_.showHeader(kFirstCommentHeader + r - 2, bb.Ucm(comment));
  }
  const std::string totals = bb.LreadFile(file, 6);
  view_.showHeader(kTotalHeader, Format(Fixed::cents(bb.Unpack(op = "L", totals, 22)), "#######0.00"));

  loadLines(file, lastRecord);

  view_.setRepaint(true);
  bb.CloseFile(result.fileName);
  view_.showHeader(kVendorHeader, vendorName);
  return result;
}

void PurchaseOrderLoader::loadVendor(const std::string& head, bool& found, std::string& vendorName) {
  auto& bb = engine();
  std::string op;
  const int32_t vendorNumber = bb.Unpack(op = "C", head, 11);
  const std::optional<std::string> record = findVendorRecord(bb, vendorNumber);
  found = record.has_value();
  if (!found) {
    vendorName = "Vendor not found";
    clearConnection(view_, connection_);
    return;
  }
  const DistributorBlock block = readDistributorBlock(bb, *record);
  vendorName = block.vendorName;
  connection_.vendorNumber = vendorNumber;
  connection_.dealerAccount = block.dealerAccount;
  connection_.subAccount = block.subAccount;
  connection_.hostAddress = block.hostAddress;
  view_.showHeader(kHostHeader, connection_.hostAddress);
  connection_.orderPort = block.orderPort == 0 ? kDefaultOrderPort : block.orderPort;
  connection_.statusPort = block.statusPort == 0 ? kDefaultStatusPort : block.statusPort;
  view_.showPorts(portsText(connection_));
  view_.showHeader(kAccountHeader, accountText(connection_));
}

std::string PurchaseOrderLoader::partRow(const std::string& line, int64_t item) {
  auto& bb = engine();
  std::string op;
  int64_t cost = bb.Unpack(op = "D", line, 33);
  std::string partKey = mid(line, 3, 14);
  std::string buff;
  int32_t rec = 0;
  bb.KFind("PARTI", buff, partKey, rec);
  std::string partText, description;
  if (rec <= 0) {
    std::string number = mid(line, 5, 12);
    partText = bb.Ucm(number);
    description = "Part Not Found";
  } else {
    const std::string part = bb.LreadFile("PARTL", rec);
    std::string field = mid(part, 5, 14);
    const std::string full = bb.Ucm(field);
    const std::size_t split = full.size() >= kMaskLength ? full.size() - kMaskLength : 0;
    partText = full.substr(0, split);
    InsertDashes(partText, full.substr(split));
    field = mid(part, 179, 14);
    description = withoutCommas(bb.Ucm(field));
    if (cost == 0) cost = bb.Unpack(op = "D", part, 61);
  }

  std::string lineKey(2, '\0');
  bb.Pack(op = "C", lineKey, bb.Unpack(op = "C", line, 3), 1);
  std::string lineBuff(kLineIndexBuffer, '\0');
  int32_t lineRec = 0;
  bb.KFind("LINEI", lineBuff, lineKey, lineRec);
  std::string code = mid(bb.LreadFile("LINEL", std::abs(lineRec)), 5, 2);
  const std::string lineCode = bb.Ucm(code);

  const int64_t quantity = bb.Unpack(op = "K", line, 18);
  return std::to_string(item) + "\t" + lineCode + "\t" + partText + "\t" + description + "\t" +
         std::to_string(quantity) + "\t" + Format(Fixed::cents(cost), "#####.00") + "\t" +
         Format(Fixed::cents(cost * quantity), "#####.00");
}

void PurchaseOrderLoader::loadLines(const LogicalFileHandle& file, int32_t lastRecord) {
  auto& bb = engine();
  std::string op;
  std::vector<std::string> partLines;
  std::exception_ptr unread;  // a line record that could not be read ends the lines there
  int64_t item = 0;
  for (int32_t r = kFirstLineRecord; r <= lastRecord; ++r) {
    std::string line;
    try {
      line = bb.LreadFile(file, r);
    } catch (...) {
      if (!together_) throw;
      unread = std::current_exception();
      break;
    }
    if (bb.Unpack(op = "J", line, 1) != kPartLine) continue;
    ++item;
    if (!together_) {
      view_.addRow(partRow(line, item));
    } else {
      partLines.push_back(std::move(line));
    }
  }
  if (!together_) return;

  // Every part line looked up together, level by level of the indexes; then the
  // rows shown in the order's sequence, each with what its lookup gave, up to
  // the first line whose lookup failed.
  std::vector<std::string> rows(partLines.size());
  ReadRounds rounds(partLines.size());
  rounds.run([&](std::size_t i) { rows[i] = partRow(partLines[i], static_cast<int64_t>(i) + 1); });
  for (std::size_t i = 0; i < partLines.size(); ++i) {
    rounds.giveNotices(i);
    if (rounds.error(i)) std::rethrow_exception(rounds.error(i));
    view_.addRow(rows[i]);
  }
  if (unread) std::rethrow_exception(unread);
}

}  // namespace velta
