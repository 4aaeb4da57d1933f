// Loading one purchase order of the business system for the order control:
// its header, the distributor connection from the vendor record, and one row
// per part line, read through the shared data engine.
//
// The loader says what to show through a PurchaseOrderView, in the order the
// order control shows it, so that an error part-way leaves exactly what was
// shown before it (the control turns the grid's repainting back on and clears
// the connection; see UserControl1::GetPO). Engine errors reach the caller.
//
// Purchase-order file: a whole physical file named by the order number in the
// dealer's data directory, 38-byte records (record 0 is the record file's
// header), positions 1-based:
//
//   record  bytes    form                 meaning
//   1       11-12    "C"                  vendor number
//   1       17-20    "L"                  drop ship: non-zero for a drop-ship order
//   1       33       "B"                  status flags; 128: already transmitted
//   2-5     3-37     compressed, 35 bytes comment lines 1 to 4
//   6       22-25    "L"                  order total in cents
//   7-last  1-2      "J"                  line kind; only 4 (a part) is shown
//   7-last  3-4      "C"                  product line number
//   7-last  3-16     14 bytes             the part's key in "PARTI" (line, compressed part number)
//   7-last  18-20    "K"                  quantity ordered
//   7-last  33-35    "D"                  unit cost in cents; 0: the part's own cost
//
// What else is read: the vendor's distributor block (records/VendorDistributorBlock.h;
// a stored order port of 0 means 12000, a status port of 0 means 12003),
// "PARTI"/"PARTL" (part number and dash mask 5-18, description 179-192,
// compressed; cost 61 "D") and "LINEI"/"LINEL" (line code 5-6, compressed).
//
//   PurchaseOrderLoader loader(engine, view, connection);
//   if (loader.load("100231").opened) ...
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "engine/cLogicalFile.h"

namespace velta {

class cBusinessBasic;

// What the order exchange needs of the vendor record: where the distributor
// listens, under which account the dealer orders, and whose record it is.
struct DistributorConnection {
  std::string dealerAccount, subAccount, hostAddress;
  int32_t orderPort = 0, statusPort = 0;
  int32_t vendorNumber = 0;  // as the exchange's texts name the distributor

  friend bool operator==(const DistributorConnection&, const DistributorConnection&) = default;
};

inline constexpr int32_t kDefaultOrderPort = 12000;
inline constexpr int32_t kDefaultStatusPort = 12003;

// Where a loaded order is shown. Header values are the labels lblPOHdr 0 to 8:
// 0 vendor, 1 date and time of loading, 2 account, 3-6 comments, 7 total, 8 host.
class PurchaseOrderView {
 public:
  virtual ~PurchaseOrderView() = default;

  // The grid back to its heading row.
  virtual void clearRows() = 0;
  virtual void setRepaint(bool on) = 0;
  virtual void setActions(bool submitEnabled, bool statusEnabled) = 0;
  virtual void showHeader(int index, const std::string& text) = 0;
  virtual void showPorts(const std::string& text) = 0;
  virtual void showDropShip(bool dropShip) = 0;
  // One grid row from tab-separated cells.
  virtual void addRow(const std::string& tabText) = 0;
};

// Header labels.
inline constexpr int kVendorHeader = 0;
inline constexpr int kDateHeader = 1;
inline constexpr int kAccountHeader = 2;
inline constexpr int kFirstCommentHeader = 3;
inline constexpr int kTotalHeader = 7;
inline constexpr int kHostHeader = 8;

// True when a purchase-order number can only name a file in the dealer's data
// directory: not empty, and no "\", "/", ".." or control character (below 32,
// or 127).
bool isPlainFileName(std::string_view name);

// The account as shown: the dealer account, and "/" and the sub-account when there is one.
std::string accountText(const DistributorConnection& connection);
// "Using ports... " + order port + " - " + status port.
std::string portsText(const DistributorConnection& connection);

// No distributor to reach: the connection members empty and ports 0, their
// labels (account, host, ports) empty, and neither submitting nor asking for a
// status possible. An order must never go to another order's distributor.
void clearConnection(PurchaseOrderView& view, DistributorConnection& connection);

class PurchaseOrderLoader {
 public:
  // How the load reads the business system. Together: the whole order file in
  // one request, every block once, and the part lines' lookups in batches, level
  // by level, where the share serves batches (SMB; a local folder or a mount
  // answers each read at once and is read one after another);
  // OneAfterAnother: each read when the code reaches it, as a benchmark's
  // baseline and a test's reference. Both show the same to the byte.
  enum class Reads { Together, OneAfterAnother };

  // `engine` may be none: the first engine operation then fails with 91.
  PurchaseOrderLoader(std::shared_ptr<cBusinessBasic> engine, PurchaseOrderView& view,
                      DistributorConnection& connection, Reads reads = Reads::Together);

  struct Result {
    bool opened = false;
    std::string fileName;  // the name as the engine left it (a full path once opened)
  };

  // Loads the order named `number`. A number that is not a plain file name, or
  // names no file, opens nothing: `opened` false, and only the grid has been
  // cleared (its repainting off). A vendor that is not in "VNDRI" loads the
  // order with "Vendor not found" and the connection cleared. Engine errors
  // propagate with what was shown so far left in place.
  Result load(const std::string& number);

  static constexpr int kRecordLength = 38;

 private:
  cBusinessBasic& engine();
  void loadVendor(const std::string& head, bool& found, std::string& vendorName);
  void loadLines(const LogicalFileHandle& file, int32_t lastRecord);
  // The grid row of one part line, numbered `item`: its part and product line looked up.
  std::string partRow(const std::string& line, int64_t item);

  std::shared_ptr<cBusinessBasic> engine_;
  PurchaseOrderView& view_;
  DistributorConnection& connection_;
  Reads reads_;
  bool together_ = false;  // this load's reads go together
};

}  // namespace velta
