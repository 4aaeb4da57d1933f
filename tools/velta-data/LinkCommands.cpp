// token: the check token of a request header, for comparing with what the
// distributor computes.
#include <iostream>
#include <memory>
#include <string>

#include "link/CheckToken.h"
#include "link/TokenTable.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

struct TokenArguments {
  std::string date;
  std::string time;
  std::string table;
};

void printToken(const TokenArguments& args) {
  if (auto problem = tokenInputProblem(args.date, args.time)) throw UsageError(*problem);
  const TokenTable table = args.table.empty() ? TokenTable::configured() : TokenTable::fromFile(args.table);
  std::cout << makeToken(args.date, args.time, table) << "\n";
}

}  // namespace

void addLinkCommands(CLI::App& app, CommandContext& context) {
  auto args = std::make_shared<TokenArguments>();
  auto* token = app.add_subcommand("token", "Print the check token of a request header sent at DATE TIME");
  token->add_option("DATE", args->date, "Local date of sending, yyyymmdd")->required();
  token->add_option("TIME", args->time, "Local time of sending, hh:mm:ss")->required();
  token->add_option("--table", args->table,
                    "Token table file (default: VELTA_TOKEN_TABLE, else $XDG_CONFIG_HOME/velta/token-table "
                    "or ~/.config/velta/token-table, else the built-in demonstration table)")
      ->type_name("FILE");
  token->callback([&context, args] { context.action = [args] { printToken(*args); }; });
}

}  // namespace velta::tools
