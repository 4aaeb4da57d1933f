// The smb:// lines of the share map: host, port, share name and options, and
// the lines refused because they would put a secret where messages show it.
#include <gtest/gtest.h>

#include "platform/ShareMap.h"

namespace velta {
namespace {

ShareTarget accepted(std::string_view text) {
  std::string problem;
  const auto target = parseSmbTarget(text, "/etc/velta", problem);
  EXPECT_TRUE(target) << text << ": " << problem;
  return target.value_or(ShareTarget{});
}

std::string refused(std::string_view text) {
  std::string problem;
  const auto target = parseSmbTarget(text, "/etc/velta", problem);
  EXPECT_FALSE(target) << text;
  return problem;
}

TEST(ShareMapSmb, HostPortShareAndOptions) {
  const auto plain = accepted("SMB://fileserver.local/CATCON");
  EXPECT_EQ(plain.kind, ShareTarget::Kind::Smb);
  EXPECT_EQ(plain.host, "fileserver.local");
  EXPECT_EQ(plain.port, 0);
  EXPECT_EQ(plain.share, "CATCON");
  EXPECT_EQ(plain.timeoutSeconds, 5);
  EXPECT_EQ(plain.credentialsFile, "");

  const auto full = accepted("smb://10.0.0.5:4450/DATA/\tcredentials=srv.cred  TIMEOUT=3600");
  EXPECT_EQ(full.host, "10.0.0.5");
  EXPECT_EQ(full.port, 4450);
  EXPECT_EQ(full.share, "DATA");
  EXPECT_EQ(full.credentialsFile, "/etc/velta/srv.cred");
  EXPECT_EQ(full.timeoutSeconds, 3600);
  EXPECT_EQ(full.describe(), "smb://10.0.0.5:4450/DATA");
}

TEST(ShareMapSmb, IPv6AddressesGoInBrackets) {
  const auto withPort = accepted("smb://[fe80::1]:4450/S");
  EXPECT_EQ(withPort.host, "[fe80::1]");
  EXPECT_EQ(withPort.port, 4450);
  const auto without = accepted("smb://[::1]/S");
  EXPECT_EQ(without.host, "[::1]");
  EXPECT_EQ(without.port, 0);
  EXPECT_EQ(refused("smb://[::1/S"), "an IPv6 address is written in brackets, the port after them "
                                     "(smb://[ADDRESS]:PORT/SHARE)");
  EXPECT_EQ(refused("smb://[::1]x/S"), refused("smb://[::1/S"));
  EXPECT_EQ(refused("smb://::1/S"), "the address names no host");
  EXPECT_EQ(refused("smb://[]/S"), "the host must be a name or an address");
}

TEST(ShareMapSmb, ShareNamesDecodePercentEscapes) {
  EXPECT_EQ(accepted("smb://h/My%20Share").share, "My Share");
  EXPECT_EQ(accepted("smb://h/C%24").share, "C$");
  const std::string broken = "the share name is not one (a %XX escape that is not two hex digits, or a \"/\" in it)";
  EXPECT_EQ(refused("smb://h/S%2"), broken);
  EXPECT_EQ(refused("smb://h/S%zz"), broken);
  EXPECT_EQ(refused("smb://h/S%2F"), broken);
  EXPECT_EQ(refused("smb://h/S%00"), broken);
}

TEST(ShareMapSmb, RefusedLinesNeverEchoWhatMayBeSecret) {
  const std::string inAddress = refused("smb://clerk:Pa55w0rd@h/S");
  EXPECT_EQ(inAddress, "the address must not hold a user or password; name a credentials file (credentials=FILE)");
  EXPECT_EQ(refused("smb://DOM;clerk@h/S"), inAddress);
  const std::string option = refused("smb://h/S password=Pa55w0rd");
  EXPECT_EQ(option, "unknown option \"password\" (credentials=FILE, timeout=SECONDS, connections=N)");

  const auto map = ShareMap::parse("\\\\SRV\\A = smb://clerk:Pa55w0rd@h/S\n\\\\SRV\\B = smb://h/S pass=Pa55w0rd\n",
                                   "map.conf", "/etc");
  EXPECT_TRUE(map.entries().empty());
  ASSERT_EQ(map.problems().size(), 2u);
  for (const auto& problem : map.problems()) EXPECT_EQ(problem.find("Pa55w0rd"), std::string::npos) << problem;
}

TEST(ShareMapSmb, RefusesBadPortsHostsAndOptions) {
  const std::string badPort = "the port must be a number from 1 to 65535";
  EXPECT_EQ(refused("smb://h:/S"), badPort);
  EXPECT_EQ(refused("smb://h:0/S"), badPort);
  EXPECT_EQ(refused("smb://h:65536/S"), badPort);
  EXPECT_EQ(refused("smb://h:1:2/S"), badPort);
  EXPECT_EQ(accepted("smb://h:65535/S").port, 65535);
  EXPECT_EQ(refused("smb://h?x/S"), "the host must be a name or an address");
  EXPECT_EQ(refused("smb://:445/S"), "the address names no host");
  EXPECT_EQ(refused("smb://h"), "the address names no share (smb://HOST[:PORT]/SHARE)");
  EXPECT_EQ(refused("smb://h/S/D1"), "the address must name one share and nothing below it (smb://HOST[:PORT]/SHARE)");
  EXPECT_EQ(refused("smb://h/S timeout=0"), "timeout must be a number of seconds from 1 to 3600");
  EXPECT_EQ(refused("smb://h/S timeout="), "timeout must be a number of seconds from 1 to 3600");
  const std::string badConnections = "connections must be a number from 1 to 32";
  for (const char* line : {"smb://h/S connections=0", "smb://h/S connections=33", "smb://h/S connections=",
                           "smb://h/S connections=4x"}) {
    EXPECT_EQ(refused(line), badConnections) << line;
  }
  EXPECT_EQ(accepted("smb://h/S connections=1").connections, 1);
  EXPECT_EQ(accepted("smb://h/S CONNECTIONS=32").connections, 32);
  EXPECT_EQ(accepted("smb://h/S").connections, 8);
  EXPECT_EQ(refused("smb://h/S credentials="), "unknown option \"credentials\" (credentials=FILE, timeout=SECONDS, connections=N)");
}

}  // namespace
}  // namespace velta
