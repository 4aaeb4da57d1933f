// The data engine's one public class: every operation of the business
// system's data engine, forwarded to the module routines.
//
// It holds no data: all state lives in the engine state (EngineState.h),
// shared by every instance. Creating an instance runs the engine's start-up
// (share check, this computer's name, address and terminal identifier, new
// registries). An open-file argument is a handle or a path; a logical-file
// argument is a handle or a logical name, and a name that resolves to nothing
// raises -10 "File not Found: " + quoted name, source "LogicalOpen". `Orb` has
// no effect on any operation.
//
//   auto engine = std::make_shared<cBusinessBasic>();
//   std::string buff, key(4, '\0');
//   int32_t rec = 0;
//   std::string op = "L";
//   engine->Pack(op, key, 1001, 1);
//   engine->KFind("VNDRI", buff, key, rec);
//   if (rec > 0) std::string vendor = engine->LreadFile("VNDRL", rec);
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "base/Calendar.h"
#include "base/Clock.h"
#include "base/Value.h"
#include "engine/cLogicalFile.h"
#include "engine/cOpenFile.h"

namespace velta {

class cSystem;

// A handle, or a path to open first.
using OpenFileArg = std::variant<OpenFileHandle, std::string>;
// A handle, or a logical name to resolve first.
using LogicalFileArg = std::variant<LogicalFileHandle, std::string>;

class cBusinessBasic {
 public:
  // Runs the engine's start-up.
  cBusinessBasic();
  ~cBusinessBasic();
  cBusinessBasic(const cBusinessBasic&) = delete;
  cBusinessBasic& operator=(const cBusinessBasic&) = delete;

  // Pack and Unpack write the upper-cased opcode back into the caller's variable.
  int32_t Unpack(std::string& OpCode, const std::string& Data, int32_t Position);
  void Pack(std::string& OpCode, std::string& Data, int32_t value, int32_t Position);
  void PackDate(const std::string& OpCode, std::string& Data, int32_t Position, Date value);
  Date UnPackDate(const std::string& OpCode, const std::string& Data, int32_t Position);
  std::string Crm(std::string& Source);
  int32_t Max(int32_t Var1, int32_t Var2);
  int32_t Min(int32_t Var1, int32_t Var2);
  std::string Ucm(std::string& Source);
  void StrPos(int32_t& Location, const std::string& Source, const std::string& Target);
  Value Trun(const std::string& Source, int32_t flgRemoveControlCharacters = 0);
  Value ReadFile(const OpenFileArg& file, int32_t BytesToRead, int32_t Position = 0, bool Orb = false);
  void WriteFile(const OpenFileArg& file, const std::string& Data, int32_t Position = 0, bool Orb = false);
  std::string BlockReadFile(const OpenFileArg& file, int32_t BlockNumber, bool Orb = false);
  void BlockWriteFile(const OpenFileArg& file, int32_t BlockNumber, const std::string& Record, bool Orb = false);
  OpenFileHandle OpenFile(std::string& FileName);
  int32_t KLength(const LogicalFileArg& LogicalFile, bool Orb = false);
  void CloseFile(const OpenFileArg& file);
  LogicalFileHandle LogicalOpen(const std::string& FileName);
  LogicalFileHandle PhysLogicalOpen(std::string& FileName, const std::string& FileType, int32_t RecordLength);
  LogicalFileHandle PhysLogicalOpen(std::string& FileName, const std::string& FileType, int32_t RecordLength,
                                    int32_t& LastRecord);
  std::string LreadFile(const LogicalFileArg& LogicalFile, int32_t RecordNumber, bool Orb = false);
  void LwriteFile(const LogicalFileArg& LogicalFile, int32_t RecordNumber, const std::string& Data,
                  bool Orb = false);
  int32_t KCount(const LogicalFileArg& LogicalFile, bool Orb = false);
  // The shared system object.
  std::shared_ptr<cSystem> QuilSys() const;
  int32_t PhysicalLock(const std::string& FileName, int32_t Position, int32_t LockLength);
  int32_t LogicalLock(const LogicalFileArg& LogicalFile, int32_t RecordNumber);
  int32_t ReleaseLock(int32_t LockNumber);
  void DelRec(const LogicalFileArg& LogicalFile, int32_t RecordNumber, bool Orb = false);
  void GetRec(const LogicalFileArg& LogicalFile, int32_t& RecordNumber, bool Orb = false);
  void InitFile(const LogicalFileArg& LogicalFile, int32_t KeyLength = 0, bool DuplicateKeys = false,
                int32_t BlockingFactor = 0, bool Orb = false);
  void KFind(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec, bool Orb = false);
  void KLast(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec, bool Orb = false);
  void KNext(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec, bool Orb = false);
  void KPrev(const LogicalFileArg& LogicalFile, std::string& Buff, std::string& Key, int32_t& Rec, bool Orb = false);
  std::vector<std::string> Split(const std::string& Expression, const std::string& Delimiter = " ",
                                 int32_t Limit = -1, int32_t Compare = 0);
  int32_t Sys(int32_t value);
  // Var3 to Var6 are optional: pass nullptr for those not given.
  void Stma(Value& Var1, Value& Var2, Value* Var3 = nullptr, Value* Var4 = nullptr, Value* Var5 = nullptr,
            Value* Var6 = nullptr);
  // The date and time of the workstation, now.
  DateTime Now();

 private:
  uint64_t generation_;  // which start-up this instance ran (EngineStartup.h)
};

}  // namespace velta
