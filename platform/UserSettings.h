// The per-user application settings store: a string read by application,
// section and key, empty when absent.
//
// Each application's settings are one profile file (ProfileFile.h):
//
//   $XDG_CONFIG_HOME/<application>/settings.ini     when XDG_CONFIG_HOME is set and not empty
//   $HOME/.config/<application>/settings.ini        otherwise
//
// Section names are taken literally, backslashes included, so the
// distributor link's settings of application "r-kt" lie in
//
//   [Dealer\Settings\Connection]
//   Host=CATSRV
//
// of ~/.config/r-kt/settings.ini (with XDG_CONFIG_HOME=DIR/workstation/config:
// DIR/workstation/config/r-kt/settings.ini). Values are read with the profile
// rules (blanks around removed, one pair of quotes removed), without a length
// limit. The file is read afresh on every call; a missing file, section or key,
// or an application name that is empty or holds "/" (or is "." or ".."), gives
// the empty string.
//
//   std::string host = userSetting("r-kt", "Dealer\\Settings\\Connection", "Host");
#pragma once

#include <string>
#include <string_view>

namespace velta {

// The settings file of `application`; empty when no per-user folder is known
// (neither XDG_CONFIG_HOME nor HOME set) or the name is not usable.
std::string userSettingsPath(std::string_view application);

std::string userSetting(std::string_view application, std::string_view section, std::string_view key);

}  // namespace velta
