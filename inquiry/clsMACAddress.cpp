#include "inquiry/clsMACAddress.h"

#include "link/clsMACAddress.h"
#include "qt/Latin1.h"

namespace veltaiq {

struct Q_DECL_HIDDEN clsMACAddress::Private {
  velta::clsMACAddress machine;
};

clsMACAddress::clsMACAddress() : d_(std::make_unique<Private>()) {}

clsMACAddress::~clsMACAddress() = default;

QString clsMACAddress::GetMACAddress() {
  try {
    return velta::qt::fromLatin1(d_->machine.GetMACAddress());
  } catch (...) {
    // The host asked a question, not for a failure: no address is "".
    return {};
  }
}

}  // namespace veltaiq
