#include "platform/ShareAccess.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "base/Notice.h"
#include "base/TextUtilities.h"
#include "platform/LocalShare.h"
#include "platform/SmbShare.h"

namespace velta {

namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

std::string defaultMapFile() {
  std::string base = environment("XDG_CONFIG_HOME");
  if (base.empty()) {
    const std::string home = environment("HOME");
    if (home.empty()) return {};
    base = home + "/.config";
  }
  return base + "/velta/shares.conf";
}

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string joinRelative(const std::string& dir, const std::string& name) {
  return dir.empty() ? name : dir + "/" + name;
}

}  // namespace

ShareAccess::ShareAccess() = default;
ShareAccess::~ShareAccess() = default;

ShareAccess::KeptLookups::KeptLookups(ShareAccess& access) : access_(access) { ++access_.keeping_; }

ShareAccess::KeptLookups::~KeptLookups() {
  if (--access_.keeping_ > 0) return;
  access_.keptKinds_.clear();
  access_.keptLists_.clear();
}

EntryKind ShareAccess::kindOf(ShareBackend& backend, const std::string& relativePath) {
  if (keeping_ == 0) return backend.kind(relativePath);
  const auto key = std::make_pair(static_cast<const ShareBackend*>(&backend), relativePath);
  const auto kept = keptKinds_.find(key);
  if (kept != keptKinds_.end()) return kept->second;
  return keptKinds_[key] = backend.kind(relativePath);
}

const std::vector<DirEntry>& ShareAccess::listOf(ShareBackend& backend, const std::string& relativeDirectory) {
  if (keeping_ == 0) return listed_ = backend.list(relativeDirectory);
  const auto key = std::make_pair(static_cast<const ShareBackend*>(&backend), relativeDirectory);
  const auto kept = keptLists_.find(key);
  if (kept != keptLists_.end()) return kept->second;
  return keptLists_[key] = backend.list(relativeDirectory);
}

void ShareAccess::configure(ShareConfig config) {
  overrides_ = std::move(config);
  loaded_ = false;
  ensureLoaded();
}

void ShareAccess::ensureLoaded() {
  if (loaded_) return;
  loaded_ = true;
  keptKinds_.clear();  // they name backends that go now
  keptLists_.clear();
  mapped_.clear();
  added_.clear();
  rootBackend_.reset();
  map_ = ShareMap();
  mapFileMissing_ = false;

  bool named = true;
  if (overrides_.mapFile) {
    mapFile_ = *overrides_.mapFile;
  } else if (!environment("VELTA_SHARES").empty()) {
    mapFile_ = environment("VELTA_SHARES");
  } else {
    mapFile_ = defaultMapFile();
    named = false;
  }
  root_ = overrides_.root ? *overrides_.root : environment("VELTA_UNC_ROOT");

  if (!mapFile_.empty()) {
    std::ifstream in(mapFile_, std::ios::binary);
    if (in) {
      std::ostringstream text;
      text << in.rdbuf();
      map_ = ShareMap::parse(text.str(), mapFile_, directoryOf(mapFile_));
    } else if (named) {
      mapFileMissing_ = true;
      notify({"The share map " + mapFile_ + " cannot be read; no share is mapped by it.", "Share map",
              Notice::Icon::Critical, false, true});
    } else {
      mapFile_.clear();  // the per-user default is optional
    }
  }
  for (const auto& problem : map_.problems()) notify({problem, "Share map", Notice::Icon::Critical, false, true});
  if (!root_.empty()) rootBackend_ = std::make_unique<LocalShare>(root_);
}

const ShareMap& ShareAccess::map() {
  ensureLoaded();
  return map_;
}

std::unique_ptr<ShareBackend> ShareAccess::makeBackend(const ShareTarget& target, const std::string& name) {
  if (target.kind == ShareTarget::Kind::Local) return std::make_unique<LocalShare>(target.localDirectory);
  return makeSmbShare(target, name);
}

void ShareAccess::addBackend(std::string server, std::string share, std::unique_ptr<ShareBackend> backend) {
  ensureLoaded();
  added_.push_back({std::move(server), std::move(share), std::move(backend)});
}

