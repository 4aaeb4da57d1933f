#include "platform/ShareMap.h"

#include "engine/TextUtilities.h"
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
  const std::size_t colon = hostPort.rfind(':');
  if (colon != std::string_view::npos && hostPort.find(']') == std::string_view::npos) {
    const auto port = boundedNumber(hostPort.substr(colon + 1), 1, 65535);
    if (!port) {
      problem = "the port must be a number from 1 to 65535";
      return std::nullopt;
    }
    target.port = *port;
    hostPort = hostPort.substr(0, colon);
  }
  if (hostPort.empty()) {
    problem = "the address names no host";
    return std::nullopt;
  }
  target.host = std::string(hostPort);
  target.share = std::string(share);
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
    } else {
      problem = "unknown option \"" + std::string(option) + "\" (credentials=FILE, timeout=SECONDS)";
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
