// vrx-cli against the simulated logger: every command's outcome and exit code when all goes
// well, without a logger, without permission and with a transfer failing in the middle; what
// goes over the wire; and that its files are the bytes the window's writers produce.
#include "cli/Cli.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <sstream>

#include "UsbFixture.h"
#include "cli/CliSupport.h"
#include "device/SettingsBlock.h"
#include "device/VellUSB.h"
#include "exchange/CsvExport.h"
#include "exchange/TempDir.h"
#include "exchange/WorkFile.h"
#include "recordings/LiveRecording.h"
#include "recordings/LoggerDownload.h"
#include "sim/DemoLogger.h"

namespace {

struct Outcome {
  int code;
  std::string out, err;
};

std::ostream& operator<<(std::ostream& os, const Outcome& o) {
  return os << "exit " << o.code << "\n--- stdout\n" << o.out << "--- stderr\n" << o.err;
}

// Requests of one kind in the log.
std::vector<sim::Transfer> Requests(const std::vector<sim::Transfer>& log, int type, int request) {
  std::vector<sim::Transfer> found;
  for (const sim::Transfer& t : log)
    if (t.requestType == type && t.request == request) found.push_back(t);
  return found;
}

size_t OutRequests(const std::vector<sim::Transfer>& log) {
  return static_cast<size_t>(std::count_if(log.begin(), log.end(), [](const sim::Transfer& t) {
    return t.requestType == USB_TYPE_OUT;
  }));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class CliTest : public UsbTest {
 protected:
  // The demo logger: firmware 4.3, five recordings, a tap as its live signal.
  std::shared_ptr<sim::SimLogger> PlugDemo() {
    logger = sim::MakeDemoLogger();
    slot = bus->Plug(logger);
    logger->ClearLog();
    return logger;
  }

  Outcome Cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    CliEnv env{out, err};
    env.now = [] { return NOW; };
    // Live reading's pace is the simulated logger's clock: a tick lets its time pass.
    env.wait = [this](int ms) {
      ++waits;
      if (logger) logger->AdvanceMs(ms);
    };
    env.stopRequested = [this] { return stop && stop(); };
    waits = 0;
    const int code = RunCli(args, env);
    return {code, out.str(), err.str()};
  }

  static constexpr std::time_t NOW = 1796904000;  // 2026-12-10 12:00:00 UTC
  std::shared_ptr<sim::SimLogger> logger;
  std::function<bool()> stop;
  int waits = 0;
  TempDir dir;
};

}  // namespace

