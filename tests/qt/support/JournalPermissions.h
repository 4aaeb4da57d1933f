// What both controls' tests check of a journal folder the control made: the
// folder readable and writable by its owner only, and its database too.
//
//   QCOMPARE(journalPermissions(folder), QStringLiteral("0700 0600"));
#pragma once

#include <sys/stat.h>

#include <QString>
#include <filesystem>

namespace velta::qt {

// The modes of the folder and of its journal.sqlite as "0700 0600"; "missing"
// in place of one that is not there.
inline QString journalPermissions(const std::filesystem::path& folder) {
  const auto mode = [](const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return QStringLiteral("missing");
    return QStringLiteral("%1").arg(info.st_mode & 0777, 4, 8, QLatin1Char('0'));
  };
  return mode(folder) + QLatin1Char(' ') + mode(folder / "journal.sqlite");
}

}  // namespace velta::qt
