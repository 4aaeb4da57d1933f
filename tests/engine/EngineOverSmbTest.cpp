// The engine over SMB: the sample business system read and written through a
// Samba server answers exactly as the same files read from their folder —
// logical files and their records, every index walked both ways and searched,
// physical reads past the end, writes, deletes and the errors they give — and
// an unreachable share ends the start-up without hanging.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/BaseState.h"
#include "base/EngineError.h"
#include "engine/EngineState.h"
#include "engine/KeyedIndex.h"
#include "engine/LogicalFile.h"
#include "engine/PhysicalFile.h"
#include "engine/RecordMaintenance.h"
#include "engine/Registries.h"
#include "engine/cSystem.h"
#include "platform/ShareAccess.h"
#include "support/PlainBytes.h"
#include "support/SambaSample.h"
#include "support/SilentServer.h"
#include "support/TempDir.h"

namespace velta {
namespace {

namespace fs = std::filesystem;
using test::hexOf;

bool isSentinel(const std::string& key) { return key.find_first_not_of('\xFF') == std::string::npos; }

// Runs `f`, writing down its engine error where it raises one.
template <class F>
void noting(std::ostream& out, F&& f) {
  try {
    f();
  } catch (const EngineError& e) {
    out << "raised " << e.what() << "\n";
  }
}

// What the engine answers over the sample, one item a line.
class Transcript {
 public:
  explicit Transcript(const sample::SampleBusinessSystem& s) : s_(s) {}

  std::string run(const std::string& mapFile) {
    std::vector<std::string> notices;
    baseState().notice = [&](const Notice& n) { notices.push_back(n.text); };
    shareAccess().configure({mapFile, std::string()});
    engineState().system->mUNCDrive = s_.server;
    engineState().system->mDirectory = s_.directory;
    out_.str("");
    noting(out_, [] { createRegistries(); });
    for (const auto& f : s_.logicalFiles) logicalFile(f.entry.name, f.entry.fileType);
    physicalFiles();
    writes();
    for (const auto& n : notices) out_ << "notice " << n << "\n";
    engineState().links.reset();
    engineState().openFiles.reset();
    engineState().logicalFiles.reset();
    shareAccess().configure({std::string(), std::string()});
    baseState().notice = nullptr;
    return out_.str();
  }

 private:
  void logicalFile(const std::string& name, char type) {
    const auto file = LogicalOpen(name);
    out_ << "logical " << name;
    if (!file) {
      out_ << " none\n";
      return;
    }
    out_ << " type=" << file->FileType << " position=" << file->Position << " reclen=" << file->RecordLength
         << " lastrec=" << file->LastRecord << " active=" << file->ActiveCount() << "\n";
    if (type == 'I') {
      index(file);
      return;
    }
    for (int32_t n = 1; n <= file->LastRecord; ++n) out_ << n << " " << hexOf(LreadFile(file, n)) << "\n";
    noting(out_, [&] { LreadFile(file, file->LastRecord + 1); });
    noting(out_, [&] { LreadFile(file, 0); });
  }

  void index(const LogicalFileHandle& idx) {
    out_ << "klength=" << KLength(idx) << " kcount=" << KCount(idx) << "\n";
    std::vector<std::string> keys;
    std::string buff, key;
    int32_t rec = 0;
    noting(out_, [&] {
      KFind(idx, buff, key, rec);
      while (!(rec == 0 && isSentinel(key)) && keys.size() < 1000000) {
        out_ << "next " << rec << " " << hexOf(key) << "\n";
        keys.push_back(key);
        KNext(idx, buff, key, rec);
      }
    });
    noting(out_, [&] {
      KLast(idx, buff, key, rec);
      for (std::size_t n = 0; rec != 0 && n <= keys.size(); ++n) {
        out_ << "prev " << rec << " " << hexOf(key) << "\n";
        KPrev(idx, buff, key, rec);
      }
    });
    // Exact keys, and keys just above them (the next higher key, a negative record).
    for (std::size_t i = 0; i < keys.size(); i += 7) {
      for (std::string wanted : {keys[i], keys[i] + std::string(1, '\x01')}) {
        if (wanted.size() > keys[i].size()) wanted = keys[i].substr(0, keys[i].size() - 1) + '\xFE';
        noting(out_, [&] {
          KFind(idx, buff, wanted, rec);
          out_ << "find " << hexOf(keys[i]) << " " << rec << " " << hexOf(wanted) << "\n";
        });
      }
    }
  }

  void physicalFiles() {
    for (const auto& f : s_.logicalFiles) {
      std::string name = f.dataFile;
      const auto file = OpenFile(name);
      out_ << "open " << name << (file ? "" : " none") << "\n";
      if (!file) continue;
      const int64_t blocks = static_cast<int64_t>(file->file->size() + kBlockSize - 1) / kBlockSize;
      for (int64_t b = 0; b < blocks; b += 97) out_ << "block " << b << " " << hexOf(BlockReadFile(file, b)) << "\n";
      out_ << "past the end " << hexOf(ReadFile(file, 40, static_cast<int32_t>(file->file->size()) - 8)) << "\n";
    }
    std::string missing = "\\\\" + s_.server + "\\HBTSLNK\\" + s_.directory + "\\NOSUCH";
    out_ << "open missing: " << (OpenFile(missing) ? "found" : "no file") << "\n";
    std::string catalog = "\\\\" + s_.server + "\\catcon\\hbt2rkt.txt";
    if (const auto map = OpenFile(catalog)) out_ << "line-code map " << hexOf(ReadFile(map, 64)) << "\n";
  }