TEST_F(CliTest, EveryLoggerCommandTellsItsOutcomeByExitCode) {
  const std::vector<std::vector<std::string>> commands = {
      {"status"},
      {"status", "--json"},
      {"info"},
      {"download", "-o", dir.File("night.kdl")},
      {"live", "--seconds", "4", "-o", dir.File("live.kdl")},
      {"set-clock", "--now"},
      {"set", "--interval", "2.0"},
  };
  enum Condition { WORKS, NO_LOGGER, NO_PERMISSION, FAILS_MIDWAY };
  struct Case {
    Condition condition;
    int code;
    const char* said;  // in the message; "" for nothing particular
  };
  const Case cases[] = {
      {WORKS, CLI_OK, ""},
      {NO_LOGGER, CLI_NO_LOGGER, "no logger found"},
      {NO_PERMISSION, CLI_NO_PERMISSION, "udev rule 70-vrx-logger.rules"},
      {FAILS_MIDWAY, CLI_TRANSFER_FAILED, "USB-Verbindung fehlgeschlagen"},
  };
  for (const auto& args : commands) {
    // The transfers of a run that works, to fail the middle one of them.
    bus.reset();
    bus = std::make_unique<sim::SimBus>();
    PlugDemo();
    ASSERT_EQ(Cli(args).code, CLI_OK) << args[0];
    const int transfers = static_cast<int>(logger->TransferCount());

    for (const Case& c : cases) {
      SCOPED_TRACE(args[0] + (args.size() > 1 ? " " + args[1] : "") + ", case " +
                   std::to_string(c.condition));
      bus.reset();  // one testbed at a time
      bus = std::make_unique<sim::SimBus>();
      logger.reset();
      std::filesystem::remove(dir.File("night.kdl"));
      std::filesystem::remove(dir.File("live.kdl"));
      PlugDemo();
      if (c.condition == NO_LOGGER) bus->Unplug(slot);
      if (c.condition == NO_PERMISSION) bus->DenyAccess(slot, true);
      // From the middle on every transfer fails, as when the cable is pulled.
      if (c.condition == FAILS_MIDWAY) logger->GoneAfter(transfers / 2);

      const Outcome o = Cli(args);
      EXPECT_EQ(o.code, c.code) << o;
      EXPECT_NE(o.err.find(c.said), std::string::npos) << o;
      if (c.code == CLI_OK) continue;
      if (args[0] == "status" && args.size() > 1) {
        EXPECT_EQ(o.out, c.code == CLI_NO_LOGGER ? "{\"found\": false, \"usable\": false}\n"
                                                 : "{\"found\": true, \"usable\": false}\n");
      } else if (args[0] != "live") {
        EXPECT_EQ(o.out, "") << "no data after a failure";
      }
      // A download writes nothing then; live reading keeps what arrived before the failure.
      EXPECT_FALSE(std::filesystem::exists(dir.File("night.kdl")));
      if (args[0] == "live" && c.condition == FAILS_MIDWAY) {
        const WorkFileReadResult kept = ReadWorkFile(dir.File("live.kdl"));
        ASSERT_TRUE(kept.ok) << kept.message;
        EXPECT_EQ(kept.recordings[0].GetSampleCount() + 1, static_cast<int>(Lines(o.out).size()));
      }
      EXPECT_EQ(dir.Count(), args[0] == "live" && c.condition == FAILS_MIDWAY ? 1u : 0u);
    }
  }
}

TEST_F(CliTest, LoggerPluggedInAgainIsFoundByTheNextCommand) {
  PlugDemo();
  EXPECT_EQ(Cli({"status"}).code, CLI_OK);
  bus->Unplug(slot);
  EXPECT_EQ(Cli({"status"}).code, CLI_NO_LOGGER);
  bus->Replug(slot);
  EXPECT_EQ(Cli({"status"}).code, CLI_OK);
}

TEST_F(CliTest, StatusShowsTheWindowsTextAndTheNumbers) {
  PlugDemo();
  logger->SetBattery(100);
  logger->SetFreeMemoryOverride(131050);
  const Outcome text = Cli({"status"});
  ASSERT_EQ(text.code, CLI_OK) << text;
  EXPECT_EQ(text.out,
            "Logger:           found\n"
            "Firmware:         4.3\n"
            "Serial number:    4711\n"
            "Recordings:       5\n"
            "Battery:          300 of 700 (orange)\n"
            "Memory used:      0.0 % (131050 bytes free)\n"
            "Sample interval:  1.0 s\n"
            "Status:           12:08 Stunden Speicherplatz vorhanden\n");
  const Outcome json = Cli({"status", "--json"});
  EXPECT_EQ(json.out,
            "{\"found\": true, \"usable\": true, \"firmware\": \"4.3\", \"firmware_word\": 1027, "
            "\"serial_number\": 4711, \"recordings\": 5, \"battery_level\": 300, \"battery_bar\": "
            "\"orange\", \"free_bytes\": 131050, \"memory_used\": 0, \"memory_used_percent\": 0.0, "
            "\"interval_seconds\": 1.0, \"remaining_seconds\": 43716, \"status_text\": \"12:08 "
            "Stunden Speicherplatz vorhanden\"}\n");
  // Asking changes nothing on the logger.
  EXPECT_EQ(OutRequests(logger->Log()), 0u);
}

