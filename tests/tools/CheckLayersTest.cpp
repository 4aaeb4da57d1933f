// tools/check-layers on small trees of its own: which includes it refuses and
// exactly how it says so.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace velta::test {
namespace {

constexpr const char* kLayers =
    "# from the ground up\n"
    "base\n"
    "engine\n"
    "order inquiry   # side by side\n";

struct LayerCase {
  const char* name;
  const char* file;
  const char* text;
  int status;
  const char* out;
};

void PrintTo(const LayerCase& c, std::ostream* os) { *os << c.name; }

class CheckLayers : public ::testing::TestWithParam<LayerCase> {};

TEST_P(CheckLayers, JudgesOneInclude) {
  const LayerCase& c = GetParam();
  TempDir tree;
  tree.write("tools/layers.txt", kLayers);
  tree.write(c.file, c.text);
  const auto result = runCommand({VELTA_SOURCE_DIR "/tools/check-layers", tree.str()});
  EXPECT_EQ(result.status, c.status) << result.out << result.err;
  EXPECT_EQ(result.out, c.out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckLayers,
    ::testing::Values(
        LayerCase{"DownIsAllowed", "engine/A.cpp", "#include \"base/X.h\"\n#include \"engine/Y.h\"\n", 0, ""},
        LayerCase{"UpIsRefused", "base/A.h", "// one\n#include <string>\n#include \"engine/X.h\"\n", 1,
                  "base/A.h:3: includes engine/X.h (layer engine above layer base)\n"},
        LayerCase{"TwoLayersUp", "base/A.cpp", "  #  include \"order/U.h\"\n", 1,
                  "base/A.cpp:1: includes order/U.h (layer order above layer base)\n"},
        LayerCase{"SideBySideIsRefused", "order/B.cpp", "#include \"inquiry/Q.h\"\n", 1,
                  "order/B.cpp:1: includes inquiry/Q.h (layer inquiry beside layer order)\n"},
        LayerCase{"UnlistedFoldersMayIncludeAnything", "tests/T.cpp", "#include \"order/U.h\"\n", 0, ""},
        LayerCase{"SystemAndLocalIncludesAreIgnored", "base/A.cpp", "#include <engine/X.h>\n#include \"Near.h\"\n", 0,
                  ""},
        LayerCase{"UnknownTopFolderIsIgnored", "base/A.cpp", "#include \"gtest/gtest.h\"\n", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckLayersOnTheTree, TheProjectObeysItsLayers) {
  const auto result = runCommand({VELTA_SOURCE_DIR "/tools/check-layers"});
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(result.out, "");
}

}  // namespace
}  // namespace velta::test
