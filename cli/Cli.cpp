// The command line: which command, its options and its help.
#include "cli/Cli.h"

#include <ostream>

#include "cli/CliCommands.h"

#ifndef VRX_VERSION
#define VRX_VERSION "unknown"
#endif

namespace cli {

namespace {

struct Command {
  const char* name;
  const char* summary;  // one line for the overview
  const char* help;     // the whole --help text
  std::vector<OptionDef> options;
  int (*run)(const Options&, CliEnv&);
};

const OptionDef HELP{"help", 'h', false};

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"status",
       "is a logger connected; firmware, serial number, battery, free memory",
       "Usage: vrx-cli status [--json]\n"
       "\n"
       "Tells whether a logger is connected and shows its firmware, serial number, number of\n"
       "recordings, battery level, used and free memory and the status text of the main\n"
       "window (the recording time its free memory still holds).\n"
       "\n"
       "Options:\n"
       "      --json   one JSON object on standard output, for machines; also when no logger\n"
       "               is found ({\"found\": false, ...})\n"
       "  -h, --help   show this help\n",
       {{"json", 0, false}, HELP},
       RunStatus},
      {"info",
       "the logger's settings: interval, units, thresholds, clock, calibration",
       "Usage: vrx-cli info\n"
       "\n"
       "Shows the logger's settings block: sample interval, pressure and flow unit, automatic\n"
       "logging with its start and stop thresholds and delays, the logger's clock, the\n"
       "pressure calibration and, for firmware 4.3, serial number, date of manufacture,\n"
       "calibration date and when the calibration expires. Changes nothing.\n"
       "\n"
       "Options:\n"
       "  -h, --help   show this help\n",
       {HELP},
       RunInfo},
      {"download",
       "save every recording of the logger in a work file (and CSV files)",
       "Usage: vrx-cli download -o FILE.kdl [--csv DIR] [--clear]\n"
       "\n"
       "Reads every recording from the logger's memory and saves them in the work file\n"
       "FILE.kdl, the same bytes as the window saves for the same download. Files are written\n"
       "only after the whole download succeeded: a failed or interrupted download writes\n"
       "nothing and leaves an existing FILE.kdl as it was. The output is checked before\n"
       "anything is read from the logger.\n"
       "\n"
       "Options:\n"
       "  -o, --output FILE.kdl  the work file to write (required; the name is used as given)\n"
       "      --csv DIR          also write one CSV file per recording into DIR (made if it\n"
       "                         is missing), named after the recording's start as the window\n"
       "                         proposes: \"9_03_2016 8_05_30.csv\"\n"
       "      --clear            erase the logger's memory once the files are written and on\n"
       "                         disk; refused when the logger made another recording meanwhile\n"
       "  -h, --help             show this help\n",
       {{"output", 'o', true}, {"csv", 0, true}, {"clear", 0, false}, HELP},
       RunDownload},
      {"live",
       "print live samples as CSV lines while they arrive",
       "Usage: vrx-cli live [--seconds N] [-o FILE.kdl]\n"
       "\n"
       "Switches the logger to live sampling and prints each sample on standard output as it\n"
       "arrives: a heading line, then time (s), flow, volume and pressure, as in the CSV\n"
       "export. The logger is asked at the sample interval, at most once a second. Ctrl+C\n"
       "(or SIGTERM) stops live sampling on the logger and keeps what arrived.\n"
       "\n"
       "Options:\n"
       "      --seconds N        stop after N seconds of samples\n"
       "  -o, --output FILE.kdl  save the live recording in a work file when it ends\n"
       "  -h, --help             show this help\n",
       {{"seconds", 0, true}, {"output", 'o', true}, HELP},
       RunLive},
      {"set-clock",
       "set the logger's clock",
       "Usage: vrx-cli set-clock [--now]\n"
       "       vrx-cli set-clock [--time HH:MM[:SS]] [--date YYYY-MM-DD]\n"
       "\n"
       "Sets the logger's clock to this computer's local time (--now, the default), or sets\n"
       "the time, the date or both as given. Values are checked before anything is sent.\n"
       "\n"
       "Options:\n"
       "      --now                set date and time from this computer's clock\n"
       "      --time HH:MM[:SS]    set the time of day\n"
       "      --date YYYY-MM-DD    set the date (2000 to 2099)\n"
       "  -h, --help               show this help\n",
       {{"now", 0, false}, {"time", 0, true}, {"date", 0, true}, HELP},
       RunSetClock},
      {"set",
       "change the interval, pressure unit and automatic logging",
       "Usage: vrx-cli set [--interval SECONDS] [--unit bar|psi] [--auto-logging on|off]\n"
       "                   [--flow-on N] [--flow-on-delay SECONDS]\n"
       "                   [--flow-off N] [--flow-off-delay SECONDS]\n"
       "\n"
       "Changes the logger's recording settings with the checks of the window's settings\n"
       "dialog. Everything is checked first; nothing is sent unless all of it passes.\n"
       "Settings not given keep the logger's values. A new interval also sends the\n"
       "thresholds again, since the logger counts the delays in samples. Warnings about\n"
       "high values are shown and the values sent.\n"
       "\n"
       "Options:\n"
       "      --interval SECONDS      sample interval, 0.1 to 15.9 in steps of 0.1\n"
       "      --unit bar|psi          pressure unit\n"
       "      --auto-logging on|off   automatic logging\n"
       "      --flow-on N             start a recording when the flow is above N ...\n"
       "      --flow-on-delay SECONDS ... for this long (at least one interval)\n"
       "      --flow-off N            end it when the flow is below N (at most the start)...\n"
       "      --flow-off-delay SECONDS ... for this long (at least one interval)\n"
       "  -h, --help                  show this help\n",
       {{"interval", 0, true},
        {"unit", 0, true},
        {"auto-logging", 0, true},
        {"flow-on", 0, true},
        {"flow-on-delay", 0, true},
        {"flow-off", 0, true},
        {"flow-off-delay", 0, true},
        HELP},
       RunSet},
      {"export",
       "write the recordings of a work file as CSV files",
       "Usage: vrx-cli export FILE.kdl --csv DIR\n"
       "\n"
       "Reads a work file and writes one CSV file per recording into DIR (made if it is\n"
       "missing), named after each recording's start as the window proposes. No logger is\n"
       "needed. A damaged work file is refused with the line where it goes wrong.\n"
       "\n"
       "Options:\n"
       "      --csv DIR   the directory for the CSV files (required)\n"
       "  -h, --help      show this help\n",
       {{"csv", 0, true}, HELP},
       RunExport},
  };
  return commands;
}