TEST_F(CliTest, InfoShowsTheSettingsBlockAndClock) {
  sim::BlockParams p;
  p.rateWord = 0xD800;  // 2.5 s
  p.stateFlags = 0x02;  // gallons, automatic logging on
  p.flowOnDelay = 4;
  p.pressureUnit = 'p';
  logger = PlugLogger(0x0403, p);
  logger->SetClock({2016, 3, 9, 8, 5, 30});
  const Outcome o = Cli({"info"});
  ASSERT_EQ(o.code, CLI_OK) << o;
  EXPECT_EQ(o.out,
            "Firmware:              4.3\n"
            "Serial number:         4711\n"
            "Recordings:            0\n"
            "Sample interval:       2.5 s\n"
            "Pressure unit:         psi\n"
            "Flow unit:             G/min\n"
            "Automatic logging:     on\n"
            "Start recording:       flow above 5 G/min for 10 s (4 samples)\n"
            "Stop recording:        flow below 2 G/min for 7 s (3 samples)\n"
            "Clock:                 2016-03-09 08:05:30\n"
            "Pressure calibration:  zero 104, scale 2 + 15/100 counts per psi\n"
            "Manufactured:          2024-04-12\n"
            "Calibrated:            2026-03-15, valid for 24 months\n"
            "Calibration expires:   2028-04-15\n");
  EXPECT_EQ(OutRequests(logger->Log()), 0u);

  // The short block of other firmware has no identity or calibration dates; an old
  // calibration is said to have run out.
  bus.reset();
  bus = std::make_unique<sim::SimBus>();
  p.calibrationDate[2] = 0x20;
  logger = PlugLogger(0x0402, p);
  const std::vector<std::string> shortInfo = Lines(Cli({"info"}).out);
  EXPECT_EQ(shortInfo.back(),
            "Serial number:         not stored (short block of firmware other than 4.3)");
  EXPECT_EQ(shortInfo.size(), 11u);

  bus.reset();
  bus = std::make_unique<sim::SimBus>();
  logger = PlugLogger(0x0403, p);
  EXPECT_EQ(Lines(Cli({"info"}).out).back(),
            "Calibration expires:   2022-04-15 (Calibration Expired)");
}

TEST_F(CliTest, DownloadWritesTheWindowsBytesAndClearsOnlyAfterwards) {
  PlugDemo();
  const std::string kdl = dir.File("night.kdl");
  const std::string csvDir = dir.File("csv");
  const Outcome o = Cli({"download", "-o", kdl, "--csv", csvDir});
  ASSERT_EQ(o.code, CLI_OK) << o;
  EXPECT_EQ(o.out, "");
  const std::string cliWorkFile = ReadAll(kdl);

  // The same download through the window's writers: LoggerDownload, WriteWorkFile and the
  // CSV export with the name the window proposes, at the same paths.
  VellUSB link;
  const LoggerDownloadResult again = LoggerDownload(link).Run();
  ASSERT_TRUE(again.ok());
  ASSERT_EQ(again.recordings.size(), 5u);
  std::filesystem::remove(kdl);
  ASSERT_TRUE(WriteWorkFile(kdl, again.recordings).ok);
  EXPECT_TRUE(ReadAll(kdl) == cliWorkFile) << "work file differs";
  EXPECT_EQ(static_cast<size_t>(std::distance(std::filesystem::directory_iterator(csvDir),
                                              std::filesystem::directory_iterator())),
            again.recordings.size());
  for (const Storage& rec : again.recordings) {
    const std::string path = csvDir + "/" + CsvDefaultFileName(rec.GetDateTime()) + ".csv";
    SCOPED_TRACE(path);
    const std::string cliCsv = ReadAll(path);
    ASSERT_FALSE(cliCsv.empty());
    std::filesystem::remove(path);
    ASSERT_TRUE(WriteCsvFile(path, rec).ok);
    EXPECT_TRUE(ReadAll(path) == cliCsv) << "CSV differs";
  }

  // --clear: the erase is the last request, after the file is on disk.
  logger->ClearLog();
  ASSERT_EQ(Cli({"download", "-o", kdl, "--clear"}).code, CLI_OK);
  const std::vector<sim::Transfer> log = logger->Log();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.back().request, REQ_CLEAR_MEMORY);
  EXPECT_EQ(Requests(log, USB_TYPE_OUT, REQ_CLEAR_MEMORY).size(), 1u);
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_FILE_COUNT), 0);
  EXPECT_TRUE(ReadAll(kdl) == cliWorkFile);
}

