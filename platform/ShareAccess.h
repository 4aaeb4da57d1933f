// Share access: UNC paths of the business system's file server, on Linux.
//
// A UNC path \\SERVER\SHARE\a\b resolves through the share map (ShareMap.h)
// to a backend (a local folder or an SMB server), or, when the map has no line
// for the share, through a root folder that serves every server:
// ROOT/SERVER/SHARE/a/b. Every component below the mapped folder (and SERVER
// and SHARE below a root) is matched without regard to letter case, as the
// Windows file server does; where two names on disk differ only in case the
// exact one wins, else the first in byte order. What does not resolve is "no
// file", never an error.
//
// Configuration, unless configure() overrides it: the map file named by
// VELTA_SHARES, else $XDG_CONFIG_HOME/velta/shares.conf (else
// ~/.config/velta/shares.conf); the root folder named by VELTA_UNC_ROOT.
//
//   auto file = shareAccess().open("\\\\SRV\\HBTSLNK\\D1\\VNDRDB");   // nullptr: no file
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ShareBackend.h"
#include "platform/ShareMap.h"
#include "platform/UncPath.h"

namespace velta {

struct ShareConfig {
  std::optional<std::string> mapFile;   // instead of VELTA_SHARES and the per-user file
  std::optional<std::string> root;      // instead of VELTA_UNC_ROOT
};

class ShareAccess {
 public:
  ShareAccess();
  ~ShareAccess();

  // Replaces the configuration (the environment fills what `config` leaves
  // empty) and forgets every backend made so far. Problems of the map are
  // given once through the notice callback.
  void configure(ShareConfig config = {});

  struct Resolved {
    ShareBackend* backend = nullptr;
    std::string relativePath;  // on-disk names joined by "/"
    EntryKind kind = EntryKind::None;
  };
  // The on-disk place of a UNC path, or nothing.
  std::optional<Resolved> resolve(std::string_view uncPath);

  // File, Directory or None (absent, unmapped, unreachable, not a UNC path).
  EntryKind lookup(std::string_view uncPath);
  // Opens a file shared for reading and writing (reading only where the share
  // allows no more); nullptr when there is no such file.
  std::unique_ptr<ShareFile> open(std::string_view uncPath);
  // The whole file, or nothing when there is no such file.
  std::optional<std::string> readAll(std::string_view uncPath);

  // One line saying why a path resolves to nothing (or where it lies), naming
  // the share map that was read: for the messages of the command-line tools.
  std::string explain(std::string_view uncPath);
  // The configuration in one line: which map file was read, which root is used.
  std::string describeConfiguration();

  const ShareMap& map();

  // Serves \\server\share from `backend` ahead of the map and the root, until the
  // next configure(): the seam for tests and benchmarks (in-memory or counting shares).
  void addBackend(std::string server, std::string share, std::unique_ptr<ShareBackend> backend);

  // While one of these lives, what resolve() learns of a name (what lies there,
  // what a folder holds) is kept and not asked of the server again: one job
  // (a start-up, an order loaded) opens many files in the same folders, and a
  // server a wide-area link away answers each question a few round trips
  // later. Everything kept is forgotten when the last one ends.
  class KeptLookups {
   public:
    explicit KeptLookups(ShareAccess& access);
    ~KeptLookups();
    KeptLookups(const KeptLookups&) = delete;
    KeptLookups& operator=(const KeptLookups&) = delete;

   private:
    ShareAccess& access_;
  };

 private:
  struct Mount {
    ShareBackend* backend = nullptr;
    std::vector<std::string> prefix;  // components above the UNC path's own (root mode)
  };
  void ensureLoaded();
  Mount mountFor(std::string_view server, std::string_view share);
  EntryKind kindOf(ShareBackend& backend, const std::string& relativePath);
  const std::vector<DirEntry>& listOf(ShareBackend& backend, const std::string& relativeDirectory);
  std::unique_ptr<ShareBackend> makeBackend(const ShareTarget& target, const std::string& name);

  bool loaded_ = false;
  ShareConfig overrides_;
  std::string mapFile_;          // the map file read, empty when none
  bool mapFileMissing_ = false;  // named explicitly but not readable
  std::string root_;
  ShareMap map_;
  std::map<std::size_t, std::unique_ptr<ShareBackend>> mapped_;  // by entry index
  std::unique_ptr<ShareBackend> rootBackend_;
  struct Added {
    std::string server, share;
    std::unique_ptr<ShareBackend> backend;
  };
  std::vector<Added> added_;
  int keeping_ = 0;  // KeptLookups alive
  std::map<std::pair<const ShareBackend*, std::string>, EntryKind> keptKinds_;
  std::map<std::pair<const ShareBackend*, std::string>, std::vector<DirEntry>> keptLists_;
  std::vector<DirEntry> listed_;  // the last listing when nothing is kept
};

}  // namespace velta