void Overview(std::ostream& out) {
  out << "Usage: vrx-cli COMMAND [OPTIONS]\n"
         "\n"
         "The command-line companion of vrx for the Corvane flow and pressure logger.\n"
         "\n"
         "Commands:\n";
  for (const Command& c : Commands()) {
    const std::string name = c.name;
    out << "  " << name << std::string(11 - name.size(), ' ') << c.summary << '\n';
  }
  out << "\n"
         "Run 'vrx-cli COMMAND --help' for the options of a command.\n"
         "\n"
         "Exit status: 0 done, 2 wrong usage, 3 no logger found, 4 no permission to use the\n"
         "logger, 5 a transfer with the logger failed, 6 a file could not be read or written.\n";
}

}  // namespace

int Usage(CliEnv& env, const std::string& command, const std::string& text) {
  Say(env, command + ": " + text);
  env.err << "Try 'vrx-cli " << command << " --help'." << std::endl;
  return CLI_USAGE;
}

}  // namespace cli

int RunCli(const std::vector<std::string>& args, CliEnv& env) {
  using namespace cli;
  if (args.empty()) {
    Overview(env.err);
    return CLI_USAGE;
  }
  const std::string& first = args[0];
  if (first == "--help" || first == "-h" || (first == "help" && args.size() == 1)) {
    Overview(env.out);
    return CLI_OK;
  }
  if (first == "--version") {
    env.out << "vrx-cli " << VRX_VERSION << '\n';
    return CLI_OK;
  }
  // "help COMMAND" is "COMMAND --help".
  const std::string& name = first == "help" ? args[1] : first;
  for (const Command& command : Commands()) {
    if (name != command.name) continue;
    if (first == "help") {
      env.out << command.help;
      return CLI_OK;
    }
    Options options;
    std::string error;
    if (!ParseOptions({args.begin() + 1, args.end()}, command.options, options, error))
      return Usage(env, command.name, error);
    if (options.Has("help")) {
      env.out << command.help;
      return CLI_OK;
    }
    if (command.run != RunExport && !options.positional.empty())
      return Usage(env, command.name, "unexpected argument '" + options.positional[0] + "'");
    return command.run(options, env);
  }
  Say(env, "unknown command '" + name + "'");
  env.err << "Try 'vrx-cli --help'." << std::endl;
  return CLI_USAGE;
}