TEST_F(CliTest, DownloadDoesNotClearARecordingMadeMeanwhileOrWhenClearingFails) {
  PlugDemo();
  const std::string kdl = dir.File("night.kdl");
  // A recording finished by the logger between the download and the erase: the stop check,
  // asked once per chunk and once more before the erase, is the moment.
  size_t chunks = 0;
  {
    VellUSB link;
    ASSERT_TRUE(LoggerDownload(link).Run([&](uint64_t, uint64_t) { return ++chunks > 0; }).ok());
  }
  size_t asked = 0;
  stop = [&] {
    if (++asked == chunks + 1) {
      std::vector<sim::Recording> more = sim::DemoRecordings({});
      more.push_back({{2026, 12, 10, 11, 0, 0}, {{20, 300}, {21, 300}}, 0});
      logger->LoadRecordings(more);
    }
    return false;
  };
  Outcome o = Cli({"download", "-o", kdl, "--clear"});
  EXPECT_EQ(o.code, CLI_TRANSFER_FAILED) << o;
  EXPECT_NE(o.err.find("not cleared"), std::string::npos) << o;
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_FILE_COUNT), 6);
  EXPECT_TRUE(Requests(logger->Log(), USB_TYPE_OUT, REQ_CLEAR_MEMORY).empty());
  ASSERT_TRUE(ReadWorkFile(kdl).ok);
  EXPECT_EQ(ReadWorkFile(kdl).recordings.size(), 5u);

  // The logger refuses the erase: the recordings are saved, the logger's code is said.
  stop = nullptr;
  logger->RefuseRequest(REQ_CLEAR_MEMORY, 7);
  o = Cli({"download", "-o", kdl, "--clear"});
  EXPECT_EQ(o.code, CLI_TRANSFER_FAILED) << o;
  EXPECT_NE(o.err.find("Lesen fehlgeschlagen Fehlercode: 7"), std::string::npos) << o;
  EXPECT_EQ(ReadWorkFile(kdl).recordings.size(), 6u);
}

TEST_F(CliTest, FailedOrInterruptedDownloadLeavesTheOldFile) {
  PlugDemo();
  const std::string kdl = dir.File("night.kdl");
  WriteAll(kdl, "yesterday's recordings\r\n");
  const size_t chunks = [&] {
    const Outcome o = Cli({"download", "-o", dir.File("probe.kdl")});
    EXPECT_EQ(o.code, CLI_OK);
    std::filesystem::remove(dir.File("probe.kdl"));
    return Requests(logger->Log(), USB_TYPE_IN, REQ_READ_MEMORY).size();
  }();
  struct Case {
    const char* name;
    int code;
  };
  for (const Case c : {Case{"transfer fails in the sample area", CLI_TRANSFER_FAILED},
                       Case{"Ctrl+C in the sample area", CLI_INTERRUPTED}}) {
    SCOPED_TRACE(c.name);
    logger->ClearLog();
    logger->ClearFaults();
    size_t asked = 0;
    stop = nullptr;
    if (c.code == CLI_INTERRUPTED)
      stop = [&] { return ++asked == chunks - 1; };
    else
      // The bus search's configuration request and the firmware request come first.
      logger->FailTransfer(2 + static_cast<int>(chunks) - 1);
    const Outcome o = Cli({"download", "-o", kdl, "--csv", dir.File("csv")});
    EXPECT_EQ(o.code, c.code) << o;
    EXPECT_NE(o.err.find("nothing was written"), std::string::npos) << o;
    EXPECT_EQ(ReadAll(kdl), "yesterday's recordings\r\n");
    // The old file and the (empty) CSV directory: no temporary file is left behind.
    EXPECT_EQ(dir.Count(), 2u);
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("csv")));
  }
}

TEST_F(CliTest, UnwritableOutputFailsBeforeTheLoggerIsAsked) {
  PlugDemo();
  WriteAll(dir.File("plain-file"), "x");
  std::filesystem::create_directory(dir.File("a-directory"));
  const std::vector<std::vector<std::string>> cases = {
      {"download", "-o", dir.File("missing/night.kdl")},
      {"download", "-o", dir.File("a-directory")},
      {"download", "-o", dir.File("night.kdl"), "--csv", dir.File("plain-file")},
      {"download", "-o", dir.File("night.kdl"), "--csv", dir.File("missing/csv")},
      {"live", "-o", dir.File("missing/live.kdl")},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args[2] + (args.size() > 4 ? " " + args[4] : ""));
    const Outcome o = Cli(args);
    EXPECT_EQ(o.code, CLI_FILE_ERROR) << o;
    EXPECT_NE(o.err.find("cannot write"), std::string::npos) << o;
    EXPECT_EQ(logger->TransferCount(), 0u) << "nothing may be read first";
  }
  EXPECT_EQ(dir.Count(), 2u);
}

