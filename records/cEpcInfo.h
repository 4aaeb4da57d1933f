// The site configuration record: what the workstation's settings file says
// about where the business system lies and who this workstation is.
//
// LoadSiteSettings fills the shared one (siteState().epcInfo). A new record
// holds empty strings and 0.
//
//   cEpcInfo info;
//   info.Server = "SRV";
//   info.CatalogShare = "\\\\SRV\\CATALOG\\";   // always the full UNC path
#pragma once

#include <cstdint>
#include <string>

namespace velta {

class cEpcInfo {
 public:
  std::string Server;          // file server, as used in UNC paths ("Server")
  std::string DataShare;       // share name for data, stored as read ("DataShare")
  std::string CatalogShare;    // "\\" + Server + "\" + value + "\" ("CatalogShare")
  std::string Directory;       // dealer directory under the link share ("Directory")
  std::string TerminalID;      // terminal identifier of this workstation ("TerminalID")
  int32_t CustomerNumber = 0;  // the dealer's customer number; 0 when absent or empty ("CustomerNumber")
};

}  // namespace velta
