// The commands that fetch recordings and write files: download, live, export.
#include <algorithm>
#include <ostream>
#include <span>

#include "cli/CliCommands.h"
#include "device/LiveBlock.h"
#include "device/SettingsBlock.h"
#include "exchange/CsvExport.h"
#include "exchange/WorkFile.h"
#include "recordings/LiveRecording.h"
#include "recordings/LoggerDownload.h"

namespace cli {

namespace {

int SampleCount(const std::vector<Storage>& recordings) {
  int n = 0;
  for (const Storage& rec : recordings) n += rec.GetSampleCount();
  return n;
}

// The file checks every writing command makes before it reads anything.
int CheckOutputs(CliEnv& env, const std::string& workFile, const std::string& csvDir) {
  if (!workFile.empty()) {
    if (const std::string error = CheckWritable(workFile); !error.empty()) {
      Say(env, "cannot write " + error);
      return CLI_FILE_ERROR;
    }
  }
  if (!csvDir.empty()) {
    if (const std::string error = PrepareDirectory(csvDir); !error.empty()) {
      Say(env, "cannot write CSV files into " + error);
      return CLI_FILE_ERROR;
    }
  }
  return CLI_OK;
}

int SaveWorkFile(CliEnv& env, const std::string& path, std::span<const Storage> recordings) {
  const FileWriteResult written = WriteWorkFile(path, recordings);
  if (written.ok) return CLI_OK;
  Say(env, path + ": " + written.message);
  return CLI_FILE_ERROR;
}

}  // namespace

int RunDownload(const Options& options, CliEnv& env) {
  const std::string path = options.Get("output");
  if (path.empty()) return Usage(env, "download", "the work file to write is missing: -o FILE.kdl");
  const std::string csvDir = options.Get("csv");
  if (options.Has("csv") && csvDir.empty())
    return Usage(env, "download", "--csv needs a directory");
  if (const int code = CheckOutputs(env, path, csvDir)) return code;

  LoggerSession session(env);
  if (const int code = session.Connect()) return code;
  bool progressShown = false;
  const LoggerDownloadResult result =
      LoggerDownload(session.link).Run([&](uint64_t done, uint64_t total) {
        if (env.stopRequested()) return false;
        if (env.showProgress && total > 0) {
          env.err << "\rreading the logger's memory: " << done * 100 / total << " %" << std::flush;
          progressShown = true;
        }
        return true;
      });
  if (progressShown) env.err << std::endl;
  switch (result.status) {
    case DownloadStatus::Ok:
      break;
    case DownloadStatus::Cancelled:
      Say(env, "interrupted: nothing was written");
      return CLI_INTERRUPTED;
    case DownloadStatus::ReadFailed:
      return session.Failed("reading the logger's memory (nothing was written)");
    case DownloadStatus::BadMemory:
      Say(env, "the logger's memory cannot be read as recordings (nothing was written): " +
                   result.error);
      return CLI_TRANSFER_FAILED;
  }

  // Files only once everything was read: a failed download leaves an old file as it was.
  if (const int code = SaveWorkFile(env, path, result.recordings)) return code;
  const size_t count = result.recordings.size();
  Say(env, std::to_string(count) + (count == 1 ? " recording" : " recordings") + " (" +
               std::to_string(SampleCount(result.recordings)) + " samples) saved in " + path);
  if (!csvDir.empty()) {
    if (const int code = WriteCsvFiles(env, result.recordings, csvDir)) return code;
    Say(env, std::to_string(count) + " CSV " + (count == 1 ? "file" : "files") + " written to " +
                 csvDir);
  }

  if (!options.Has("clear")) return CLI_OK;
  if (env.stopRequested()) {
    Say(env, "interrupted: the logger's memory was not cleared");
    return CLI_INTERRUPTED;
  }
  // The logger records by itself: a recording it finished since the download is in no file
  // and must not be erased with the others.
  SettingsBlock block;
  if (!ReadSettingsBlock(session.link, block))
    return session.Failed("checking the logger before clearing it (it was not cleared)");
  if (block.fileCount() != result.block->fileCount()) {
    Say(env, "the logger holds " + std::to_string(block.fileCount()) + " recordings now, " +
                 std::to_string(result.block->fileCount()) +
                 " when they were read: its memory was not cleared; download again");
    return CLI_TRANSFER_FAILED;
  }
  if (!session.link.ClearMemory())
    return session.Failed("clearing the logger's memory (the recordings are saved)");
  Say(env, "the logger's memory was cleared");
  return CLI_OK;
}

int RunLive(const Options& options, CliEnv& env) {
  long long seconds = 0;  // 0: until stopped
  if (options.Has("seconds")) {
    const std::string text = options.Get("seconds");
    const bool digits =
        !text.empty() && text.size() <= 9 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || std::stoll(text) == 0)
      return Usage(env, "live",
                   "--seconds takes a whole number of seconds above 0, not '" + text + "'");
    seconds = std::stoll(text);
  }
  const std::string path = options.Get("output");
  if (options.Has("output") && path.empty()) return Usage(env, "live", "-o needs a file name");
  if (const int code = CheckOutputs(env, path, "")) return code;

