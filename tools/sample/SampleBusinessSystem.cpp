#include "tools/sample/SampleBusinessSystem.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <map>
#include <stdexcept>
#include <system_error>

#include "base/FieldPacking.h"
#include "base/TextUtilities.h"
#include "tools/sample/IndexBuilder.h"
#include "tools/sample/RecordFile.h"
#include "tools/sample/SampleRecords.h"

namespace velta::sample {
namespace {

namespace fs = std::filesystem;

constexpr int kVendorKeyLength = 4;   // vendor number, "L"
constexpr int kLineKeyLength = 2;     // line number, "C"
constexpr int kPartKeyLength = 14;    // line "C" + 12 bytes of compressed part number
constexpr int kComodiKeyLength = 4;   // line "C", commodity, NUL
constexpr int kBlockingFactor = 100;  // full nodes, as the business system initialises its indexes
constexpr int kNotesRecordLength = 64;
constexpr int32_t kNotesLastRecord = 10;
constexpr int64_t kProgressStep = 1 << 16;

void writeFile(const fs::path& path, std::string_view bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw fs::filesystem_error("cannot write", path, std::error_code(errno, std::generic_category()));
}

void checkName(std::string_view what, std::string_view name) {
  const bool bad = name.empty() || name == "." || name == ".." || name.size() > 64 ||
                   name.find_first_of("\\/:*?\"<>| \t") != std::string_view::npos;
  if (bad) throw std::invalid_argument(std::string(what) + " \"" + std::string(name) + "\" cannot be used as a name");
}

IndexLayout indexLayout(int keyLength) {
  return {.keyLength = keyLength,
          .fillTarget = fillTargetFor(kBlockingFactor, kNodeRoom / (keyLength + kPointerSize))};
}

std::string vendorKey(int32_t number) {
  std::string key(kVendorKeyLength, '\0');
  Pack("L", key, number, 1);
  return key;
}
std::string lineKey(int32_t number) {
  std::string key(kLineKeyLength, '\0');
  Pack("C", key, number, 1);
  return key;
}

std::vector<IndexEntry> vendorIndex(const SampleCatalog& c) {
  std::vector<IndexEntry> entries;
  for (const SampleVendor& v : c.vendors) entries.push_back({vendorKey(v.VENDOR_NUMBER), v.record});
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
  return entries;
}
std::vector<IndexEntry> lineIndex(const SampleCatalog& c) {
  std::vector<IndexEntry> entries;
  for (const SampleLine& l : c.lines) entries.push_back({lineKey(l.Line), l.record});
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
  return entries;
}
std::vector<IndexEntry> comodiIndex(const SampleCatalog& c) {
  std::vector<IndexEntry> entries;
  for (const SampleLine& l : c.lines) {
    for (char code : l.comodiCodes) {
      std::string key = lineKey(l.Line) + code + '\0';
      entries.push_back({key, l.record});
    }
  }
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.key < b.key; });
  return entries;
}

// Every record of a small file, by number.
RecordFileContent recordsByNumber(int recordLength, int32_t lastRecord, std::vector<int32_t> deleted,
                                  std::map<int32_t, std::string> records, bool statusInFirstBytes = true) {
  RecordFileContent content;
  content.recordLength = recordLength;
  content.lastRecord = lastRecord;
  content.highestUsed = records.empty() ? 0 : records.rbegin()->first;
  for (int32_t d : deleted) content.highestUsed = std::max(content.highestUsed, d);
  content.deletedInOrder = std::move(deleted);
  content.statusInFirstBytes = statusInFirstBytes;
  content.record = [records = std::move(records)](int32_t n) {
    const auto found = records.find(n);
    if (found == records.end()) throw std::logic_error("record " + std::to_string(n) + " has no content");
    return found->second;
  };
  return content;
}

// One directory file and its data file: the logical files in the order they lie.
class Pair {
 public:
  Pair(SampleBusinessSystem& sample, std::string directoryFile)
      : sample_(sample), directoryFile_(std::move(directoryFile)) {}

