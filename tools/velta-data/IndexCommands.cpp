// find, walk, count, klength: keyed index navigation from a shell.
//
//   velta-data find VNDRI 41434d45    ->  rec=-12 key=41434d4600
//   velta-data walk VNDRI             ->  12 41434d4600   (one key a line, in key order)
//   velta-data walk VNDRI --reverse
//   velta-data count VNDRI            ->  417
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "engine/IndexBlocks.h"
#include "engine/KeyedIndex.h"
#include "engine/NavigationBuffer.h"
#include "tools/velta-data/Commands.h"

namespace velta::tools {

namespace {

struct IndexArguments {
  std::string name;
  std::string keyHex;
  bool reverse = false;
};

bool isSentinelKey(const std::string& key) {
  return !key.empty() && key.find_first_not_of('\xFF') == std::string::npos;
}

void printEntry(int32_t rec, const std::string& key) {
  std::cout << std::llabs(static_cast<long long>(rec)) << " " << toHex(key) << "\n";
}

// A walk is a run of calls that each keep nothing, so a leaf chain or a tree
// that leads back to a leaf already passed would walk for ever: each leaf may
// be entered once per walk.
class LeafGuard {
 public:
  LeafGuard(const LogicalFileHandle& file, const char* routine) : blocks_(file, routine) {}
  void enter(std::string& buff) {
    const NavigationBuffer nav(buff);
    if (nav.depth() < 1 || nav.depth() > kMaxIndexDepth) return;
    const int32_t leaf = nav.pathBlock(nav.depth());
    if (leaf == current_) return;
    blocks_.enterLeaf(leaf, current_);
    current_ = leaf;
  }

 private:
  IndexBlocks blocks_;
  int32_t current_ = -1;
};

// KFind of the empty key, then KNext up to the sentinel.
void walkForward(const LogicalFileHandle& file) {
  std::string buff, key;
  int32_t rec = 0;
  KFind(file, buff, key, rec);
  // No cursor: the index-range notice has been given.
  if (NavigationBuffer(buff).depth() == 0) return;
  LeafGuard guard(file, "KNext");
  guard.enter(buff);
  while (!(rec == 0 && isSentinelKey(key))) {
    printEntry(rec, key);
    const std::string before = buff;
    KNext(file, buff, key, rec);
    if (rec == 0 && buff == before) return;  // the end of an index without a sentinel
    guard.enter(buff);
  }
}

// KLast, then KPrev up to the first key.
void walkBackward(const LogicalFileHandle& file) {
  std::string buff, key;
  int32_t rec = 0;
  KLast(file, buff, key, rec);
  if (rec == 0 && isSentinelKey(key)) return;  // only the sentinel
  LeafGuard guard(file, "KPrev");
  guard.enter(buff);
  while (true) {
    printEntry(rec, key);
    const std::string before = buff;
    KPrev(file, buff, key, rec);
    if (rec == 0 && buff == before) return;
    guard.enter(buff);
  }
}

CLI::App* indexSubcommand(CLI::App& app, const std::string& name, const std::string& help, IndexArguments& args) {
  auto* sub = app.add_subcommand(name, help);
  sub->add_option("NAME", args.name, "Logical name of an index file, such as VNDRI or :D1:VNDRI")->required();
  return sub;
}

// Runs `body` on the index after the global options have taken effect.
template <typename Body>
void onIndex(CLI::App* sub, CommandContext& context, const std::shared_ptr<IndexArguments>& args, Body body) {
  sub->callback([&context, args, body] {
    context.action = [&context, args, body] {
      openBusinessSystem(context);
      body(openLogical(args->name, true));
    };
  });
}

}  // namespace

void addIndexCommands(CLI::App& app, CommandContext& context) {
  auto args = std::make_shared<IndexArguments>();

  auto* find = indexSubcommand(app, "find",
                               "KFind: rec=<n> key=<hex> (negative for the next higher key, 0 for none)", *args);
  find->add_option("KEYHEX", args->keyHex, "Search key as hex; cut or padded with NUL to the key length")
      ->required();
  onIndex(find, context, args, [args](const LogicalFileHandle& file) {
    std::string buff, key = fromHex(args->keyHex);
    int32_t rec = 0;
    KFind(file, buff, key, rec);
    std::cout << "rec=" << rec << " key=" << toHex(key) << "\n";
  });

  auto* walk = indexSubcommand(app, "walk", "Every key in key order, one '<rec> <keyhex>' a line", *args);
  walk->add_flag("--reverse", args->reverse, "From the last key to the first (KLast, then KPrev)");
  onIndex(walk, context, args, [args](const LogicalFileHandle& file) {
    if (args->reverse) {
      walkBackward(file);
    } else {
      walkForward(file);
    }
  });

  onIndex(indexSubcommand(app, "count", "KCount: the number of keys", *args), context, args,
          [](const LogicalFileHandle& file) { std::cout << KCount(file) << "\n"; });
  onIndex(indexSubcommand(app, "klength", "KLength: the key length", *args), context, args,
          [](const LogicalFileHandle& file) { std::cout << KLength(file) << "\n"; });
}

}  // namespace velta::tools
