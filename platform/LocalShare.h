// A share that lives in a local directory: a CIFS mount, or any folder.
#pragma once

#include <string>

#include "platform/ShareBackend.h"

namespace velta {

class LocalShare : public ShareBackend {
 public:
  explicit LocalShare(std::string rootDirectory);

  EntryKind kind(const std::string& relativePath) override;
  std::vector<DirEntry> list(const std::string& relativeDirectory) override;
  std::unique_ptr<ShareFile> open(const std::string& relativePath, const std::string& uncPath) override;
  std::string describe() const override { return root_; }

 private:
  std::string localPath(const std::string& relativePath) const;

  std::string root_;
};

}  // namespace velta
