#include "tools/sample/TextFiles.h"

#include "base/TextUtilities.h"

namespace velta::sample {

std::vector<std::string> terminalMapLines(std::string_view workstation, std::string_view terminalId) {
  std::vector<std::string> lines{
      "ACCT01 1,LP1,ACCOUNTING",
      "192.168.10.21 2,LP1",
      "PARTS2  3,LP2",
      "SHIPPING",
  };
  if (!workstation.empty()) {
    lines.insert(lines.begin() + 3, upperAscii(workstation) + " " + std::string(terminalId) + ",LP3,COUNTER");
  }
  lines.push_back("SERVICE4 4");
  return lines;
}

std::string terminalMapText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

std::string siteSettingsText(const SiteSettings& s) {
  return "; written by the workstation software at log-in\r\n"
         "[Workstation]\r\n"
         "Server=NOT-THIS-ONE\r\n"
         "\r\n"
         "[xQ-Depot]\r\n"
         "Server=" + s.server + "\r\n"
         "DataShare=" + s.dataShare + "\r\n"
         "CatalogShare=" + s.catalogShare + "\r\n"
         "Directory=" + s.directory + "\r\n"
         "TerminalID=" + s.terminalId + "\r\n"
         "CustomerNumber=" + s.customerNumber + "\r\n";
}

std::string linkSettingsText(std::string_view host) {
  return "[Dealer\\Settings\\Connection]\nHost=" + std::string(host) + "\n";
}

std::string lineCodeMapText(const std::vector<SampleLine>& lines) {
  std::string text = "RKT  HBT\n' line codes of the distributor (RKT) and of this dealer (hBT)\n";
  int k = 0;
  for (const SampleLine& line : lines) {
    if (line.rktCode.empty()) continue;
    const std::string comment = " ' " + line.Line_Name;
    switch (k++ % 4) {
      case 0:
        text += line.rktCode + "   " + line.Alpha_Line + "  " + comment + "\n";
        break;
      case 1:
        text += line.rktCode + "\t" + line.Alpha_Line + "\t" + comment + "\n";
        break;
      case 2:
        text += "  " + line.rktCode + " " + line.Alpha_Line + comment + "\r\n";
        break;
      case 3:
        text += lowerAscii(line.rktCode) + "    " + lowerAscii(line.Alpha_Line) + comment + "\n";
        break;
    }
  }
  text += std::string(kUnusedRktCode) + "   " + std::string(kUnusedHbtCode) + "   ' no longer carried\n";
  return text;
}

std::string shareMapText(std::string_view server, const std::vector<std::pair<std::string, std::string>>& shares) {
  std::string text = "# the sample business system's shares\n";
  for (const auto& [share, directory] : shares) {
    text += "\\\\" + std::string(server) + "\\" + share + " = " + directory + "\n";
  }
  return text;
}

}  // namespace velta::sample
