// The commands of vrx-cli; each takes its parsed options and gives the exit code.
#pragma once

#include "cli/CliSupport.h"

namespace cli {

int RunStatus(const Options& options, CliEnv& env);
int RunInfo(const Options& options, CliEnv& env);
int RunSetClock(const Options& options, CliEnv& env);
int RunSet(const Options& options, CliEnv& env);
int RunDownload(const Options& options, CliEnv& env);
int RunLive(const Options& options, CliEnv& env);
int RunExport(const Options& options, CliEnv& env);

// A usage error of a command: said with a pointer to its help.
int Usage(CliEnv& env, const std::string& command, const std::string& text);

}  // namespace cli
