#include "cli/CliSupport.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <set>

#include "exchange/CsvExport.h"
#include "exchange/SafeFile.h"
#include "recordings/MemoryStatus.h"

namespace cli {

bool ParseOptions(const std::vector<std::string>& args, const std::vector<OptionDef>& defs,
                  Options& options, std::string& error) {
  bool onlyPositional = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (onlyPositional || arg.size() < 2 || arg[0] != '-') {
      options.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      onlyPositional = true;
      continue;
    }
    const OptionDef* option = nullptr;
    std::string value;
    bool attached = false;  // --name=value, -oVALUE
    if (arg[1] == '-') {
      const size_t eq = arg.find('=');
      const std::string name = arg.substr(2, eq == std::string::npos ? eq : eq - 2);
      for (const OptionDef& s : defs)
        if (name == s.name) option = &s;
      if (eq != std::string::npos) {
        attached = true;
        value = arg.substr(eq + 1);
      }
    } else {
      for (const OptionDef& s : defs)
        if (s.shortName && arg[1] == s.shortName) option = &s;
      if (arg.size() > 2) {
        attached = true;
        value = arg.substr(2);
      }
    }
    if (!option) {
      error = "unknown option '" + arg + "'";
      return false;
    }
    const std::string shown = std::string("--") + option->name;
    if (!option->takesValue && attached) {
      error = "option " + shown + " takes no value";
      return false;
    }
    if (option->takesValue && !attached) {
      if (i + 1 >= args.size()) {
        error = "option " + shown + " needs a value";
        return false;
      }
      value = args[++i];
    }
    if (options.Has(option->name)) {
      error = "option " + shown + " is given twice";
      return false;
    }
    options.values[option->name] = value;
  }
  return true;
}

void Say(CliEnv& env, const std::string& text) { env.err << "vrx-cli: " << text << std::endl; }

int LoggerSession::Connect() {
  if (link.FindDevice()) return CLI_OK;
  Say(m_env, "no logger found (is it plugged in?)");
  return CLI_NO_LOGGER;
}

int LoggerSession::Failed(const std::string& what) {
  // Asked first: the next request would forget it.
  if (link.AccessDenied()) {
    Say(m_env, what +
                   " failed: no permission to use the logger. It is plugged in, but this user "
                   "may not open it: the udev rule 70-vrx-logger.rules is missing.\n"
                   "  Install the vrx package, or copy the rule by hand:\n"
                   "    sudo cp packaging/70-vrx-logger.rules /etc/udev/rules.d/\n"
                   "    sudo udevadm control --reload-rules\n"
                   "  and plug the logger in again.");
    return CLI_NO_PERMISSION;
  }
  Say(m_env, what + " failed: " + ReadFailureText(link.GetErrorCode()));
  return CLI_TRANSFER_FAILED;
}

std::string CheckWritable(const std::string& path) {
  if (path.empty()) return "no file name";
  // The writer the file will be written with tries it: a temporary file beside the target,
  // removed again when the writer goes.
  const SafeFileWriter probe(path);
  return probe.Ok() ? std::string() : probe.Error();
}

std::string PrepareDirectory(const std::string& dir) {
  if (dir.empty()) return "no directory name";
  struct stat st;
  if (stat(dir.c_str(), &st) != 0) {
    if (errno != ENOENT || mkdir(dir.c_str(), 0777) != 0) return dir + ": " + std::strerror(errno);
  } else if (!S_ISDIR(st.st_mode)) {
    return dir + ": " + std::strerror(ENOTDIR);
  }
  // A file tried inside; its failure is told as the directory's.
  const std::string probe = dir + "/vrx-cli-check";
  std::string error = CheckWritable(probe);
  if (error.rfind(probe, 0) == 0) error.replace(0, probe.size(), dir);
  return error;
}

namespace {

// A name part from a recording's date and time: the window's proposal, without control
// characters and short enough for a file name.
std::string NameBase(const Storage& rec, size_t index) {
  std::string base = CsvDefaultFileName(rec.GetDateTime());
  for (char& c : base)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  constexpr size_t MAX_BASE = 200;  // room for " (n).csv" within the 255 bytes of a name
  if (base.size() > MAX_BASE) {
    size_t cut = MAX_BASE;
    while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
    base.resize(cut);
  }
  if (base.empty()) base = "recording " + std::to_string(index + 1);
  return base;
}

// The directory as an absolute path: the CSV's first line names the file in full, as the
// window's file dialog gives it.
std::string AbsoluteDirectory(const std::string& dir) {
  std::error_code ec;
  std::string path = std::filesystem::absolute(dir, ec).lexically_normal().string();
  if (ec) path = dir;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::vector<std::string> CsvFileNames(const std::vector<Storage>& recordings) {
  std::vector<std::string> names;
  std::set<std::string> used;
  for (size_t i = 0; i < recordings.size(); ++i) {
    const std::string base = NameBase(recordings[i], i);
    std::string name = base;
    for (int n = 2; used.count(name); ++n) name = base + " (" + std::to_string(n) + ")";
    used.insert(name);
    names.push_back(name + ".csv");
  }
  return names;
}

int WriteCsvFiles(CliEnv& env, const std::vector<Storage>& recordings, const std::string& dir) {
  const std::string absolute = AbsoluteDirectory(dir);
  const std::vector<std::string> names = CsvFileNames(recordings);
  for (size_t i = 0; i < recordings.size(); ++i) {
    const std::string path = (absolute == "/" ? "" : absolute) + "/" + names[i];
    const FileWriteResult result = WriteCsvFile(path, recordings[i]);
    if (!result.ok) {
      Say(env, path + ": " + result.message);
      return CLI_FILE_ERROR;
    }
  }
  return CLI_OK;
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (u < 0x20) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\u%04x", u);
      out += esc;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace cli