namespace {

// Flow rises by ten each second; pressure stays.
sim::RawSample Ramp(double seconds) { return {static_cast<int>(seconds * 10 + 0.5), 300}; }

// What the live recording must hold after n samples of the ramp.
Storage ExpectedLive(int n) {
  SettingsBlock block;
  {
    sim::SimLogger model;  // the demo logger's block
    std::vector<uint8_t> bytes = model.ReadMemory(0, SETTINGS_BLOCK_LONG);
    block = SettingsBlock(bytes.data(), SETTINGS_BLOCK_LONG, 0x0403);
  }
  Storage rec = NewLiveRecording(block, LiveStartStamp(1796904000));
  for (int k = 1; k <= n; ++k) {
    const sim::RawSample s = Ramp(k);
    rec.AddSample(s.flowRaw, s.pressureRaw);
  }
  return rec;
}

std::string ExpectedLines(const Storage& rec) {
  std::string text = CsvHeading(rec.GetFlowUnitLitres(), rec.GetPressureUnit()) + "\n";
  for (int i = 0; i < rec.GetSampleCount(); ++i) text += CsvSampleText(rec.GetSample(i)) + "\n";
  return text;
}

}  // namespace

TEST_F(CliTest, LivePrintsSamplesAsTheyArriveAndStopsTheLogger) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int stopAfterTicks;  // the user's Ctrl+C; -1: none
    int samples;
  };
  const Case cases[] = {
      {"--seconds", {"live", "--seconds", "3", "-o", "live.kdl"}, -1, 3},
      // Stopped after the second wait: its samples still come with the last block.
      {"stopped by the user", {"live", "-o", "live.kdl"}, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bus.reset();
    bus = std::make_unique<sim::SimBus>();
    PlugDemo();
    logger->SetSignal(Ramp);
    stop = [&] { return c.stopAfterTicks >= 0 && waits >= c.stopAfterTicks; };
    std::vector<std::string> args = c.args;
    args.back() = dir.File(args.back());
    const Outcome o = Cli(args);
    ASSERT_EQ(o.code, CLI_OK) << o;

    const Storage want = ExpectedLive(c.samples);
    EXPECT_EQ(o.out, ExpectedLines(want));
    EXPECT_FALSE(logger->LiveMode()) << "live sampling must be stopped on the logger";
    const std::vector<sim::Transfer> modes =
        Requests(logger->Log(), USB_TYPE_OUT, REQ_SET_LIVE_MODE);
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0].value, 1);
    EXPECT_EQ(modes[1].value, 0);
    // One poll a second at the 1 s interval.
    for (const sim::Transfer& t : Requests(logger->Log(), USB_TYPE_IN, REQ_READ_LIVE_BLOCK))
      EXPECT_EQ(t.timeout, 100);

    // The work file is what the window's writer makes of that recording.
    const std::string path = dir.File("live.kdl");
    const std::string cliFile = ReadAll(path);
    std::filesystem::remove(path);
    ASSERT_TRUE(WriteWorkFile(path, std::span<const Storage>(&want, 1)).ok);
    EXPECT_TRUE(ReadAll(path) == cliFile) << cliFile;
    std::filesystem::remove(path);
  }
}

