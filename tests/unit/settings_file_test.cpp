// The settings file: four numbers, defaults for anything missing or unreadable.
#include "app/SettingsFile.h"
#include "device/LoggerInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::filesystem::temp_directory_path() /
          ("vrx-settings-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void Write(const std::string& text) { std::ofstream(dir / SETTINGS_FILE_NAME) << text; }
  std::string Read() {
    std::ifstream in(dir / SETTINGS_FILE_NAME);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  void Scramble() {
    g_flowUnitLitres = 77;
    g_pressureUnit = 77;
    g_firmwareVersion = 77;
    g_showTips = false;
  }
  std::filesystem::path dir;
};

}  // namespace

TEST_F(SettingsFileTest, MissingFileGivesDefaultsAndIsWrittenBack) {
  Scramble();
  LoadSettings(dir.string());
  EXPECT_EQ(g_flowUnitLitres, 1);
  EXPECT_EQ(g_pressureUnit, 'b');
  EXPECT_EQ(g_firmwareVersion, 0);
  EXPECT_TRUE(g_showTips);
  ASSERT_TRUE(SaveSettings(dir.string()));
  EXPECT_EQ(Read(), "1\n98\n0\n1\n");
}

TEST_F(SettingsFileTest, ValuesAreReadAsWritten) {
  struct Case {
    std::string file;
    int litres, unit, firmware;
    bool tips;
    std::string saved;
  };
  const Case cases[] = {
      {"0\n112\n1027\n0\n", 0, 'p', 1027, false, "0\n112\n1027\n0\n"},
      {"1\n98\n0\n5\n", 1, 'b', 0, true, "1\n98\n0\n1\n"},       // any non-zero shows tips
      {"257\n354\n-3\n0\n", 1, 'b', -3, false, "1\n98\n-3\n0\n"},  // low 8 bits of lines 1, 2
      {"0\n112\n", 0, 'p', 0, true, "0\n112\n0\n1\n"},            // missing lines: defaults
      {"x\n112\n1027\nyes\n", 1, 'p', 1027, true, "1\n112\n1027\n1\n"},  // not numbers
      {"0 \r\n112\r\n12x\n0", 0, 'p', 0, false, "0\n112\n0\n0\n"},
      {"", 1, 'b', 0, true, "1\n98\n0\n1\n"},
      {std::string(200, '7') + "\n112\n1\n0\n", 1, 'p', 1, false, "1\n112\n1\n0\n"},  // overlong
      {std::string(62, '0') + "\n112\n", 0, 'p', 0, true, "0\n112\n0\n1\n"},  // longest line read
      // A NUL spoils only its own line; the lines after it keep their places.
      {std::string("1\0\n112\n1027\n0\n", 14), 1, 'p', 1027, false, "1\n112\n1027\n0\n"},
      {std::string("0\n112\0" "7\n1027\n0\n", 15), 0, 'b', 1027, false, "0\n98\n1027\n0\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Write(c.file);
    Scramble();
    LoadSettings(dir.string());
    EXPECT_EQ(g_flowUnitLitres, c.litres);
    EXPECT_EQ(g_pressureUnit, c.unit);
    EXPECT_EQ(g_firmwareVersion, c.firmware);
    EXPECT_EQ(g_showTips, c.tips);
    ASSERT_TRUE(SaveSettings(dir.string()));
    EXPECT_EQ(Read(), c.saved);
  }
}

TEST_F(SettingsFileTest, UnwritableDirectoryIsSkippedSilently) {
  EXPECT_FALSE(SaveSettings("/proc/vrx-settings"));
}

TEST_F(SettingsFileTest, DirectoryBesideExecutableOrInUserConfiguration) {
  const std::string writable = dir.string();
  EXPECT_EQ(SettingsDirectoryFor(writable, "/home/u/.cfg", "/home/u"), writable);
  const std::string readOnly = "/nonexistent/vrx-bin";  // root may write anywhere that exists
  EXPECT_EQ(SettingsDirectoryFor(readOnly, "/home/u/.cfg", "/home/u"), "/home/u/.cfg/vrx");
  EXPECT_EQ(SettingsDirectoryFor(readOnly, nullptr, "/home/u"), "/home/u/.config/vrx");
  EXPECT_EQ(SettingsDirectoryFor(readOnly, "relative", "/home/u"), "/home/u/.config/vrx");
  EXPECT_EQ(SettingsDirectoryFor(readOnly, "", nullptr), readOnly);
  EXPECT_EQ(SettingsDirectoryFor("/usr/bin", nullptr, "/root"), "/root/.config/vrx");

  // The configuration directory is made on first save, and read back next time.
  const std::string config = SettingsDirectoryFor(readOnly, (dir / "xdg").c_str(), nullptr);
  g_flowUnitLitres = 0;
  g_pressureUnit = 'p';
  g_firmwareVersion = 1027;
  g_showTips = false;
  ASSERT_TRUE(SaveSettings(config));
  Scramble();
  LoadSettings(config);
  EXPECT_EQ(g_flowUnitLitres, 0);
  EXPECT_EQ(g_pressureUnit, 'p');
  EXPECT_EQ(g_firmwareVersion, 1027);
  EXPECT_FALSE(g_showTips);
}
