// UNC paths as the Windows file server reads them.
//
//   \\SERVER\SHARE\dir\file
//
// "\" and "/" both separate and a run of separators counts as one, so
// "\\SRV\HBTSLNK\\D1/VNDRDI" names \\SRV\HBTSLNK\D1\VNDRDI. A "." or ".."
// component is refused: a name from outside (a purchase-order number) must not
// climb out of its share.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velta {

struct UncPath {
  std::string server;
  std::string share;
  std::vector<std::string> components;  // below the share, as written

  // "\\SERVER\SHARE\a\b": the normal form, letter case as written.
  std::string text() const;
};

// Nothing when the text is not a UNC path with a server and a share, or holds "." or "..".
std::optional<UncPath> parseUncPath(std::string_view path);

// The normal form of a UNC path text; the text itself when it does not parse.
std::string normalUncText(std::string_view path);

}  // namespace velta
