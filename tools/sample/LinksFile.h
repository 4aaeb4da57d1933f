// The business system's links file: which directory file holds each logical file
// of a dealer directory. Fixed entries of 160 characters, read whole:
//
//   position  width  content
//   1         1      blank
//   2-80      79     link name, ":" + dealer directory + ":" + logical file name
//   81        1      blank
//   82-160    79     the directory file, in the same colon notation (":D1:APDR")
//
// Names are blank-padded; readers trim blanks and control characters.
//
//   std::string bytes = linksFileBytes({{":D1:VNDRI", ":D1:APDR"}});   // 160 bytes
#pragma once

#include <string>
#include <vector>

namespace velta::sample {

inline constexpr int kLinkEntrySize = 160;
inline constexpr int kLinkNameWidth = 79;

struct SampleLink {
  std::string link;        // ":D1:VNDRI"
  std::string resolution;  // ":D1:APDR"
};

std::string linksFileBytes(const std::vector<SampleLink>& links);

}  // namespace velta::sample
