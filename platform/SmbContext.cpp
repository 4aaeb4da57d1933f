#include "platform/SmbContext.h"

#include "platform/SmbThreads.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace velta {

namespace {

constexpr int kMillisecondsPerSecond = 1000;

// Drops everything libsmbclient would log.
void discardLog(void*, int, const char*) {}

bool unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == '~';
}

// libsmbclient decodes %XX in every name of a URL; anything else it might read
// as syntax ("?" starts options, "@" ends a user name).
void appendEncoded(std::string& out, std::string_view name) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (const char ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (unreserved(c)) {
      out += ch;
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    }
  }
}

void copyInto(char* buffer, int length, const std::string& value) {
  if (length <= 0) return;
  std::snprintf(buffer, static_cast<std::size_t>(length), "%s", value.c_str());
}

}  // namespace

SmbContext::SmbContext(const ShareTarget& target, std::optional<SmbCredentials> credentials)
    : target_(target), credentials_(std::move(credentials)) {
  // Contexts live on several threads (SmbReadPool.h): libsmbclient must know
  // before the first one is made.
  smbThreadsReady();
  context_ = smbc_new_context();
  if (!context_) {
    initError_ = errno ? errno : ENOMEM;
    return;
  }
  smbc_setDebug(context_, 0);
  smbc_setLogCallback(context_, nullptr, discardLog);
  smbc_setTimeout(context_, target_.timeoutSeconds * kMillisecondsPerSecond);
  smbc_setUser(context_, "guest");  // not $USER: without credentials this is a guest session
  smbc_setOptionUserData(context_, this);
  smbc_setFunctionAuthDataWithContext(context_, &SmbContext::authenticate);
  smbc_setOptionUseKerberos(context_, false);
  smbc_setOptionUseCCache(context_, false);
  smbc_setOptionNoAutoAnonymousLogin(context_, credentials_.has_value());
  if (!smbc_init_context(context_)) {
    initError_ = errno ? errno : EINVAL;
    smbc_free_context(context_, 1);
    context_ = nullptr;
    return;
  }
  // Initialisation sets up libsmbclient's logging afresh; send it nowhere again.
  smbc_setLogCallback(context_, nullptr, discardLog);
}

SmbContext::~SmbContext() {
  if (context_) smbc_free_context(context_, 1);
  if (credentials_) std::fill(credentials_->password.begin(), credentials_->password.end(), '\0');
}

void SmbContext::authenticate(SMBCCTX* context, const char*, const char*, char* workgroup, int workgroupLength,
                              char* user, int userLength, char* password, int passwordLength) {
  const auto* self = static_cast<const SmbContext*>(smbc_getOptionUserData(context));
  if (!self || !self->credentials_) {
    copyInto(password, passwordLength, "");
    return;  // the hints stand: user "guest", the client's workgroup
  }
  const SmbCredentials& c = *self->credentials_;
  if (!c.domain.empty()) copyInto(workgroup, workgroupLength, c.domain);
  copyInto(user, userLength, c.username);
  copyInto(password, passwordLength, c.password);
}

bool SmbContext::usable() {
  if (context_) return true;
  errno = initError_;
  return false;
}

std::string SmbContext::url(std::string_view relativePath) const {
  std::string out = "smb://" + target_.host;
  if (target_.port) out += ":" + std::to_string(target_.port);
  out += '/';
  appendEncoded(out, target_.share);
  std::size_t start = 0;
  while (start < relativePath.size()) {
    std::size_t slash = relativePath.find('/', start);
    if (slash == std::string_view::npos) slash = relativePath.size();
    if (slash > start) {
      out += '/';
      appendEncoded(out, relativePath.substr(start, slash - start));
    }
    start = slash + 1;
  }
  return out;
}

int SmbContext::stat(std::string_view relativePath, struct stat& st) {
  if (!usable()) return -1;
  return smbc_getFunctionStat(context_)(context_, url(relativePath).c_str(), &st);
}

SMBCFILE* SmbContext::open(std::string_view relativePath, int flags) {
  if (!usable()) return nullptr;
  return smbc_getFunctionOpen(context_)(context_, url(relativePath).c_str(), flags, 0);
}

ssize_t SmbContext::readAt(SMBCFILE* file, uint64_t offset, char* buffer, std::size_t length) {
  if (!usable()) return -1;
  if (smbc_getFunctionLseek(context_)(context_, file, static_cast<off_t>(offset), SEEK_SET) < 0) return -1;
  ++readCalls_;
  return smbc_getFunctionRead(context_)(context_, file, buffer, length);
}

ssize_t SmbContext::writeAt(SMBCFILE* file, uint64_t offset, const char* data, std::size_t length) {
  if (!usable()) return -1;
  if (smbc_getFunctionLseek(context_)(context_, file, static_cast<off_t>(offset), SEEK_SET) < 0) return -1;
  return smbc_getFunctionWrite(context_)(context_, file, data, length);
}

int SmbContext::fstat(SMBCFILE* file, struct stat& st) {
  if (!usable()) return -1;
  return smbc_getFunctionFstat(context_)(context_, file, &st);
}

void SmbContext::close(SMBCFILE* file) {
  if (context_ && file) smbc_getFunctionClose(context_)(context_, file);
}

std::optional<std::vector<DirEntry>> SmbContext::list(std::string_view relativeDirectory) {
  if (!usable()) return std::nullopt;
  SMBCFILE* dir = smbc_getFunctionOpendir(context_)(context_, url(relativeDirectory).c_str());
  if (!dir) return std::nullopt;
  std::vector<DirEntry> entries;
  // opendir fetched the whole listing; readdir only walks it.
  const auto readdir = smbc_getFunctionReaddir(context_);
  while (const smbc_dirent* e = readdir(context_, dir)) {
    const std::string name(e->name);
    if (name == "." || name == "..") continue;
    const EntryKind kind = e->smbc_type == SMBC_DIR ? EntryKind::Directory
                           : e->smbc_type == SMBC_FILE ? EntryKind::File
                                                        : EntryKind::None;
    entries.push_back({name, kind});
  }
  smbc_getFunctionClosedir(context_)(context_, dir);
  return entries;
}

}  // namespace velta
