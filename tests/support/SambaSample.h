// The sample business system in a temporary folder, served two ways: straight
// from the folder, and by a private Samba server whose shares are the sample's
// share folders. A test reads the same files through either share map and
// compares what it gets.
//
//   SambaSample served;                       // needs root, as SambaServer does
//   shareAccess().configure({served.localMap(), std::string()});
//   ... read ...
//   shareAccess().configure({served.smbMap(), std::string()});
//   ... read again: the same bytes ...
#pragma once

#include <memory>
#include <string>

#include "support/SambaServer.h"
#include "support/TempDir.h"
#include "tools/sample/SampleBusinessSystem.h"

namespace velta::test {

class SambaSample {
 public:
  explicit SambaSample(const sample::SampleOptions& options = {});

  const sample::SampleBusinessSystem& sample() const { return sample_; }
  SambaServer& samba() { return *samba_; }

  // Share-map files serving \\SERVER\HBTSLNK and \\SERVER\CatCon from the
  // folders, or from the Samba server (with smb:// options appended to each line).
  std::string localMap() const;
  std::string smbMap(const std::string& options = "") const;

 private:
  TempDir dir_;
  sample::SampleBusinessSystem sample_;
  std::unique_ptr<SambaServer> samba_;
};

}  // namespace velta::test
