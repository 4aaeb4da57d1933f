// What a tool or a host puts on top of the workstation's own configuration
// before the business system is opened: where the shares lie, and which file
// server and dealer directory to use instead of the settings file's.
//
// velta-data and the controls open the site the same way, so that a command
// given --root, --shares, --server or --directory finds what a control given
// the same finds:
//
//   SiteOverrides o{.root = "/srv/sample", .server = "SRV"};
//   configureShares(o);               // once: share access forgets its backends
//   openSite(o);                      // each time a control is shown
//   if (auto engine = engineState().engine) ...
#pragma once

#include <string>

namespace velta {

class cSystem;

struct SiteOverrides {
  std::string root;       // folder serving every \\SERVER\SHARE as ROOT/SERVER/SHARE (as VELTA_UNC_ROOT)
  std::string shares;     // share map file (as VELTA_SHARES)
  std::string server;     // cSystem.mUNCDrive instead of the settings file's "Server"
  std::string directory;  // cSystem.mDirectory instead of the settings file's "Directory"

  bool touchesShares() const { return !root.empty() || !shares.empty(); }
};

// Share access with `root` and `shares` in place of the environment's (what
// they leave empty the environment still fills).
void configureShares(const SiteOverrides& overrides);

// Puts the server and directory of `overrides`, where given, into `system`.
void applySystemOverrides(const SiteOverrides& overrides, cSystem& system);

enum class SiteSource {
  SettingsFile,  // LoadSiteSettings read the settings file (overrides applied on top)
  ServerAlone,   // no settings file: the server override alone names the business system
  NoSettings,    // no settings file and no server: LoadSiteSettings gave its notice
};

// LoadSiteSettings with the overrides applied before the engine starts. Without
// a settings file, a given server names the business system on its own: a new
// system object with the overrides, and an engine started on it (none when its
// start-up fails with 91). Errors of LoadSiteSettings reach the caller.
SiteSource openSite(const SiteOverrides& overrides);

}  // namespace velta