  LoggerSession session(env);
  if (const int code = session.Connect()) return code;
  SettingsBlock block;
  if (!ReadSettingsBlock(session.link, block)) return session.Failed("reading the settings block");
  if (!session.link.SetLiveMode(1)) {
    const int code = session.Failed("starting live reading");
    session.link.SetLiveMode(0);  // in case the logger did start
    return code;
  }

  Storage rec = NewLiveRecording(block, LiveStartStamp(env.now()));
  const int intervalMs = rec.GetIntervalMs();
  // As the window polls: at the sample interval, but not more often than once a second.
  const int tickMs = std::max(intervalMs, 1000);
  bool full = false;  // --seconds worth of samples arrived
  auto take = [&](const unsigned char* liveBlock) {
    for (const LoggerSample& s : DecodeLiveBlock(liveBlock)) {
      if (seconds > 0 && (rec.GetAddedSampleCount() + 1.0) * intervalMs / 1000.0 > seconds) {
        full = true;
        break;
      }
      rec.AddSample(s.flowRaw, s.pressureRaw);
      env.out << CsvSampleText(rec.GetLastSample()) << '\n';
    }
    env.out.flush();
  };
  env.out << CsvHeading(rec.GetFlowUnitLitres(), rec.GetPressureUnit()) << std::endl;

  int code = CLI_OK;
  // A logger that stops sending cannot keep --seconds from ending.
  const long long maxTicks = seconds > 0 ? (seconds * 1000 + tickMs - 1) / tickMs + 2 : -1;
  for (long long tick = 0; !full && env.out && (maxTicks < 0 || tick < maxTicks); ++tick) {
    if (env.stopRequested()) break;
    env.wait(tickMs);
    if (env.stopRequested()) break;
    const unsigned char* liveBlock = session.link.ReadLiveBlock();
    if (!liveBlock) {
      code = session.Failed("live reading");
      break;
    }
    take(liveBlock);
  }
  if (!env.out) Say(env, "standard output was closed: live reading stops");

  // The logger is told to stop in every case, also after a failed poll.
  if (!session.link.SetLiveMode(0)) {
    if (code == CLI_OK)
      code = session.Failed("stopping live reading on the logger");
    else
      Say(env, "live reading could not be stopped on the logger either");
  } else if (const unsigned char* last = session.link.ReadLiveBlock(); last && !full && env.out) {
    take(last);  // what the logger took until it stopped
  }
  char summary[96];
  std::snprintf(summary, sizeof summary, "%d samples (%.1f s) read", rec.GetSampleCount(),
                rec.GetLastSample().time);
  Say(env, summary);
  if (!path.empty()) {
    if (const int saved = SaveWorkFile(env, path, std::span<const Storage>(&rec, 1))) return saved;
    Say(env, "saved in " + path);
  }
  return code;
}

int RunExport(const Options& options, CliEnv& env) {
  if (options.positional.size() != 1)
    return Usage(
        env, "export",
        options.positional.empty() ? "the work file to export is missing" : "give one work file");
  const std::string dir = options.Get("csv");
  if (dir.empty())
    return Usage(env, "export", "the directory for the CSV files is missing: --csv DIR");
  const std::string& path = options.positional[0];
  const WorkFileReadResult read = ReadWorkFile(path);
  if (!read.ok) {
    Say(env, path + (read.line == 0 ? ": cannot open the work file for reading"
                                    : ": damaged work file, nothing exported. " + read.message));
    return CLI_FILE_ERROR;
  }
  if (const int code = CheckOutputs(env, "", dir)) return code;
  if (const int code = WriteCsvFiles(env, read.recordings, dir)) return code;
  const size_t count = read.recordings.size();
  Say(env,
      std::to_string(count) + " CSV " + (count == 1 ? "file" : "files") + " written to " + dir);
  return CLI_OK;
}

}  // namespace cli
