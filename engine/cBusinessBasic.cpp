#include "engine/cBusinessBasic.h"

#include "base/CompressedText.h"
#include "base/EngineError.h"
#include "engine/EngineStartup.h"
#include "base/FieldPacking.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/EngineState.h"
#include "engine/PhysicalFile.h"
#include "engine/RecordMaintenance.h"
#include "base/MinMax.h"
#include "base/Stma.h"
#include "engine/SystemValues.h"
#include "base/TextUtilities.h"
#include "engine/cSystem.h"

namespace velta {

namespace {

OpenFileHandle openFileOf(const OpenFileArg& file) {
  if (const auto* handle = std::get_if<OpenFileHandle>(&file)) return *handle;
  std::string name = std::get<std::string>(file);
  return velta::OpenFile(name);
}

// A name that resolves to nothing is an error here, unlike in LogicalOpen itself.
LogicalFileHandle logicalFileOf(const LogicalFileArg& logicalFile) {
  if (const auto* handle = std::get_if<LogicalFileHandle>(&logicalFile)) return *handle;
  const std::string& name = std::get<std::string>(logicalFile);
  auto handle = velta::LogicalOpen(name);
  if (!handle) throw EngineError(err::NotFound, "LogicalOpen", "File not Found: \"" + name + "\"");
  return handle;
}

}  // namespace

cBusinessBasic::cBusinessBasic() : generation_(startEngine()) {}

cBusinessBasic::~cBusinessBasic() { endEngine(generation_); }

int32_t cBusinessBasic::Unpack(std::string& OpCode, const std::string& Data, int32_t Position) {
  OpCode = upperOpCode(OpCode);
  return velta::Unpack(OpCode, Data, Position);
}

void cBusinessBasic::Pack(std::string& OpCode, std::string& Data, int32_t value, int32_t Position) {
  OpCode = upperOpCode(OpCode);
  velta::Pack(OpCode, Data, value, Position);
}

void cBusinessBasic::PackDate(const std::string& OpCode, std::string& Data, int32_t Position, Date value) {
  velta::PackDate(OpCode, Data, Position, value);
}

Date cBusinessBasic::UnPackDate(const std::string& OpCode, const std::string& Data, int32_t Position) {
  return velta::UnPackDate(OpCode, Data, Position);
}

std::string cBusinessBasic::Crm(std::string& Source) { return velta::Crm(Source); }

int32_t cBusinessBasic::Max(int32_t Var1, int32_t Var2) { return velta::Max(Var1, Var2); }

int32_t cBusinessBasic::Min(int32_t Var1, int32_t Var2) { return velta::Min(Var1, Var2); }

std::string cBusinessBasic::Ucm(std::string& Source) { return velta::Ucm(Source); }

void cBusinessBasic::StrPos(int32_t& Location, const std::string& Source, const std::string& Target) {
  velta::StrPos(Location, Source, Target);
}

Value cBusinessBasic::Trun(const std::string& Source, int32_t flgRemoveControlCharacters) {
  return Value(velta::Trun(Source, flgRemoveControlCharacters));
}

Value cBusinessBasic::ReadFile(const OpenFileArg& file, int32_t BytesToRead, int32_t Position, bool) {
  return Value(velta::ReadFile(openFileOf(file), BytesToRead, Position));
}

void cBusinessBasic::WriteFile(const OpenFileArg& file, const std::string& Data, int32_t Position, bool) {
  velta::WriteFile(openFileOf(file), Data, Position);
}

std::string cBusinessBasic::BlockReadFile(const OpenFileArg& file, int32_t BlockNumber, bool) {
  return velta::BlockReadFile(openFileOf(file), BlockNumber);
}

void cBusinessBasic::BlockWriteFile(const OpenFileArg& file, int32_t BlockNumber, const std::string& Record, bool) {
  velta::BlockWriteFile(openFileOf(file), BlockNumber, Record);
}

OpenFileHandle cBusinessBasic::OpenFile(std::string& FileName) { return velta::OpenFile(FileName); }

int32_t cBusinessBasic::KLength(const LogicalFileArg& LogicalFile, bool) {
  return velta::KLength(logicalFileOf(LogicalFile));
}

void cBusinessBasic::CloseFile(const OpenFileArg& file) { velta::CloseFile(openFileOf(file)); }

LogicalFileHandle cBusinessBasic::LogicalOpen(const std::string& FileName) { return velta::LogicalOpen(FileName); }

LogicalFileHandle cBusinessBasic::PhysLogicalOpen(std::string& FileName, const std::string& FileType,
                                                  int32_t RecordLength) {
  int32_t lastRecord = 0;
  return velta::PhysLogicalOpen(FileName, FileType, RecordLength, lastRecord);
}

LogicalFileHandle cBusinessBasic::PhysLogicalOpen(std::string& FileName, const std::string& FileType,
                                                  int32_t RecordLength, int32_t& LastRecord) {
  return velta::PhysLogicalOpen(FileName, FileType, RecordLength, LastRecord);
}

std::string cBusinessBasic::LreadFile(const LogicalFileArg& LogicalFile, int32_t RecordNumber, bool) {
  return velta::LreadFile(logicalFileOf(LogicalFile), RecordNumber);
}

void cBusinessBasic::LwriteFile(const LogicalFileArg& LogicalFile, int32_t RecordNumber, const std::string& Data,
                                bool) {
  velta::LwriteFile(logicalFileOf(LogicalFile), RecordNumber, Data);
}

int32_t cBusinessBasic::KCount(const LogicalFileArg& LogicalFile, bool) {
  return velta::KCount(logicalFileOf(LogicalFile));
}

std::shared_ptr<cSystem> cBusinessBasic::QuilSys() const { return engineState().system; }

int32_t cBusinessBasic::PhysicalLock(const std::string& FileName, int32_t Position, int32_t LockLength) {
  return velta::PhysicalLock(FileName, Position, LockLength);
}

int32_t cBusinessBasic::LogicalLock(const LogicalFileArg& LogicalFile, int32_t RecordNumber) {
  return velta::LogicalLock(logicalFileOf(LogicalFile), RecordNumber);
}

int32_t cBusinessBasic::ReleaseLock(int32_t LockNumber) { return velta::ReleaseLock(LockNumber); }

void cBusinessBasic::DelRec(const LogicalFileArg& LogicalFile, int32_t RecordNumber, bool) {
  velta::DelRec(logicalFileOf(LogicalFile), RecordNumber);
}

void cBusinessBasic::GetRec(const LogicalFileArg& LogicalFile, int32_t& RecordNumber, bool) {
  velta::GetRec(logicalFileOf(LogicalFile), RecordNumber);
}

void cBusinessBasic::InitFile(const LogicalFileArg& LogicalFile, int32_t KeyLength, bool DuplicateKeys,
                              int32_t BlockingFactor, bool) {
  velta::InitFile(logicalFileOf(LogicalFile), KeyLength, DuplicateKeys, BlockingFactor);
}

void cBusinessBasic::KFind(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec,
                           bool) {
  velta::KFind(logicalFileOf(LogicalFile), Buff, Key, Rec);
}

void cBusinessBasic::KLast(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec,
                           bool) {
  velta::KLast(logicalFileOf(LogicalFile), Buff, Key, Rec);
}

void cBusinessBasic::KNext(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec,
                           bool) {
  velta::KNext(logicalFileOf(LogicalFile), Buff, Key, Rec);
}

void cBusinessBasic::KPrev(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec,
                           bool) {
  velta::KPrev(logicalFileOf(LogicalFile), Buff, Key, Rec);
}

std::vector<std::string> cBusinessBasic::Split(const std::string& Expression, const std::string& Delimiter,
                                               int32_t Limit, int32_t Compare) {
  return velta::Split(Expression, Delimiter, Limit, Compare);
}

int32_t cBusinessBasic::Sys(int32_t value) { return velta::Sys(value); }

void cBusinessBasic::Stma(Value& Var1, Value& Var2, Value* Var3, Value* Var4, Value* Var5, Value* Var6) {
  velta::Stma(Var1, Var2, Var3, Var4, Var5, Var6);
}

DateTime cBusinessBasic::Now() { return velta::Now(); }

}  // namespace velta
