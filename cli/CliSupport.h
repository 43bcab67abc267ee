// What the commands of vrx-cli share: their parsed options, the talk with the logger and how
// its failures become messages and exit codes, and the output files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "device/VellUSB.h"
#include "recordings/Storage.h"

namespace cli {

struct OptionDef {
  const char* name;  // long name without the dashes
  char shortName;    // 0: none
  bool takesValue;
};

struct Options {
  std::map<std::string, std::string> values;  // by long name; "" for a flag
  std::vector<std::string> positional;
  bool Has(const std::string& name) const { return values.count(name) != 0; }
  std::string Get(const std::string& name) const {
    const auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
  }
};

// Parses args against the defs; false with `error` set on anything unknown or incomplete.
bool ParseOptions(const std::vector<std::string>& args, const std::vector<OptionDef>& defs,
                  Options& options, std::string& error);

// "vrx-cli: text" on the message stream.
void Say(CliEnv& env, const std::string& text);

// One command's use of the logger. Every failure is said here once, with its exit code.
class LoggerSession {
 public:
  explicit LoggerSession(CliEnv& env) : m_env(env) {}

  // Looks for the logger on the bus; CLI_NO_LOGGER (said) when there is none.
  int Connect();
  // Says why `what` failed and gives the exit code: a missing permission (the udev rule), or
  // a failed transfer with the error code the logger reports for it.
  int Failed(const std::string& what);

  VellUSB link;

 private:
  CliEnv& m_env;
};

// Whether a file can be written at `path`, tried before anything is read from the logger:
// empty when it can, else what is wrong ("PATH: reason"). Leaves nothing behind.
std::string CheckWritable(const std::string& path);
// Makes `dir` (one level) if it is missing and checks that files can be written in it.
std::string PrepareDirectory(const std::string& dir);

// One CSV file per recording in dir, named after its start as the window proposes; a name
// taken twice gets " (2)", " (3)" ... CLI_OK, or CLI_FILE_ERROR (said) at the first failure.
int WriteCsvFiles(CliEnv& env, const std::vector<Storage>& recordings, const std::string& dir);
// The file names WriteCsvFiles uses, in the order of the recordings.
std::vector<std::string> CsvFileNames(const std::vector<Storage>& recordings);

// A JSON string literal.
std::string JsonString(const std::string& text);

}  // namespace cli
