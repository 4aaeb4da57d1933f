#include "records/RecordLayout.h"

#include "engine/cBusinessBasic.h"

namespace velta {

namespace {

constexpr std::string_view kSource = "RecordFields";

// The first character of a field, 0-based; 5 "Invalid procedure call" when the field starts beyond the end.
std::size_t fieldStart(const std::string& rec, int32_t position) {
  if (position < 1 || static_cast<std::size_t>(position) > rec.size()) {
    throw EngineError::general(err::InvalidCall, std::string(kSource));
  }
  return static_cast<std::size_t>(position - 1);
}

}  // namespace

RecordFields::RecordFields(std::shared_ptr<cBusinessBasic> engine) : engine_(std::move(engine)) {}

cBusinessBasic& RecordFields::engine() const {
  if (!engine_) throw EngineError::general(err::ObjectNotSet, std::string(kSource));
  return *engine_;
}

int32_t RecordFields::number(const char* opCode, const std::string& rec, int32_t position) const {
  std::string op = opCode;
  return engine().Unpack(op, rec, position);
}

void RecordFields::putNumber(const char* opCode, std::string& rec, int32_t position, int32_t value) const {
  std::string op = opCode;
  engine().Pack(op, rec, value, position);
}

Currency RecordFields::money(const std::string& rec, int32_t position) const {
  return Currency::fromCents(number("L", rec, position));
}

void RecordFields::putMoney(std::string& rec, int32_t position, Currency value) const {
  putNumber("L", rec, position, value.toCents(kSource));
}

Date RecordFields::date(const std::string& rec, int32_t position) const {
  return engine().UnPackDate("J", rec, position);
}

void RecordFields::putDate(std::string& rec, int32_t position, Date value) const {
  engine().PackDate("J", rec, position, value);
}

std::string RecordFields::text(const std::string& rec, int32_t position, int32_t width) const {
  return rec.substr(fieldStart(rec, position), static_cast<std::size_t>(width));
}

void RecordFields::putText(std::string& rec, int32_t position, int32_t width, const std::string& value,
                           char fill) const {
  const std::size_t start = fieldStart(rec, position);
  std::string filled = value.substr(0, static_cast<std::size_t>(width));
  filled.resize(static_cast<std::size_t>(width), fill);
  const std::size_t room = std::min(filled.size(), rec.size() - start);
  rec.replace(start, room, filled, 0, room);
}

std::string RecordFields::packedText(const std::string& rec, int32_t position, int32_t width) const {
  std::string bytes = text(rec, position, width);
  return engine().Ucm(bytes);
}

void RecordFields::putPackedText(std::string& rec, int32_t position, int32_t width, std::string& field) const {
  // Crm pads the field itself, even where the record then has no room for it.
  const std::string compressed = engine().Crm(field);
  putText(rec, position, width, compressed, '\0');
}

}  // namespace velta