  void addIndex(const std::string& name, std::vector<std::string> blocks) {
    const LogicalFileEntry& entry = layout_.addIndex(name, static_cast<int64_t>(blocks.size()));
    writes_.push_back([&entry, blocks = std::move(blocks)](DataFileWriter& out) {
      out.seek(entry);
      for (const std::string& b : blocks) out.write(b);
    });
  }
  void addRecords(const std::string& name, RecordFileContent content, std::function<void(int64_t)> tick = {},
                  bool writeRecords = true) {
    const LogicalFileEntry& entry = layout_.addRecordFile(name, content.recordLength, content.lastRecord);
    writes_.push_back([&entry, content = std::move(content), tick, writeRecords](DataFileWriter& out) {
      out.seek(entry);
      if (!writeRecords) {
        out.write(recordZero(content));
        return;
      }
      int64_t n = 0;
      sample::writeRecords(content, [&](std::string_view bytes) {
        out.write(bytes);
        if (tick) tick(n++);
      });
    });
  }

  void write() {
    const std::string& dir = sample_.directory;
    const fs::path folder = sample_.linkShare() / dir;
    const std::string dataFile = dataFileName(directoryFile_);
    writeFile(folder / directoryFile_, layout_.directoryBytes());
    DataFileWriter out(folder / dataFile, layout_.dataFileSize());
    for (const auto& w : writes_) w(out);
    out.close();
    for (const LogicalFileEntry& entry : layout_.entries()) {
      const std::string link = ":" + dir + ":" + entry.name;
      sample_.links.push_back({link, ":" + dir + ":" + directoryFile_});
      sample_.logicalFiles.push_back(
          {entry, link, sample_.dealerPath(directoryFile_), sample_.dealerPath(dataFile), folder / dataFile});
    }
  }

 private:
  SampleBusinessSystem& sample_;
  std::string directoryFile_;
  DataFileLayout layout_;
  std::vector<std::function<void(DataFileWriter&)>> writes_;
};

void writeVendors(SampleBusinessSystem& s) {
  const SampleCatalog& c = s.catalog;
  std::map<int32_t, std::string> records;
  for (const SampleVendor& v : c.vendors) records[v.record] = vendorRecord(v);
  Pair pair(s, "APDR");
  pair.addIndex("VNDRI", buildIndex(indexLayout(kVendorKeyLength), vendorIndex(c)));
  pair.addRecords("VNDRL", recordsByNumber(kVendorRecordLength, c.vendorLastRecord, c.deletedVendorRecords, records));
  pair.addRecords("VNDRNL", recordsByNumber(kNotesRecordLength, kNotesLastRecord, {}, {}));
  pair.write();
}

void writeLines(SampleBusinessSystem& s) {
  const SampleCatalog& c = s.catalog;
  std::map<int32_t, std::string> main, extension;
  for (const SampleLine& l : c.lines) {
    const std::string whole = lineRecord(l);
    main[l.record] = whole.substr(0, kLineMainLength);
    extension[l.record] = whole.substr(kLineMainLength);
  }
  Pair pair(s, "LNDR");
  pair.addIndex("LINEI", buildIndex(indexLayout(kLineKeyLength), lineIndex(c)));
  pair.addRecords("LINEL", recordsByNumber(kLineMainLength, c.lineLastRecord, c.deletedLineRecords, main));
  pair.addRecords("ELINEL",
                  recordsByNumber(kLineExtensionLength, c.lineLastRecord, c.deletedLineRecords, extension, false));
  pair.addIndex("COMODI", buildIndex(indexLayout(kComodiKeyLength), comodiIndex(c)));
  pair.write();
}

void writeParts(SampleBusinessSystem& s, const SampleOptions& options) {
  const PartCatalog& parts = s.catalog.parts;
  const int64_t n = parts.count();
  auto report = [&](std::string_view stage, int64_t done, int64_t total) {
    if (options.progress && (done % kProgressStep == 0 || done == total)) options.progress(stage, done, total);
  };
  IndexBuilder index(indexLayout(kPartKeyLength), n);
  for (int64_t i = 0; i < n; ++i) {
    const SamplePart part = parts.part(i);
    index.add(part.key(), part.record);
    report("PARTI", i + 1, n);
  }
  RecordFileContent records;
  records.recordLength = kPartRecordLength;
  records.lastRecord = parts.lastRecord();
  records.highestUsed = parts.highestUsed();
  records.deletedInOrder = parts.deletedRecords();
  records.record = [&parts](int32_t r) { return partRecord(parts.part(*parts.indexOfRecord(r))); };

  Pair pair(s, "INDR");
  pair.addIndex("PARTI", index.finish());
  const int64_t recordCount = parts.highestUsed() + 1;  // record zero too
  pair.addRecords(
      "PARTL", std::move(records), [&](int64_t written) { report("PARTL", written + 1, recordCount); },
      options.writePartRecords);
  pair.write();
}

