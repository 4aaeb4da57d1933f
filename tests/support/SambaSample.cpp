#include "support/SambaSample.h"

#include <fstream>
#include <stdexcept>

namespace velta::test {

namespace {

std::string writeMap(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::trunc);
  out << text;
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path.string();
}

}  // namespace

SambaSample::SambaSample(const sample::SampleOptions& options)
    : sample_(sample::writeSampleBusinessSystem(dir_.path() / "biz", options)),
      samba_(std::make_unique<SambaServer>(std::vector<SambaServer::Share>{
          {"HBTSLNK", sample_.linkShare()}, {"CATCON", sample_.catalogShare()}})) {}

std::string SambaSample::localMap() const {
  std::string text;
  for (const auto& line : sample_.shareMapLines()) text += line + "\n";
  return writeMap(dir_.path() / "local.conf", text);
}

std::string SambaSample::smbMap(const std::string& options) const {
  const std::string tail = options.empty() ? "\n" : " " + options + "\n";
  const std::string server = "\\\\" + sample_.server;
  return writeMap(dir_.path() / "smb.conf",
                  server + "\\HBTSLNK = " + samba_->url("HBTSLNK") + tail +  // the share names in other letter case
                      server + "\\CatCon = " + samba_->url("catcon") + tail);
}

}  // namespace velta::test
