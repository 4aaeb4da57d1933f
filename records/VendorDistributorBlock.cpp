#include "records/VendorDistributorBlock.h"

#include "base/TextUtilities.h"
#include "engine/cBusinessBasic.h"

namespace velta {

namespace {

// Bytes of the block: where each field begins and how many bytes it takes.
constexpr std::size_t kNameAt = 6, kNameBytes = 20;
constexpr std::size_t kAccountAt = 86, kAccountBytes = 8;
constexpr std::size_t kHostAt = 172, kHostBytes = 10;
constexpr int32_t kInquiryPortAt = 187;
constexpr int32_t kOrderPortAt = 189;
constexpr int32_t kStatusPortAt = 191;
constexpr std::size_t kSubAccountAt = 193, kSubAccountBytes = 8;

std::string compressedText(cBusinessBasic& bb, const std::string& record, std::size_t at, std::size_t bytes) {
  std::string field = mid(record, at, bytes);
  return bb.Ucm(field);
}

int32_t port(cBusinessBasic& bb, const std::string& record, int32_t at) {
  std::string op = "C";
  return bb.Unpack(op, record, at);
}

}  // namespace

std::optional<std::string> findVendorRecord(cBusinessBasic& engine, int32_t vendorNumber) {
  std::string op = "L";
  std::string key(4, '\0');
  engine.Pack(op, key, vendorNumber, 1);
  std::string buff;
  int32_t rec = 0;
  engine.KFind("VNDRI", buff, key, rec);
  if (rec < 1) return std::nullopt;
  return engine.LreadFile("VNDRL", rec);
}

DistributorBlock readDistributorBlock(cBusinessBasic& engine, const std::string& record) {
  DistributorBlock block;
  block.vendorName = compressedText(engine, record, kNameAt, kNameBytes);
  block.dealerAccount = Trun(compressedText(engine, record, kAccountAt, kAccountBytes), 1);
  block.hostAddress = compressedText(engine, record, kHostAt, kHostBytes);
  block.inquiryPort = port(engine, record, kInquiryPortAt);
  block.orderPort = port(engine, record, kOrderPortAt);
  block.statusPort = port(engine, record, kStatusPortAt);
  block.subAccount = Trun(compressedText(engine, record, kSubAccountAt, kSubAccountBytes), 1);
  return block;
}

std::string accountText(const std::string& dealerAccount, const std::string& subAccount) {
  if (subAccount.empty()) return dealerAccount;
  return dealerAccount + "/" + subAccount;
}

}  // namespace velta