  // Changes that the caller undoes by restoring the files afterwards.
  void writes() {
    const auto vendors = LogicalOpen("VNDRL");
    if (!vendors) return;
    const std::string before = LreadFile(vendors, 1);
    std::string changed = before;
    changed.replace(0, 4, "SMB!");
    noting(out_, [&] { LwriteFile(vendors, 1, changed); });
    out_ << "written " << hexOf(LreadFile(vendors, 1)) << "\n";
    noting(out_, [&] { LwriteFile(vendors, 1, "short"); });
    noting(out_, [&] { DelRec(vendors, 2); });
    out_ << "after delete active=" << vendors->ActiveCount() << " high=" << vendors->HighUsedRecord() << " "
         << hexOf(LreadFile(vendors, 2)) << "\n";
    noting(out_, [&] { DelRec(vendors, 2); });
    int32_t rec = 0;
    noting(out_, [&] { GetRec(vendors, rec); });
    std::string grown = s_.dealerPath("GROWN");
    if (const auto file = OpenFile(grown)) {
      WriteFile(file, "abc", 1000);
      out_ << "grown " << file->file->size() << " " << hexOf(ReadFile(file, 8, 996)) << "\n";
    }
  }

  const sample::SampleBusinessSystem& s_;
  std::ostringstream out_;
};

// The sample's data files as they are, to put back after a run that wrote to them.
class SavedFiles {
 public:
  explicit SavedFiles(const fs::path& folder) {
    for (const auto& e : fs::recursive_directory_iterator(folder)) {
      if (!e.is_regular_file()) continue;
      std::ifstream in(e.path(), std::ios::binary);
      files_.emplace_back(e.path(), std::string(std::istreambuf_iterator<char>(in), {}));
    }
  }
  void restore() const {
    for (const auto& [path, bytes] : files_) std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }

 private:
  std::vector<std::pair<fs::path, std::string>> files_;
};

// The first line where two transcripts part, for a message shorter than both.
std::string firstDifference(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string lx, ly;
  for (int line = 1;; ++line) {
    const bool gx = static_cast<bool>(std::getline(x, lx)), gy = static_cast<bool>(std::getline(y, ly));
    if (!gx && !gy) return "none";
    if (!gx || !gy || lx != ly) {
      return "line " + std::to_string(line) + ":\n  local: " + lx.substr(0, 200) + "\n  smb:   " + ly.substr(0, 200);
    }
  }
}

TEST(EngineOverSmb, AnswersAsOverTheLocalFolderByteForByte) {
  if (auto why = test::SambaServer::unavailable()) GTEST_SKIP() << *why;
  sample::SampleOptions options;
  options.parts = 3000;  // a PARTI of several levels
  test::SambaSample served(options);
  const SavedFiles saved(served.sample().root / served.sample().server);
  Transcript transcript(served.sample());

  const std::string local = transcript.run(served.localMap());
  const fs::path grown = served.sample().linkShare() / served.sample().directory / "GROWN";
  saved.restore();
  const std::string smb = transcript.run(served.smbMap());
  saved.restore();

  EXPECT_TRUE(local == smb) << "first difference: " << firstDifference(local, smb);
  // The transcript holds what it should, so that agreeing means something.
  EXPECT_EQ(local.find("raised error 91"), std::string::npos) << "no registries: " << local.substr(0, 300);
  EXPECT_EQ(local.find("notice "), std::string::npos);
  EXPECT_EQ(local.find(" none\n"), std::string::npos);
  EXPECT_NE(local.find("open missing: no file\n"), std::string::npos);
  for (const char* item : {"logical PARTI type=I", "next ", "prev ", "find ", "logical VNDRL type=L", "block 97 ",
                           "past the end ", "written 534d4221", "raised error 81", "after delete", "line-code map"}) {
    EXPECT_NE(local.find(item), std::string::npos) << item;
  }
}

TEST(EngineOverSmb, StartUpOverAShareThatDoesNotAnswerEndsWithinTheDeadline) {
  test::TempDir dir;
  test::SilentServer silent;
  std::ofstream(dir.path() / "shares.conf")
      << "\\\\SRV\\HBTSLNK = smb://127.0.0.1:" << silent.port() << "/HBTSLNK timeout=1\n";
  std::vector<std::string> notices;
  baseState().notice = [&](const Notice& n) { notices.push_back(n.text); };
  shareAccess().configure({(dir.path() / "shares.conf").string(), std::string()});
  engineState().system->mUNCDrive = "SRV";
  engineState().system->mDirectory = "D1";

  const auto start = std::chrono::steady_clock::now();
  createRegistries();  // the links file cannot be reached: an empty link table
  const auto vendors = LogicalOpen("VNDRL");
  std::string name = "VNDRDB";
  const auto data = OpenFile(name);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  EXPECT_EQ(vendors, nullptr);
  EXPECT_EQ(data, nullptr);
  EXPECT_LT(seconds, 2 * 1 + 2.0);  // two calls reach the share, each within its deadline
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("\\\\SRV\\HBTSLNK (smb://127.0.0.1:"), std::string::npos) << notices[0];
  EXPECT_NE(notices[0].find("did not answer within 1 second"), std::string::npos) << notices[0];
  engineState().links.reset();
  engineState().openFiles.reset();
  engineState().logicalFiles.reset();
  shareAccess().configure({std::string(), std::string()});
  baseState().notice = nullptr;
}

}  // namespace
}  // namespace velta
