// The system object: where the business system lies and who this workstation is.
//
//   cSystem s;  s.mUNCDrive = "SRV";  s.mDirectory = "D1";
//   s.HBTSLNK()   // "\\SRV\HBTSLNK\D1"
//   s.CATCON()    // "\\SRV\CATCON\"
#pragma once

#include <string>

namespace velta {

class cSystem {
 public:
  std::string mUNCDrive;     // file-server name (settings file "Server")
  std::string mDirectory;    // dealer directory under the link share (settings file "Directory")
  std::string TerminalID;    // from the terminal map at start-up; "0" when not listed
  std::string ComputerName;  // this computer's network name
  std::string IP;            // this computer's IPv4 address as dotted text
  std::string xtermid;       // terminal identifier of the settings file (sent nowhere)

  // Computed from the fields on every call.
  std::string HBTSLNK() const { return "\\\\" + mUNCDrive + "\\HBTSLNK\\" + mDirectory; }
  std::string CATCON() const { return "\\\\" + mUNCDrive + "\\CATCON\\"; }
};

}  // namespace velta
