#include "platform/SmbShare.h"

#include "engine/Notice.h"

namespace velta {

// Replaced by the libsmbclient backend.
std::unique_ptr<ShareBackend> makeSmbShare(const ShareTarget& target, const std::string& name) {
  notify({name + " (" + target.describe() + "): SMB shares are not available in this build.", "Share map",
          Notice::Icon::Critical});
  return nullptr;
}

}  // namespace velta
