// The command line of qimubox-site.
#pragma once

#include "site/server/usage_counter.h"

#include <string>
#include <vector>

namespace qimubox::site {

struct SiteOptions {
  std::string address = "127.0.0.1";
  int port = 8087;
  std::string root;  // the folder of static files
  CounterDatabase database;
};

struct ParsedOptions {
  enum class Outcome { run, help, error } outcome = Outcome::run;
  SiteOptions options;
  std::string message;  // what is wrong, for Outcome::error
};

// Reads the arguments after the program name; `defaultRoot` is the static
// folder when --root is not given.
ParsedOptions parseSiteOptions(const std::vector<std::string>& arguments, const std::string& defaultRoot);

// The --help text.
std::string siteUsage();

}  // namespace qimubox::site