ShareAccess::Mount ShareAccess::mountFor(std::string_view server, std::string_view share) {
  ensureLoaded();
  for (const auto& a : added_) {
    if (equalsIgnoreCase(a.server, server) && equalsIgnoreCase(a.share, share)) return {a.backend.get(), {}};
  }
  const auto& entries = map_.entries();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!equalsIgnoreCase(entries[i].server, server) || !equalsIgnoreCase(entries[i].share, share)) continue;
    auto& backend = mapped_[i];
    if (!backend) backend = makeBackend(entries[i].target, "\\\\" + entries[i].server + "\\" + entries[i].share);
    return {backend.get(), {}};
  }
  if (rootBackend_) return {rootBackend_.get(), {std::string(server), std::string(share)}};
  return {};
}

std::optional<ShareAccess::Resolved> ShareAccess::resolve(std::string_view uncPath) {
  const auto unc = parseUncPath(uncPath);
  if (!unc) return std::nullopt;
  const Mount mount = mountFor(unc->server, unc->share);
  if (!mount.backend) return std::nullopt;

  std::vector<std::string> wanted = mount.prefix;
  wanted.insert(wanted.end(), unc->components.begin(), unc->components.end());

  Resolved out{mount.backend, {}, kindOf(*mount.backend, "")};
  if (out.kind != EntryKind::Directory) return std::nullopt;
  for (const auto& component : wanted) {
    if (out.kind != EntryKind::Directory) return std::nullopt;
    const std::string exact = joinRelative(out.relativePath, component);
    EntryKind k = kindOf(*mount.backend, exact);
    if (k != EntryKind::None) {
      out.relativePath = exact;
      out.kind = k;
      continue;
    }
    // No exact name: the first name in byte order that differs only in letter case.
    const DirEntry* best = nullptr;
    const auto& entries = listOf(*mount.backend, out.relativePath);
    for (const auto& e : entries) {
      if (equalsIgnoreCase(e.name, component) && (!best || e.name < best->name)) best = &e;
    }
    if (!best) return std::nullopt;
    out.relativePath = joinRelative(out.relativePath, best->name);
    out.kind = best->kind;
  }
  if (out.kind == EntryKind::None) return std::nullopt;
  return out;
}

EntryKind ShareAccess::lookup(std::string_view uncPath) {
  const auto where = resolve(uncPath);
  return where ? where->kind : EntryKind::None;
}

std::unique_ptr<ShareFile> ShareAccess::open(std::string_view uncPath) {
  const auto where = resolve(uncPath);
  if (!where || where->kind != EntryKind::File) return nullptr;
  return where->backend->open(where->relativePath, normalUncText(uncPath));
}

std::optional<std::string> ShareAccess::readAll(std::string_view uncPath) {
  auto file = open(uncPath);
  if (!file) return std::nullopt;
  std::string text(static_cast<std::size_t>(file->size()), '\0');
  text.resize(file->readAt(0, text.data(), text.size()));
  return text;
}

std::string ShareAccess::describeConfiguration() {
  ensureLoaded();
  std::string out = mapFile_.empty() ? "no share map" : "share map " + mapFile_;
  if (mapFileMissing_) out += " (cannot be read)";
  out += root_.empty() ? ", no UNC root (VELTA_UNC_ROOT)" : ", UNC root " + root_;
  return out;
}

std::string ShareAccess::explain(std::string_view uncPath) {
  const auto unc = parseUncPath(uncPath);
  if (!unc) {
    return std::string(uncPath) + ": not a UNC path \\\\SERVER\\SHARE\\... (or it holds \".\" or \"..\")";
  }
  const Mount mount = mountFor(unc->server, unc->share);
  if (!mount.backend) {
    return unc->text() + ": nothing maps \\\\" + unc->server + "\\" + unc->share + " (" + describeConfiguration() +
           ")";
  }
  const auto where = resolve(uncPath);
  if (!where) {
    return unc->text() + ": no such file or folder in " + mount.backend->describe() + " (" +
           describeConfiguration() + ")";
  }
  return unc->text() + ": " + mount.backend->describe() + "/" + where->relativePath;
}

}  // namespace velta
