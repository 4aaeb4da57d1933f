// The options that say where the business system lies, shared by the
// command-line tools: --root, --shares, --server, --directory.
//
//   SiteOverrides site;
//   addSiteOptions(app, site);   // then app.parse(...)
#pragma once

#include <CLI/CLI.hpp>

#include "records/SiteOverrides.h"

namespace velta::tools {

// Registers the four options on `app`; they fill `site` when parsed.
void addSiteOptions(CLI::App& app, SiteOverrides& site);

}  // namespace velta::tools
