// Where the workstation keeps its files: the temporary folder and the
// on-disk form of a path. Helpers of the site configuration (LoadSiteSettings
// builds the settings file's path with them).
//
// Workstation paths are POSIX paths: "/" separates, "/" at the start makes a
// path absolute.
//
//   GetTempDir()                     // "$TMPDIR/", else "/tmp/"
//   GetLongPath("/TMP/Velta/x.INI")  // "/tmp/velta/x.ini" when those are the names on disk
#pragma once

#include <string>
#include <string_view>

namespace velta {

// The current user's temporary folder: $TMPDIR when set and not empty, else
// "/tmp"; always ending in exactly one "/" (the folder itself need not exist).
std::string GetTempDir();

// `path` with every component replaced by the name on disk that matches it
// (the exact name when there is one, else the first name in byte order that
// differs only in letter case). A component that matches nothing, and every
// one after it, stays as written, and so do "." and "..". Runs of "/" count as
// one; a leading "/" and a trailing "/" are kept. A relative path is matched
// from the current folder. "" gives "".
std::string GetLongPath(std::string_view path);

}  // namespace velta
