// LoadSiteSettings: the one routine that reads the workstation's settings
// file, fills the shared site configuration and system objects and creates the
// shared data engine. Both controls run it when they are shown.
//
// The settings file is "hBTCatalog.ini" in the user's temporary folder
// (GetTempDir, in its on-disk letter case), a profile file whose keys all lie
// in section "xQ-Depot":
//
//   [xQ-Depot]
//   Server=SRV              file server of the business system  -> cSystem.mUNCDrive
//   DataShare=DATA          stored only
//   CatalogShare=CATALOG    stored as "\\SRV\CATALOG\"
//   Directory=D1            dealer directory                    -> cSystem.mDirectory
//   TerminalID=12           this workstation's terminal         -> cSystem.xtermid
//   CustomerNumber=4711     decimal digits; 0 when absent or empty
//
// Values are at most 99 characters. A missing file is a notice (title
// "EpcError") and nothing more; a CustomerNumber that is not a number raises
// 13 to the caller with the system object left unfilled and no engine made.
// An engine start-up that fails with 91 (no terminal map) leaves no shared
// engine; any other start-up failure leaves the earlier one in place.
//
//   LoadSiteSettings();
//   if (auto engine = engineState().engine) ...
#pragma once

#include <functional>
#include <string>

namespace velta {

class cSystem;

void LoadSiteSettings();

// The same, with `beforeEngine` run on the filled system object just before the
// engine starts: the command-line tools apply their --server and --directory there.
void LoadSiteSettings(const std::function<void(cSystem&)>& beforeEngine);

// GetTempDir in its on-disk form, with "hBTCatalog.ini" appended.
std::string siteSettingsPath();

// Whether the settings file at `path` is there (a regular file).
bool siteSettingsPresent(const std::string& path);
// The value of `key` in its section "xQ-Depot", as the start-up reads it
// (99 characters at most); "" when absent or empty.
std::string siteSettingValue(const std::string& path, const char* key);

}  // namespace velta