TEST_F(CliTest, SetMakesTheDialogsChecksBeforeSendingAnything) {
  struct Case {
    std::vector<std::string> args;
    int code;
    std::vector<int> sent;  // OUT requests in order
    const char* said;
  };
  const Case cases[] = {
      {{"--interval", "2.5"}, CLI_OK, {4, 12, 30, 31, 3}, "start above 5 L/min for 2 s (1 sample)"},
      {{"--unit", "PSI"}, CLI_OK, {4, 12}, "pressure unit psi"},
      {{"--auto-logging", "on", "--flow-on", "30", "--flow-off", "30", "--flow-on-delay", "7",
        "--flow-off-delay", "5"},
       CLI_OK,
       {30, 31, 3},
       "start above 30 L/min for 5 s (2 samples)"},
      {{"--flow-on", "2500"}, CLI_OK, {30, 31, 3}, "warning: Achtung zu hohe Grenzwerte!"},
      {{"--flow-on", "20", "--flow-off", "30"},
       CLI_USAGE,
       {},
       "Startwert für den Datenlogger muss größer sein als der Endwert"},
      {{"--flow-on", "12x"}, CLI_USAGE, {}, "Wert neu eintippen: '12x'"},
      {{"--interval", "1.5", "--flow-off-delay", "0"},
       CLI_USAGE,
       {},
       "Abtastrate muss verringert werden"},
      {{"--interval", "0.05"}, CLI_USAGE, {}, "0.1 to 15.9"},
      {{"--interval", "16"}, CLI_USAGE, {}, "0.1 to 15.9"},
      {{"--unit", "kPa"}, CLI_USAGE, {}, "bar or psi"},
      {{"--auto-logging", "maybe"}, CLI_USAGE, {}, "on or off"},
      {{}, CLI_USAGE, {}, "nothing to set"},
  };
  PlugDemo();
  for (const Case& c : cases) {
    std::vector<std::string> args = {"set"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    SCOPED_TRACE(::testing::PrintToString(args));
    logger->ClearLog();
    const Outcome o = Cli(args);
    EXPECT_EQ(o.code, c.code) << o;
    EXPECT_NE(o.err.find(c.said), std::string::npos) << o;
    std::vector<int> sent;
    for (const sim::Transfer& t : logger->Log())
      if (t.requestType == USB_TYPE_OUT) sent.push_back(t.request);
    EXPECT_EQ(sent, c.sent);
  }
  // What the logger now holds from the accepted cases.
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_RATE_WORD), RateWordFromTenths(25));
  EXPECT_EQ(logger->BlockByte(SettingsBlock::OFF_PRESSURE_UNIT), 'p');
  EXPECT_EQ(logger->BlockWord(SettingsBlock::OFF_FLOW_ON_THRESHOLD), 2500);
  EXPECT_EQ(logger->BlockByte(SettingsBlock::OFF_STATE_FLAGS) & 0x02, 0x02);

  // A refused request stops the sending there; the logger's code is said.
  logger->ClearLog();
  logger->RefuseRequest(REQ_SET_FLOW_ON, 9);
  const Outcome o = Cli({"set", "--interval", "1.0", "--flow-off-delay", "3"});
  EXPECT_EQ(o.code, CLI_TRANSFER_FAILED) << o;
  EXPECT_NE(o.err.find("Lesen fehlgeschlagen Fehlercode: 9"), std::string::npos) << o;
  EXPECT_TRUE(Requests(logger->Log(), USB_TYPE_OUT, REQ_SET_FLOW_OFF).empty());
}

