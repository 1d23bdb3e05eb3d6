#include "site/server/site_options.h"

#include <charconv>
#include <fstream>

namespace qimubox::site {

namespace {

bool readPort(const std::string& text, int lowest, int& port) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < lowest || value > 65535) return false;
  port = value;
  return true;
}

// The database port from the key=value lines of the state file that
// site/catalog.sh writes for the server it starts.
bool readStatePort(const std::string& stateFile, unsigned& port) {
  std::ifstream in(stateFile);
  std::string line;
  while (std::getline(in, line)) {
    int value = 0;
    if (line.starts_with("port=") && readPort(line.substr(5), 1, value)) {
      port = static_cast<unsigned>(value);
      return true;
    }
  }
  return false;
}

}  // namespace

std::string siteUsage() {
  return "Usage: qimubox-site [options]\n"
         "Serves the static files of the site (icons, banners, the update package),\n"
         "with byte ranges, and the statistics endpoint /hezi/tongji.php:\n"
         "  ?var=times counts one use and answers true, ?return=times3 answers the count.\n"
         "\n"
         "  --address ADDR      address to listen on (default 127.0.0.1)\n"
         "  --port N            port to listen on, 0 for a free one (default 8087)\n"
         "  --root DIR          folder of static files (default the repository's site/www)\n"
         "  --db-host HOST      database server of the counter (default 127.0.0.1)\n"
         "  --db-port N         its port (default 3306)\n"
         "  --db-state FILE     take the port from the state file of site/catalog.sh\n"
         "  --db-user USER      account of the counter (default tongji)\n"
         "  --db-password PW    its password (default that of the demo schema)\n"
         "  --db-name NAME      database holding usage_counter (default tool)\n"
         "  --help              show this text\n";
}

ParsedOptions parseSiteOptions(const std::vector<std::string>& arguments, const std::string& defaultRoot) {
  ParsedOptions parsed;
  SiteOptions& options = parsed.options;
  options.root = defaultRoot;
  const auto fail = [&](std::string message) {
    parsed.outcome = ParsedOptions::Outcome::error;
    parsed.message = std::move(message);
    return parsed;
  };

  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    if (name == "--help" || name == "-h") {
      parsed.outcome = ParsedOptions::Outcome::help;
      return parsed;
    }
    if (i + 1 >= arguments.size()) return fail(name + " needs a value");
    const std::string& value = arguments[++i];
    int port = 0;
    if (name == "--address") {
      options.address = value;
    } else if (name == "--port") {
      if (!readPort(value, 0, port)) return fail("--port takes a number from 0 to 65535, not '" + value + "'");
      options.port = port;
    } else if (name == "--root") {
      options.root = value;
    } else if (name == "--db-host") {
      options.database.host = value;
    } else if (name == "--db-port") {
      if (!readPort(value, 1, port)) return fail("--db-port takes a number from 1 to 65535, not '" + value + "'");
      options.database.port = static_cast<unsigned>(port);
    } else if (name == "--db-state") {
      if (!readStatePort(value, options.database.port)) return fail("no port=N line in '" + value + "'");
    } else if (name == "--db-user") {
      options.database.user = value;
    } else if (name == "--db-password") {
      options.database.password = value;
    } else if (name == "--db-name") {
      options.database.name = value;
    } else {
      return fail("unknown option '" + name + "'");
    }
  }
  return parsed;
}

}  // namespace qimubox::site
