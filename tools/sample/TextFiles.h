// The sample's text files: the terminal map on the link share, the line-code map
// on the catalog share, and the workstation's settings files.
//
//   terminal map "ttymap":   <computer name or IPv4 address> <terminal id>,<more>  per line
//   "hBTCatalog.ini":        profile file, section "xQ-Depot" (Server, DataShare,
//                            CatalogShare, Directory, TerminalID, CustomerNumber), CR LF
//   r-kt "settings.ini":     profile file, section "Dealer\Settings\Connection", key "Host"
//   "HBT2RKT.TXT":           <RKT code> <blanks or tab> <hBT code> '<comment>  per line;
//                            lines without an apostrophe are ignored by readers
//   velta "shares.conf":     \\SERVER\SHARE = directory, relative to the file's own folder
//
//   std::string map = lineCodeMapText(catalog.lines);
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/sample/SampleCatalog.h"

namespace velta::sample {

struct SiteSettings {
  std::string server;
  std::string dataShare = "HBTSLNK";
  std::string catalogShare = "CatCon";
  std::string directory;
  std::string terminalId;
  std::string customerNumber = "104233";
};

// The terminal map's lines: a few other workstations, then `workstation` (upper-cased)
// with `terminalId`, then a line that names a computer and nothing else.
std::vector<std::string> terminalMapLines(std::string_view workstation, std::string_view terminalId);
std::string terminalMapText(const std::vector<std::string>& lines);

std::string siteSettingsText(const SiteSettings& settings);
std::string linkSettingsText(std::string_view host);

// One mapping for every line that has an RKT code, written in the forms that occur:
// blanks, a tab, a CR LF ending, lower case; with a heading, a comment-only line and
// a mapping of a code no line uses.
std::string lineCodeMapText(const std::vector<SampleLine>& lines);
// The code of the mapping that no product line uses (RKT, hBT).
inline constexpr std::string_view kUnusedRktCode = "ZZZ";
inline constexpr std::string_view kUnusedHbtCode = "QQQ";

std::string shareMapText(std::string_view server, const std::vector<std::pair<std::string, std::string>>& shares);

}  // namespace velta::sample