TEST_F(CliTest, SetClockSendsTheDialogsRequests) {
  PlugDemo();
  const Outcome o = Cli({"set-clock", "--time", "14:05:30", "--date", "2016-03-09"});
  ASSERT_EQ(o.code, CLI_OK) << o;
  const std::vector<sim::Transfer> log = logger->Log();
  ExpectWire({log.end() - 4, log.end()}, {{0xC0, REQ_GET_CLOCK, 0, 0, 8, 500},
                                          {0x40, REQ_CONFIGURE_CLOCK, 0xAB00, 0, 2, 100},
                                          {0x40, REQ_SET_CLOCK_TIME, 0x0530, 0x0014, 4, 500},
                                          {0x40, REQ_SET_CLOCK_DATE, 0x0309, 0x16, 4, 500}});
  const sim::ClockTime c = logger->Clock();
  EXPECT_EQ(std::vector<int>({c.year, c.month, c.day, c.hour, c.minute, c.second}),
            std::vector<int>({2016, 3, 9, 14, 5, 30}));

  // --now (and no option at all) take this computer's local time.
  std::tm local{};
  const std::time_t now = NOW;
  localtime_r(&now, &local);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"set-clock", "--now"}, std::vector<std::string>{"set-clock"}}) {
    logger->SetClock({2020, 1, 1, 0, 0, 0});
    ASSERT_EQ(Cli(args).code, CLI_OK);
    const sim::ClockTime set = logger->Clock();
    EXPECT_EQ(std::vector<int>({set.year, set.month, set.day, set.hour, set.minute, set.second}),
              std::vector<int>({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                local.tm_hour, local.tm_min, local.tm_sec}));
  }

  // Only the time: the date is not sent.
  logger->ClearLog();
  ASSERT_EQ(Cli({"set-clock", "--time", "07:30"}).code, CLI_OK);
  EXPECT_TRUE(Requests(logger->Log(), USB_TYPE_OUT, REQ_SET_CLOCK_DATE).empty());
  EXPECT_EQ(Requests(logger->Log(), USB_TYPE_OUT, REQ_SET_CLOCK_TIME).at(0).value, 0x3000);

  for (const std::vector<std::string>& bad : {std::vector<std::string>{"--time", "24:00"},
                                              {"--time", "07:30:61"},
                                              {"--date", "2016-02-30"},
                                              {"--date", "1999-12-31"},
                                              {"--now", "--time", "10:00"}}) {
    SCOPED_TRACE(bad[0] + " " + bad[1]);
    logger->ClearLog();
    std::vector<std::string> args = {"set-clock"};
    args.insert(args.end(), bad.begin(), bad.end());
    EXPECT_EQ(Cli(args).code, CLI_USAGE);
    EXPECT_TRUE(logger->Log().empty()) << "refused before the logger is asked";
  }
}

TEST_F(CliTest, ExportWritesTheWindowsCsvAndRefusesADamagedFile) {
  // A work file as the window saves it, with two recordings that start at the same second.
  std::vector<Storage> set;
  for (int i = 0; i < 3; ++i) {
    Storage& rec =
        set.emplace_back(i < 2 ? "9/03/2016 8:05:30" : "10/03/2016 9:00:00", 1000, 1, false);
    rec.SetPressureScaling(104, 2, 15, 'b');
    rec.SetTitle(i == 0 ? "Küche" : "Speicher");
    for (int k = 0; k < 5 + i; ++k) rec.AddSample(60 + k, 319);
  }
  const std::string kdl = dir.File("set.kdl");
  ASSERT_TRUE(WriteWorkFile(kdl, set).ok);
  const std::string csvDir = dir.File("out");
  const Outcome o = Cli({"export", kdl, "--csv", csvDir});
  ASSERT_EQ(o.code, CLI_OK) << o;
  const std::vector<std::string> names = {"9_03_2016 8_05_30.csv", "9_03_2016 8_05_30 (2).csv",
                                          "10_03_2016 9_00_00.csv"};
  const std::vector<Storage> read = ReadWorkFile(kdl).recordings;
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string path = csvDir + "/" + names[i];
    const std::string cliCsv = ReadAll(path);
    ASSERT_FALSE(cliCsv.empty()) << path;
    ASSERT_TRUE(WriteCsvFile(path, read[i]).ok);
    EXPECT_TRUE(ReadAll(path) == cliCsv) << path;
  }

  // Damaged: a sample line cut short. The line is named; nothing is exported.
  std::string text = ReadAll(kdl);
  const size_t cut = text.find("3.000000");
  text.replace(cut, text.find("\r\n", cut) - cut, "3.000000 61.0");
  WriteAll(dir.File("damaged.kdl"), text);
  const int line =
      static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(cut), '\n')) + 1;
  const Outcome damaged = Cli({"export", dir.File("damaged.kdl"), "--csv", dir.File("none")});
  EXPECT_EQ(damaged.code, CLI_FILE_ERROR) << damaged;
  EXPECT_NE(damaged.err.find("Zeile " + std::to_string(line)), std::string::npos) << damaged;
  EXPECT_FALSE(std::filesystem::exists(dir.File("none")));

  EXPECT_EQ(Cli({"export", dir.File("absent.kdl"), "--csv", csvDir}).code, CLI_FILE_ERROR);
  EXPECT_EQ(Cli({"export", kdl}).code, CLI_USAGE);
}

