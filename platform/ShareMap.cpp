#include "platform/ShareMap.h"

#include "base/TextUtilities.h"
#include "platform/UncPath.h"

namespace velta {

namespace {

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::string anchored(std::string_view path, std::string_view baseDirectory) {
  if (path.empty() || path.front() == '/' || baseDirectory.empty()) return std::string(path);
  return std::string(baseDirectory) + "/" + std::string(path);
}

// A whole decimal number in [low, high], or nothing.
std::optional<int> boundedNumber(std::string_view text, int low, int high) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < low || value > high) return std::nullopt;
  return value;
}

// True when `host` is not empty and holds only characters of `allowed`.
bool validHost(std::string_view host, std::string_view allowed) {
  return !host.empty() && host.find_first_not_of(allowed) == std::string_view::npos;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A name of a URL with its %XX escapes decoded; nothing when an escape is broken.
std::optional<std::string> percentDecoded(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int high = hexValue(text[i + 1]);
    const int low = hexValue(text[i + 2]);
    if (high < 0 || low < 0) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return out;
}

}  // namespace

std::string ShareTarget::describe() const {
  if (kind == Kind::Local) return localDirectory;
  return "smb://" + host + (port ? ":" + std::to_string(port) : "") + "/" + share;
}

std::optional<ShareTarget> parseSmbTarget(std::string_view text, std::string_view baseDirectory,
                                          std::string& problem) {
  const auto words = Split(text, " ");
  std::vector<std::string> fields;
  for (const auto& w : words) {
    for (auto& f : Split(w, "\t")) fields.push_back(std::move(f));
  }
  if (fields.empty() || lowerAscii(fields[0].substr(0, 6)) != "smb://") {
    problem = "not an smb:// address";
    return std::nullopt;
  }
  ShareTarget target;
  target.kind = ShareTarget::Kind::Smb;
  std::string_view url = std::string_view(fields[0]).substr(6);
  const std::size_t slash = url.find('/');
  if (slash == std::string_view::npos) {
    problem = "the address names no share (smb://HOST[:PORT]/SHARE)";
    return std::nullopt;
  }
  std::string_view hostPort = url.substr(0, slash);
  std::string_view share = url.substr(slash + 1);
  if (!share.empty() && share.back() == '/') share.remove_suffix(1);
  if (share.empty() || share.find('/') != std::string_view::npos) {
    problem = "the address must name one share and nothing below it (smb://HOST[:PORT]/SHARE)";
    return std::nullopt;
  }
  if (hostPort.find('@') != std::string_view::npos || hostPort.find(';') != std::string_view::npos) {
    // A password in the map would show in every message that names the address.
    problem = "the address must not hold a user or password; name a credentials file (credentials=FILE)";
    return std::nullopt;
  }
  std::optional<std::string_view> portText;  // set when a port is written, even an empty one
  if (!hostPort.empty() && hostPort.front() == '[') {
    const std::size_t close = hostPort.find(']');
    if (close == std::string_view::npos || (close + 1 < hostPort.size() && hostPort[close + 1] != ':')) {
      problem = "an IPv6 address is written in brackets, the port after them (smb://[ADDRESS]:PORT/SHARE)";
      return std::nullopt;
    }
    if (close + 1 < hostPort.size()) portText = hostPort.substr(close + 2);
    hostPort = hostPort.substr(0, close + 1);
    if (!validHost(hostPort.substr(1, hostPort.size() - 2), "0123456789abcdefABCDEF:.")) {
      problem = "the host must be a name or an address";
      return std::nullopt;
    }
  } else {
    const std::size_t colon = hostPort.find(':');
    if (colon != std::string_view::npos) {
      portText = hostPort.substr(colon + 1);
      hostPort = hostPort.substr(0, colon);
    }
    if (!validHost(hostPort, "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_")) {
      problem = hostPort.empty() ? "the address names no host" : "the host must be a name or an address";
      return std::nullopt;
    }
  }
  if (portText) {
    const auto port = boundedNumber(*portText, 1, 65535);
    if (!port) {
      problem = "the port must be a number from 1 to 65535";
      return std::nullopt;
    }
    target.port = *port;
  }
  const auto shareName = percentDecoded(share);
  if (!shareName || shareName->empty() || shareName->find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
    problem = "the share name is not one (a %XX escape that is not two hex digits, or a \"/\" in it)";
    return std::nullopt;
  }
  target.host = std::string(hostPort);
  target.share = *shareName;
  for (std::size_t i = 1; i < fields.size(); ++i) {
    const std::string_view option = fields[i];
    const std::size_t eq = option.find('=');
    const std::string key = lowerAscii(option.substr(0, eq));
    const std::string_view value = eq == std::string_view::npos ? std::string_view{} : option.substr(eq + 1);
    if (key == "credentials" && !value.empty()) {
      target.credentialsFile = anchored(value, baseDirectory);
    } else if (key == "timeout") {
      const auto seconds = boundedNumber(value, 1, 3600);
      if (!seconds) {
        problem = "timeout must be a number of seconds from 1 to 3600";
        return std::nullopt;
      }
      target.timeoutSeconds = *seconds;
    } else if (key == "connections") {
      const auto connections = boundedNumber(value, 1, kMaxSmbConnections);
      if (!connections) {
        problem = "connections must be a number from 1 to " + std::to_string(kMaxSmbConnections);
        return std::nullopt;
      }
      target.connections = *connections;
    } else {
      // Only the key: a value may be something secret written in the wrong place.
      problem = "unknown option \"" + std::string(option.substr(0, eq)) +
                "\" (credentials=FILE, timeout=SECONDS, connections=N)";
      return std::nullopt;
    }
  }
  return target;
}

ShareMap ShareMap::parse(std::string_view text, std::string origin, std::string baseDirectory) {
  ShareMap map;
  map.origin_ = std::move(origin);
  int lineNumber = 0;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = trimBlanks(text.substr(start, end - start));
    start = end + 1;
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;

    auto skip = [&](const std::string& why) {
      map.problems_.push_back(map.origin_ + ":" + std::to_string(lineNumber) + ": " + why);
    };
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      skip("expected \\\\SERVER\\SHARE = /local/dir or smb://HOST[:PORT]/SHARE");
      continue;
    }
    const auto unc = parseUncPath(trimBlanks(line.substr(0, eq)));
    if (!unc || !unc->components.empty()) {
      skip("the left side must be \\\\SERVER\\SHARE");
      continue;
    }
    const std::string_view right = trimBlanks(line.substr(eq + 1));
    if (right.empty()) {
      skip("no folder or smb:// address after \"=\"");
      continue;
    }
    ShareMapEntry entry{unc->server, unc->share, {}, lineNumber};
    if (lowerAscii(right.substr(0, 6)) == "smb://") {
      std::string problem;
      auto target = parseSmbTarget(right, baseDirectory, problem);
      if (!target) {
        skip(problem);
        continue;
      }
      entry.target = std::move(*target);
    } else {
      entry.target.kind = ShareTarget::Kind::Local;
      entry.target.localDirectory = anchored(right, baseDirectory);
    }
    if (map.find(entry.server, entry.share)) {
      skip("\\\\" + entry.server + "\\" + entry.share + " is mapped on an earlier line; this line is ignored");
      continue;
    }
    map.entries_.push_back(std::move(entry));
  }
  return map;
}

const ShareMapEntry* ShareMap::find(std::string_view server, std::string_view share) const {
  for (const auto& e : entries_) {
    if (equalsIgnoreCase(e.server, server) && equalsIgnoreCase(e.share, share)) return &e;
  }
  return nullptr;
}

}  // namespace velta
