#include "tools/velta-distributor/OrderBook.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include <nlohmann/json.hpp>

#include "tools/velta-distributor/WireText.h"

namespace velta::distributor {

namespace {

using nlohmann::json;

constexpr std::int64_t kMaxOrderNumber = 999'999'999;

// Reads one value of the state file, saying where it stands when it is wrong.
class Reader {
 public:
  Reader(const json& value, std::string origin, std::string path)
      : value_(value), origin_(std::move(origin)), path_(std::move(path)) {}

  Reader at(std::string_view key) const {
    if (!value_.is_object()) fail("is not an object");
    const auto found = value_.find(key);
    if (found == value_.end()) fail("has no \"" + std::string(key) + "\"");
    return {*found, origin_, path_.empty() ? std::string(key) : path_ + "." + std::string(key)};
  }
  Reader at(std::size_t index) const { return {value_[index], origin_, path_ + "[" + std::to_string(index) + "]"}; }
  std::size_t size() const {
    if (!value_.is_array()) fail("is not an array");
    return value_.size();
  }
  std::string text() const {
    if (!value_.is_string()) fail("is not a text");
    auto latin1 = utf8ToLatin1(value_.get_ref<const std::string&>());
    if (!latin1) fail("holds a character that is not Latin-1");
    return *latin1;
  }
  char character() const {
    const std::string t = text();
    if (t.size() != 1) fail("is not one character");
    return t[0];
  }
  std::int64_t number(std::int64_t max) const {
    if (!value_.is_number_unsigned() || value_.get<std::uint64_t>() > static_cast<std::uint64_t>(max)) {
      fail("is not a whole number from 0 to " + std::to_string(max));
    }
    return value_.get<std::int64_t>();
  }
  std::int64_t money() const {
    const auto cents = parseMoney(text());
    if (!cents) fail("is not money");
    return *cents;
  }
  bool flag() const {
    if (!value_.is_boolean()) fail("is not true or false");
    return value_.get<bool>();
  }
  [[noreturn]] void fail(const std::string& what) const {
    throw StateError(origin_ + ": " + (path_.empty() ? what : path_ + " " + what));
  }