void writePurchaseOrders(SampleBusinessSystem& s) {
  for (const SamplePurchaseOrder& po : s.catalog.purchaseOrders) {
    std::map<int32_t, std::string> records;
    int32_t n = 0;
    for (std::string& r : purchaseOrderRecords(po)) records[++n] = std::move(r);
    // A purchase-order file ends with its last record.
    std::string bytes;
    writeRecords(recordsByNumber(kPoRecordLength, n, {}, std::move(records)),
                 [&](std::string_view record) { bytes += record; });
    writeFile(s.linkShare() / s.directory / po.name, bytes);
  }
}

std::string thisComputer() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return {};
  std::string text(name);
  if (const auto dot = text.find('.'); dot != std::string::npos) text.resize(dot);
  return text;
}

}  // namespace

const SampleLogicalFile& SampleBusinessSystem::logicalFile(std::string_view name) const {
  for (const SampleLogicalFile& f : logicalFiles) {
    if (f.entry.name == name) return f;
  }
  throw std::out_of_range("the sample has no logical file " + std::string(name));
}

std::string SampleBusinessSystem::dealerPath(std::string_view name) const {
  return "\\\\" + server + "\\HBTSLNK\\" + directory + "\\" + std::string(name);
}

std::vector<std::string> SampleBusinessSystem::environmentLines() const {
  return {"VELTA_UNC_ROOT=" + root.string(), "TMPDIR=" + tmpDir().string(),
          "XDG_CONFIG_HOME=" + configHome().string()};
}

std::vector<std::string> SampleBusinessSystem::shareMapLines() const {
  return {"\\\\" + server + "\\HBTSLNK = " + linkShare().string(),
          "\\\\" + server + "\\CatCon = " + catalogShare().string()};
}

void checkSampleOptions(const SampleOptions& options) {
  checkName("server", options.server);
  checkName("directory", options.directory);
  if (equalsIgnoreCase(options.server, "workstation")) {
    throw std::invalid_argument("server \"" + options.server + "\" would share its folder with the workstation's files");
  }
  if (options.parts < PartCatalog::kMinimumParts) {
    throw std::invalid_argument("the sample needs at least " + std::to_string(PartCatalog::kMinimumParts) +
                                " parts, not " + std::to_string(options.parts));
  }
  planIndex(indexLayout(kPartKeyLength), options.parts);
  if (options.terminalId.empty() || options.terminalId.find_first_of(" ,\t\r\n") != std::string::npos) {
    throw std::invalid_argument("terminal id \"" + options.terminalId + "\" cannot stand in the terminal map");
  }
}

SampleBusinessSystem writeSampleBusinessSystem(const fs::path& dir, const SampleOptions& options) {
  checkSampleOptions(options);
  SampleBusinessSystem s;
  s.root = fs::absolute(dir).lexically_normal();
  if (s.root.has_filename() == false) s.root = s.root.parent_path();
  s.server = options.server;
  s.directory = options.directory;
  s.catalog = makeSampleCatalog(options.parts, options.distributor);
  s.partRecordsWritten = options.writePartRecords;
  s.workstationName = options.workstationName.empty() ? thisComputer() : options.workstationName;
  s.siteSettings = {.server = s.server, .directory = s.directory, .terminalId = options.terminalId};
  fs::create_directories(s.linkShare() / s.directory);

  writeVendors(s);
  writeLines(s);
  writeParts(s, options);
  writePurchaseOrders(s);
  writeFile(s.linkShare() / "LINKSFILE", linksFileBytes(s.links));
  s.terminalMap = terminalMapLines(s.workstationName, options.terminalId);
  writeFile(s.linkShare() / "ttymap", terminalMapText(s.terminalMap));
  writeFile(s.catalogShare() / "HBT2RKT.TXT", lineCodeMapText(s.catalog.lines));
  writeFile(s.tmpDir() / "hBTCatalog.ini", siteSettingsText(s.siteSettings));
  writeFile(s.configHome() / "r-kt" / "settings.ini", linkSettingsText(s.server));
  // Relative to the map's own folder, so that the sample can be moved.
  writeFile(s.configHome() / "velta" / "shares.conf",
            shareMapText(s.server, {{"HBTSLNK", "../../../" + s.server + "/HBTSLNK"},
                                    {"CatCon", "../../../" + s.server + "/CatCon"}}));
  return s;
}

}  // namespace velta::sample
