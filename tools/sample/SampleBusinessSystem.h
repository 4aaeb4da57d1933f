// Writes a complete sample business system into a local folder, laid out as share
// access in root mode expects it (DIR/SERVER/SHARE/...), with the files a
// workstation needs beside it, and says what it wrote.
//
//   const SampleBusinessSystem sample = writeSampleBusinessSystem("/tmp/biz", {});
//   sample.logicalFile("PARTL").entry.recordLength;   // 200
//   sample.catalog.distributor().orderPort;           // where the order control connects
//   for (const auto& line : sample.environmentLines()) std::cout << line << "\n";
//
// The folder (SERVER "SRV", dealer directory "D1" by default):
//
//   SRV/HBTSLNK/LINKSFILE          links ":D1:<name>" to the directory files below
//   SRV/HBTSLNK/ttymap             terminal map
//   SRV/HBTSLNK/D1/APDR, APDB      directory and data file: VNDRI (key: vendor number "L"),
//                                  VNDRL (200), VNDRNL (vendor notes, 64, never used)
//   SRV/HBTSLNK/D1/INDR, INDB      PARTI (key: line "C" + compressed part number, 14 bytes),
//                                  PARTL (200)
//   SRV/HBTSLNK/D1/LNDR, LNDB      LINEI (key: line "C", 2 bytes), LINEL (150), ELINEL (72),
//                                  COMODI (key: line "C", commodity, NUL; 4 bytes; pointing
//                                  at the line's record)
//   SRV/HBTSLNK/D1/100231 ...      purchase-order files, 38-byte records
//   SRV/CatCon/HBT2RKT.TXT         line-code map
//   workstation/tmp/hBTCatalog.ini            settings file (use the folder as TMPDIR)
//   workstation/config/r-kt/settings.ini      per-user link settings (use config as
//   workstation/config/velta/shares.conf      XDG_CONFIG_HOME); the share map
//
// Index entries of the directories have RecordLength 512 and LastRecord the index's
// highest block; every Flags word is 0. Record layouts: SampleRecords.h.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/sample/DataFile.h"
#include "tools/sample/LinksFile.h"
#include "tools/sample/SampleCatalog.h"
#include "tools/sample/TextFiles.h"

namespace velta::sample {

struct SampleOptions {
  std::string server = "SRV";
  std::string directory = "D1";
  int64_t parts = 3000;
  // false: "PARTL" keeps its place and header but its records are not written (they
  // read as NUL), for benchmarks that only search "PARTI" or make records as needed.
  bool writePartRecords = true;
  DistributorEndpoint distributor;
  std::string workstationName;  // listed in the terminal map; empty: this computer's name
  std::string terminalId = "7";
  // Called now and then while the parts are written: stage ("PARTI", "PARTL"), done, total.
  std::function<void(std::string_view, int64_t, int64_t)> progress;
};

// Where one logical file lies.
struct SampleLogicalFile {
  LogicalFileEntry entry;
  std::string link;               // ":D1:VNDRI"
  std::string directoryFile;      // \\SRV\HBTSLNK\D1\APDR
  std::string dataFile;           // \\SRV\HBTSLNK\D1\APDB
  std::filesystem::path localDataFile;
};

struct SampleBusinessSystem {
  std::filesystem::path root;     // DIR, absolute
  std::string server, directory;
  SampleCatalog catalog;
  std::vector<SampleLink> links;
  std::vector<SampleLogicalFile> logicalFiles;
  std::vector<std::string> terminalMap;
  std::string workstationName;
  SiteSettings siteSettings;
  bool partRecordsWritten = true;

  const SampleLogicalFile& logicalFile(std::string_view name) const;
  // \\SRV\HBTSLNK\D1\<name>, and its place on disk.
  std::string dealerPath(std::string_view name) const;
  std::filesystem::path localPath(std::string_view relative) const { return root / relative; }
  std::filesystem::path linkShare() const { return root / server / "HBTSLNK"; }
  std::filesystem::path catalogShare() const { return root / server / "CatCon"; }
  std::filesystem::path tmpDir() const { return root / "workstation" / "tmp"; }
  std::filesystem::path configHome() const { return root / "workstation" / "config"; }

  // VELTA_UNC_ROOT=..., TMPDIR=..., XDG_CONFIG_HOME=...
  std::vector<std::string> environmentLines() const;
  // The share-map lines that serve the same folders.
  std::vector<std::string> shareMapLines() const;
};

// Refuses (std::invalid_argument) names that cannot be a server or directory, and
// part counts the sample or the index format cannot hold (IndexBuildError), before
// anything is written.
void checkSampleOptions(const SampleOptions& options);

// Writes into `dir` (made when missing; files already there are overwritten).
SampleBusinessSystem writeSampleBusinessSystem(const std::filesystem::path& dir, const SampleOptions& options);

}  // namespace velta::sample