 private:
  const json& value_;
  std::string origin_;
  std::string path_;
};

json shipmentJson(const Shipment& s) {
  return {{"warehouse", latin1ToUtf8(s.warehouseCode)}, {"name", latin1ToUtf8(s.warehouseName)},
          {"quantity", s.quantity}};
}

json lineJson(const FilledLine& l) {
  json shipments = json::array();
  for (const Shipment& s : l.shipments) shipments.push_back(shipmentJson(s));
  return {{"lineOrdered", latin1ToUtf8(l.lineOrdered)},
          {"partOrdered", latin1ToUtf8(l.partOrdered)},
          {"quantity", l.quantity},
          {"line", latin1ToUtf8(l.line)},
          {"part", latin1ToUtf8(l.part)},
          {"description", latin1ToUtf8(l.description)},
          {"cost", formatMoney(l.costCents)},
          {"backOrderCode", latin1ToUtf8(l.backOrderCode)},
          {"shipments", shipments},
          {"backOrdered", l.backOrdered},
          {"reason", latin1ToUtf8(l.reason)},
          {"available", l.available}};
}

json orderJson(const RememberedOrder& o) {
  json lines = json::array();
  for (const FilledLine& l : o.lines) lines.push_back(lineJson(l));
  return {{"account", latin1ToUtf8(o.account)},
          {"po", latin1ToUtf8(o.po)},
          {"orderNumber", o.orderNumber},
          {"poDate", o.poDate},
          {"received", o.received},
          {"shipMethod", latin1ToUtf8(std::string(1, o.shipMethod))},
          {"backOrderCode", latin1ToUtf8(std::string(1, o.backOrderCode))},
          {"backOrderShip", latin1ToUtf8(std::string(1, o.backOrderShip))},
          {"resale", o.resale},
          {"shipDate", o.shipDate},
          {"lines", lines}};
}

FilledLine lineFrom(const Reader& r) {
  FilledLine l;
  l.lineOrdered = r.at("lineOrdered").text();
  l.partOrdered = r.at("partOrdered").text();
  l.quantity = r.at("quantity").number(kMaxOrderNumber);
  l.line = r.at("line").text();
  l.part = r.at("part").text();
  l.description = r.at("description").text();
  l.costCents = r.at("cost").money();
  l.backOrderCode = r.at("backOrderCode").text();
  const Reader shipments = r.at("shipments");
  for (std::size_t i = 0; i < shipments.size(); ++i) {
    const Reader s = shipments.at(i);
    l.shipments.push_back({s.at("warehouse").text(), s.at("name").text(), s.at("quantity").number(kMaxOrderNumber)});
  }
  l.backOrdered = r.at("backOrdered").number(kMaxOrderNumber);
  l.reason = r.at("reason").text();
  l.available = r.at("available").text();
  return l;
}

RememberedOrder orderFrom(const Reader& r) {
  RememberedOrder o;
  o.account = r.at("account").text();
  o.po = r.at("po").text();
  o.orderNumber = r.at("orderNumber").text();
  o.poDate = r.at("poDate").text();
  o.received = r.at("received").text();
  o.shipMethod = r.at("shipMethod").character();
  o.backOrderCode = r.at("backOrderCode").character();
  o.backOrderShip = r.at("backOrderShip").character();
  o.resale = r.at("resale").flag();
  o.shipDate = r.at("shipDate").text();
  const Reader lines = r.at("lines");
  for (std::size_t i = 0; i < lines.size(); ++i) o.lines.push_back(lineFrom(lines.at(i)));
  return o;
}

std::string systemReason(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

OrderBook::OrderBook(std::filesystem::path stateFile) : stateFile_(std::move(stateFile)) {
  const std::string origin = "state file \"" + stateFile_->string() + "\"";
  std::ifstream in(*stateFile_, std::ios::binary);
  if (!in) {
    if (errno == ENOENT) return;  // the first run: written with the first order
    throw StateError(systemReason(origin + " cannot be read"));
  }
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  fromJson(text, origin, next_, orders_);
  if (orders_.size() > kMaxOrders) throw StateError(origin + " holds more than " + std::to_string(kMaxOrders) + " orders");
  for (const RememberedOrder& o : orders_) lines_ += o.lines.size();
}

const RememberedOrder* OrderBook::find(std::string_view account, std::string_view po) const {
  for (const RememberedOrder& o : orders_) {
    if (o.account == account && o.po == po) return &o;
  }
  return nullptr;
}

std::optional<std::string> OrderBook::noRoomFor(std::size_t lines) const {
  if (orders_.size() >= kMaxOrders) {
    return "the distributor holds " + std::to_string(orders_.size()) + " orders, as many as it takes";
  }
  if (lines_ + lines > kMaxLines) {
    return "the distributor holds " + std::to_string(lines_) + " order lines; " + std::to_string(lines) +
           " more would pass the " + std::to_string(kMaxLines) + " it takes";
  }
  if (next_ > kMaxOrderNumber) return "the distributor has no order numbers left";
  return std::nullopt;
}

std::optional<std::string> OrderBook::add(RememberedOrder order) {
  order.orderNumber = nextOrderNumber();
  if (stateFile_) {
    std::vector<RememberedOrder> all = orders_;
    all.push_back(order);
    if (auto why = writeFileAtomically(*stateFile_, toJson(next_ + 1, all))) return why;
  }
  lines_ += order.lines.size();
  orders_.push_back(std::move(order));
  ++next_;
  return std::nullopt;
}

std::string OrderBook::toJson(std::int64_t next, const std::vector<RememberedOrder>& orders) {
  json all = json::array();
  for (const RememberedOrder& o : orders) all.push_back(orderJson(o));
  return json{{"nextOrderNumber", next}, {"orders", all}}.dump(1) + "\n";
}

void OrderBook::fromJson(std::string_view text, std::string_view origin, std::int64_t& next,
                         std::vector<RememberedOrder>& orders) {
  json document;
  try {
    document = json::parse(text.begin(), text.end());
  } catch (const json::parse_error& e) {
    throw StateError(std::string(origin) + " is not JSON: " + e.what());
  }
  const Reader top(document, std::string(origin), "");
  next = top.at("nextOrderNumber").number(kMaxOrderNumber + 1);
  const Reader list = top.at("orders");
  orders.clear();
  for (std::size_t i = 0; i < list.size(); ++i) orders.push_back(orderFrom(list.at(i)));
}

std::optional<std::string> writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  const std::filesystem::path temporary = file.string() + ".tmp";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return systemReason("cannot write \"" + temporary.string() + "\"");
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const std::string why = systemReason("cannot write \"" + temporary.string() + "\"");
      ::close(fd);
      ::unlink(temporary.c_str());
      return why;
    }
    done += static_cast<std::size_t>(n);
  }
  const bool synced = ::fsync(fd) == 0;
  const std::string syncWhy = synced ? "" : systemReason("cannot write \"" + temporary.string() + "\"");
  if (::close(fd) != 0 || !synced) {
    const std::string why = synced ? systemReason("cannot write \"" + temporary.string() + "\"") : syncWhy;
    ::unlink(temporary.c_str());
    return why;
  }
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const std::string why = systemReason("cannot rename \"" + temporary.string() + "\" to \"" + file.string() + "\"");
    ::unlink(temporary.c_str());
    return why;
  }
  // The rename itself reaches the disk with the folder.
  const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
  if (const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

}  // namespace velta::distributor