TEST_F(CliTest, UsageAndHelp) {
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* out;  // start of stdout
    const char* err;  // in stderr
  };
  const Case cases[] = {
      {{}, CLI_USAGE, "", "Usage: vrx-cli COMMAND"},
      {{"--help"}, CLI_OK, "Usage: vrx-cli COMMAND", ""},
      {{"fetch"}, CLI_USAGE, "", "unknown command 'fetch'"},
      {{"status", "--verbose"}, CLI_USAGE, "", "unknown option '--verbose'"},
      {{"status", "extra"}, CLI_USAGE, "", "unexpected argument 'extra'"},
      {{"download"}, CLI_USAGE, "", "-o FILE.kdl"},
      {{"download", "-o"}, CLI_USAGE, "", "needs a value"},
      {{"live", "--seconds", "0"}, CLI_USAGE, "", "--seconds"},
      {{"live", "--seconds=-5"}, CLI_USAGE, "", "--seconds"},
      {{"status", "--json", "--json"}, CLI_USAGE, "", "given twice"},
      {{"help", "live"}, CLI_OK, "Usage: vrx-cli live", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Outcome o = Cli(c.args);
    EXPECT_EQ(o.code, c.code) << o;
    EXPECT_EQ(o.out.rfind(c.out, 0), 0u) << o;
    EXPECT_NE(o.err.find(c.err), std::string::npos) << o;
  }
  for (const char* command : {"status", "info", "download", "live", "set-clock", "set", "export"}) {
    const Outcome o = Cli({command, "--help"});
    EXPECT_EQ(o.code, CLI_OK);
    const std::string usage = std::string("Usage: vrx-cli ") + command;
    EXPECT_EQ(o.out.rfind(usage, 0), 0u) << o;
    EXPECT_TRUE(o.out.size() > usage.size() &&
                (o.out[usage.size()] == ' ' || o.out[usage.size()] == '\n'))
        << o;
    EXPECT_EQ(o.err, "");
  }
}

// The real program beside the simulated logger: Ctrl+C stops live reading on the logger and
// keeps what arrived.
TEST_F(CliTest, CtrlCStopsLiveReadingOfTheProgram) {
  PlugDemo();
  logger->SetRealTime(true);
  const std::string kdl = dir.File("live.kdl");
  std::vector<std::string> env = bus->ChildEnvironment();
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* value = getenv(name)) env.push_back(std::string(name) + "=" + value);
  std::vector<char*> envp;
  for (std::string& kv : env) envp.push_back(kv.data());
  envp.push_back(nullptr);
  std::string program = VRX_CLI_PATH, live = "live", o = "-o";
  std::vector<char*> argv = {program.data(), live.data(), o.data(), const_cast<char*>(kdl.c_str()),
                             nullptr};
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  const pid_t pid = fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    dup2(pipeFds[1], STDOUT_FILENO);
    close(pipeFds[0]);
    close(pipeFds[1]);
    execve(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(pipeFds[1]);
  // Waits for the heading and a first sample (a hang guard, not a pace).
  std::string out;
  char buf[256];
  while (std::count(out.begin(), out.end(), '\n') < 2) {
    pollfd p{pipeFds[0], POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 60000), 1) << "no sample within a minute: " << out;
    const ssize_t n = read(pipeFds[0], buf, sizeof buf);
    ASSERT_GT(n, 0) << out;
    out.append(buf, static_cast<size_t>(n));
  }
  ASSERT_TRUE(logger->LiveMode());
  kill(pid, SIGINT);
  for (;;) {
    pollfd p{pipeFds[0], POLLIN, 0};
    ASSERT_EQ(poll(&p, 1, 60000), 1) << "the program did not end within a minute: " << out;
    const ssize_t n = read(pipeFds[0], buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  close(pipeFds[0]);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_FALSE(logger->LiveMode());
  const WorkFileReadResult kept = ReadWorkFile(kdl);
  ASSERT_TRUE(kept.ok) << kept.message;
  ASSERT_EQ(kept.recordings.size(), 1u);
  EXPECT_EQ(static_cast<int>(Lines(out).size()), kept.recordings[0].GetSampleCount() + 1);
}
