#include "tools/velta-distributor/CatalogFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <set>

#include <nlohmann/json.hpp>

namespace velta::distributor {

namespace {

using nlohmann::json;

constexpr std::size_t kMaxText = 80;
constexpr std::int64_t kMaxQuantity = 99'999'999;
constexpr std::int64_t kMaxAvailableInDays = 3650;

// Where in the file a value stands, for the errors: lines[2].parts[5].stock.
class Place {
 public:
  Place(std::string origin, std::string path) : origin_(std::move(origin)), path_(std::move(path)) {}
  Place operator[](std::string_view key) const { return {origin_, path_.empty() ? std::string(key) : path_ + "." + std::string(key)}; }
  Place operator[](std::size_t index) const { return {origin_, path_ + "[" + std::to_string(index) + "]"}; }
  [[noreturn]] void fail(const std::string& what) const {
    throw CatalogError(origin_ + ": " + (path_.empty() ? what : path_ + ": " + what));
  }

 private:
  std::string origin_;
  std::string path_;
};

std::string typeName(const json& value) { return value.type_name(); }

void onlyKeys(const json& object, const Place& place, std::initializer_list<std::string_view> keys) {
  for (const auto& [key, value] : object.items()) {
    bool known = false;
    for (std::string_view k : keys) known = known || key == k;
    if (!known) place.fail("unknown key " + shown(utf8ToLatin1(key).value_or(key)));
  }
}

const json& objectAt(const json& value, const Place& place) {
  if (!value.is_object()) place.fail("is " + typeName(value) + ", not an object");
  return value;
}

const json& arrayAt(const json& object, std::string_view key, const Place& place) {
  const auto found = object.find(key);
  if (found == object.end()) place.fail("has no \"" + std::string(key) + "\"");
  if (!found->is_array()) place[key].fail("is " + typeName(*found) + ", not an array");
  return *found;
}

std::string textValue(const json& value, const Place& place) {
  if (!value.is_string()) place.fail("is " + typeName(value) + ", not a text");
  const auto latin1 = utf8ToLatin1(value.get_ref<const std::string&>());
  if (!latin1) place.fail("holds a character that is not Latin-1");
  if (latin1->size() > kMaxText) place.fail("is longer than " + std::to_string(kMaxText) + " characters");
  if (!fieldSafe(*latin1)) place.fail(shown(*latin1) + " holds \"|\", LF, CR or TAB, which would break an answer record");
  return *latin1;
}

std::optional<std::string> optionalText(const json& object, std::string_view key, const Place& place) {
  const auto found = object.find(key);
  if (found == object.end()) return std::nullopt;
  return textValue(*found, place[key]);
}

std::string requiredText(const json& object, std::string_view key, const Place& place) {
  auto text = optionalText(object, key, place);
  if (!text) place.fail("has no \"" + std::string(key) + "\"");
  if (trimBlanks(*text).empty()) place[key].fail("is empty");
  return *text;
}

std::int64_t wholeValue(const json& value, std::int64_t min, std::int64_t max, const Place& place) {
  if (!value.is_number_integer()) place.fail("is " + typeName(value) + ", not a whole number");
  const bool inRange = value.is_number_unsigned()
                           ? value.get<std::uint64_t>() <= static_cast<std::uint64_t>(max) &&
                                 static_cast<std::int64_t>(value.get<std::uint64_t>()) >= min
                           : value.get<std::int64_t>() >= min && value.get<std::int64_t>() <= max;
  if (!inRange) place.fail("is " + value.dump() + ", not from " + std::to_string(min) + " to " + std::to_string(max));
  return value.get<std::int64_t>();
}

std::int64_t moneyValue(const json& object, std::string_view key, const Place& place, bool required) {
  const auto found = object.find(key);
  if (found == object.end()) {
    if (required) place.fail("has no \"" + std::string(key) + "\"");
    return 0;
  }
  const std::string text = textValue(*found, place[key]);
  const auto cents = parseMoney(text);
  if (!cents) place[key].fail(shown(text) + " is not money: digits, optionally \".\" and one or two more");
  return *cents;
}

Warehouse readWarehouse(const json& value, const Place& place) {
  objectAt(value, place);
  onlyKeys(value, place, {"code", "name"});
  Warehouse w{requiredText(value, "code", place), requiredText(value, "name", place)};
  if (w.code != trimBlanks(w.code)) place["code"].fail("has blanks at an end");
  return w;
}

Account readAccount(const json& value, const Place& place) {
  objectAt(value, place);
  onlyKeys(value, place, {"account", "name", "billTo", "orderStatusCode", "orderStatusMessage"});
  Account a;
  a.account = requiredText(value, "account", place);
  if (a.account != trimBlanks(a.account)) place["account"].fail("has blanks at an end");
  a.name = optionalText(value, "name", place).value_or("");
  a.billTo = optionalText(value, "billTo", place).value_or(a.account);
  if (auto code = optionalText(value, "orderStatusCode", place)) a.orderStatusCode = *code;
  if (auto message = optionalText(value, "orderStatusMessage", place)) a.orderStatusMessage = *message;
  return a;
}

CatalogPart readPart(const json& value, const Place& place, const std::vector<Warehouse>& warehouses) {
  objectAt(value, place);
  onlyKeys(value, place, {"part", "description", "retail", "cost", "core", "pack", "unit", "stock", "available",
                          "availableInDays", "factoryBackOrder"});
  CatalogPart p;
  p.number = requiredText(value, "part", place);
  if (partKey(p.number).empty()) place["part"].fail(shown(p.number) + " has nothing but blanks and dashes");
  p.description = optionalText(value, "description", place).value_or("");
  p.retailCents = moneyValue(value, "retail", place, true);
  p.costCents = moneyValue(value, "cost", place, true);
  p.coreCents = moneyValue(value, "core", place, false);
  if (auto pack = value.find("pack"); pack != value.end()) p.pack = wholeValue(*pack, 1, kMaxQuantity, place["pack"]);
  if (auto unit = optionalText(value, "unit", place)) p.unit = *unit;
  if (auto stock = value.find("stock"); stock != value.end()) {
    const Place at = place["stock"];
    objectAt(*stock, at);
    for (std::size_t w = 0; w < warehouses.size(); ++w) {
      if (auto q = stock->find(latin1ToUtf8(warehouses[w].code)); q != stock->end()) {
        p.stock.push_back({w, wholeValue(*q, 0, kMaxQuantity, at[warehouses[w].code])});
      }
    }
    if (p.stock.size() != stock->size()) {
      for (const auto& [code, quantity] : stock->items()) {
        bool known = false;
        for (const Warehouse& w : warehouses) known = known || latin1ToUtf8(w.code) == code;
        if (!known) at.fail("warehouse " + shown(utf8ToLatin1(code).value_or(code)) + " is not in \"warehouses\"");
      }
    }
  }
  const bool dated = value.contains("available");
  if (dated && value.contains("availableInDays")) place.fail("has both \"available\" and \"availableInDays\"");
  if (dated) {
    const std::string text = textValue(value["available"], place["available"]);
    p.available = parseIsoDate(text);
    if (!p.available) place["available"].fail(shown(text) + " is not a date yyyy-mm-dd");
  }
  if (auto days = value.find("availableInDays"); days != value.end()) {
    p.availableInDays = static_cast<int>(wholeValue(*days, 0, kMaxAvailableInDays, place["availableInDays"]));
  }
  if (auto fbo = value.find("factoryBackOrder"); fbo != value.end()) {
    if (!fbo->is_boolean()) place["factoryBackOrder"].fail("is " + typeName(*fbo) + ", not true or false");
    p.factoryBackOrder = fbo->get<bool>();
  }
  return p;
}

CatalogLine readLine(const json& value, const Place& place, const std::vector<Warehouse>& warehouses) {
  objectAt(value, place);
  onlyKeys(value, place, {"code", "name", "parts"});
  CatalogLine line;
  line.code = requiredText(value, "code", place);
  if (line.code != trimBlanks(line.code)) place["code"].fail("has blanks at an end");
  line.name = optionalText(value, "name", place).value_or("");
  if (value.contains("parts")) {
    const json& parts = arrayAt(value, "parts", place);
    for (std::size_t i = 0; i < parts.size(); ++i) {
      CatalogPart part = readPart(parts[i], place["parts"][i], warehouses);
      const auto [at, fresh] = line.byKey.emplace(partKey(part.number), line.parts.size());
      if (!fresh) {
        place["parts"][i]["part"].fail(shown(part.number) + " is the same part as " +
                                       shown(line.parts[at->second].number));
      }
      line.parts.push_back(std::move(part));
    }
  }
  return line;
}

}  // namespace

Catalog parseCatalog(std::string_view text, std::string_view origin) {
  const Place top(std::string(origin), "");
  json document;
  try {
    document = json::parse(text.begin(), text.end());
  } catch (const json::parse_error& e) {
    std::string what = e.what();
    if (const auto bracket = what.find("] "); what.rfind("[json.exception", 0) == 0 && bracket != std::string::npos) {
      what.erase(0, bracket + 2);
    }
    top.fail("is not JSON: " + what);
  }
  objectAt(document, top);
  onlyKeys(document, top, {"distributor", "warehouses", "accounts", "lines"});

  Catalog catalog;
  catalog.distributor = optionalText(document, "distributor", top).value_or("");
  const json& warehouses = arrayAt(document, "warehouses", top);
  if (warehouses.empty()) top["warehouses"].fail("is empty; a part needs a warehouse to be stocked in");
  for (std::size_t i = 0; i < warehouses.size(); ++i) {
    Warehouse w = readWarehouse(warehouses[i], top["warehouses"][i]);
    for (const Warehouse& other : catalog.warehouses) {
      if (other.code == w.code) top["warehouses"][i]["code"].fail(shown(w.code) + " is there twice");
    }
    catalog.warehouses.push_back(std::move(w));
  }
  const json& accounts = arrayAt(document, "accounts", top);
  if (accounts.empty()) top["accounts"].fail("is empty; no dealer could order");
  for (std::size_t i = 0; i < accounts.size(); ++i) {
    Account a = readAccount(accounts[i], top["accounts"][i]);
    if (catalog.account(a.account)) top["accounts"][i]["account"].fail(shown(a.account) + " is there twice");
    catalog.accounts.push_back(std::move(a));
  }
  const json& lines = arrayAt(document, "lines", top);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    CatalogLine line = readLine(lines[i], top["lines"][i], catalog.warehouses);
    if (catalog.line(line.code)) top["lines"][i]["code"].fail(shown(line.code) + " is there twice");
    catalog.lines.push_back(std::move(line));
  }
  return catalog;
}

Catalog readCatalogFile(const std::filesystem::path& file) {
  const std::string origin = "catalog \"" + file.string() + "\"";
  std::ifstream in(file, std::ios::binary);
  if (!in) throw CatalogError(origin + ": cannot be read: " + std::strerror(errno));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw CatalogError(origin + ": cannot be read: " + std::strerror(errno));
  return parseCatalog(text, origin);
}

}  // namespace velta::distributor
