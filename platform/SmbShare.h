// A share reached straight over SMB with libsmbclient.
#pragma once

#include <memory>
#include <string>

#include "platform/ShareBackend.h"
#include "platform/ShareMap.h"

namespace velta {

// The backend for an smb:// line of the share map; `name` (\\SERVER\SHARE) names it in notices.
std::unique_ptr<ShareBackend> makeSmbShare(const ShareTarget& target, const std::string& name);

}  // namespace velta
