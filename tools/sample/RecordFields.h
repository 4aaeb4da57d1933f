// Writing the fields of the business system's records into record strings.
//
// Numbers go in with the engine's Pack and PackDate; the two kinds of text are here:
// plain text is blank-padded to its width, compressed text is three characters of
// the compression alphabet to two bytes, NUL-filled to its width. The sample's files
// are written in the business system's own (default) alphabet, whatever the
// workstation's engine has been told since.
//
//   std::string rec(200, '\0');
//   putPacked(rec, 6, 20, "NORTHERN PARTS DISTRIBUTION");   // bytes 6-25
//   putText(rec, 140, 7, "NPD");                            // "NPD    " at 140-146
#pragma once

#include <string>
#include <string_view>

namespace velta::sample {

// `text` cut or blank-padded to `width`, over bytes position .. position + width - 1.
void putText(std::string& record, int position, int width, std::string_view text);
// Compressed `text` cut or NUL-filled to `width` bytes (so 3 x width / 2 characters).
void putPacked(std::string& record, int position, int width, std::string_view text);
// The compressed form alone, `width` bytes.
std::string packedText(std::string_view text, int width);

}  // namespace velta::sample
