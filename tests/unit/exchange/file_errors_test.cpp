// What the user reads when a file cannot be saved or opened: one German sentence naming the
// file and the reason, never the system's English and never raw bytes of the file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

#include "Cp1252.h"
#include "CsvExport.h"
#include "FileErrors.h"
#include "Storage.h"
#include "TempDir.h"
#include "WorkFile.h"

namespace {

// Runs `fn` in a child process and returns what it returned: for what the test process
// must not do to itself (give up root, mount a file system).
std::string InChild(const std::function<std::string()>& fn) {
  int fds[2];
  if (pipe(fds) != 0) return "pipe failed";
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const std::string out = fn();
    const ssize_t written = write(fds[1], out.data(), out.size());
    _exit(written == static_cast<ssize_t>(out.size()) ? 0 : 1);
  }
  close(fds[1]);
  std::string out;
  char buf[512];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return out;
}

// The tests run as root, whom no file mode stops: the child becomes an ordinary user.
bool BecomeOrdinaryUser() { return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0); }

std::vector<Storage> OneRecording(int samples = 2) {
  Storage rec("9/03/2016 8:05:30", 1000, 1, false);
  rec.SetTitle("Speicher");
  for (int i = 0; i < samples; ++i) rec.AppendSample(static_cast<float>(i), 25, 6.9f, 0.4f);
  return {rec};
}

std::string Quoted(const std::string& path) { return "„" + path + "“"; }

}  // namespace

TEST(FileErrors, OneSentenceNamingTheFileAndTheReason) {
  TempDir dir;
  chmod(dir.Path().c_str(), 0755);
  const std::string locked = dir.File("gesperrt");
  mkdir(locked.c_str(), 0755);
  if (geteuid() != 0) chmod(locked.c_str(), 0555);
  const std::string secret = dir.File("geheim.kdl");
  ASSERT_TRUE(WriteWorkFile(secret, OneRecording()).ok);
  chmod(secret.c_str(), geteuid() == 0 ? 0600 : 0000);

  std::string png("\x89PNG\r\n\x1A\n\0\0\0\rIHDR\0\0\x02\x80", 20);
  png += std::string(200, '\x7F');
  WriteAll(dir.File("bild.png"), png);
  std::string binary;
  for (int i = 0; i < 600; ++i) binary += static_cast<char>((i * 37) & 0xFF);
  WriteAll(dir.File("daten.bin"), binary);
  WriteAll(dir.File("bild.bmp"), std::string("BM\x36\x10\x0E\0\0\0\0\0\x36\0\0\0", 14) + std::string(100, '\xFF'));
  WriteAll(dir.File("notiz.txt"),
           "Einkaufsliste f\xFCr Samstag: \xC4pfel, Birnen, Milch,\x01 Brot, K\xE4se und Wein\r\n");

  struct Case {
    const char* what;
    std::function<std::string()> message;
    std::string expected;
  };
  const Case cases[] = {
      {"save into a folder that is missing",
       [&] { return WriteWorkFile(dir.File("fehlt/messung.kdl"), OneRecording()).message; },
       Quoted(dir.File("fehlt/messung.kdl")) + " kann nicht gespeichert werden: der Ordner existiert nicht."},
      {"save into a folder that takes no files",
       [&] { return WriteWorkFile("/proc/messung.kdl", OneRecording()).message; },
       "„/proc/messung.kdl“ kann nicht gespeichert werden: in diesem Ordner können keine Dateien angelegt werden."},
      {"save without permission",
       [&] {
         return InChild([&] {
           return BecomeOrdinaryUser() ? WriteWorkFile(locked + "/messung.kdl", OneRecording()).message : "";
         });
       },
       Quoted(locked + "/messung.kdl") + " kann nicht gespeichert werden: keine Schreibberechtigung für diesen Ort."},
      {"export without permission",
       [&] {
         return InChild([&] {
           return BecomeOrdinaryUser() ? WriteCsvFile(locked + "/daten.csv", OneRecording()[0]).message : "";
         });
       },
       Quoted(locked + "/daten.csv") + " kann nicht gespeichert werden: keine Schreibberechtigung für diesen Ort."},
      {"open a file that is missing", [&] { return ReadWorkFile(dir.File("fehlt.kdl")).message; },
       Quoted(dir.File("fehlt.kdl")) + " kann nicht geöffnet werden: die Datei existiert nicht."},
      {"open without permission",
       [&] { return InChild([&] { return BecomeOrdinaryUser() ? ReadWorkFile(secret).message : ""; }); },
       Quoted(secret) + " kann nicht geöffnet werden: keine Leseberechtigung."},
      {"a binary file", [&] { return ReadWorkFile(dir.File("daten.bin")).message; },
       Quoted(dir.File("daten.bin")) + " ist keine Arbeitsdatei, sondern eine Datei mit Binärdaten."},
      {"a PNG file", [&] { return ReadWorkFile(dir.File("bild.png")).message; },
       Quoted(dir.File("bild.png")) + " ist keine Arbeitsdatei, sondern ein PNG-Bild."},
      {"a BMP file", [&] { return ReadWorkFile(dir.File("bild.bmp")).message; },
       Quoted(dir.File("bild.bmp")) + " ist keine Arbeitsdatei, sondern ein BMP-Bild."},
      // Text of another kind: a short, printable excerpt of the line, in the program's characters.
      {"a text file", [&] { return ReadWorkFile(dir.File("notiz.txt")).message; },
       Quoted(dir.File("notiz.txt")) +
           " ist keine gültige Arbeitsdatei: in Zeile 1 steht „Einkaufsliste für Samstag: Äpfel, Birnen…“, erwartet "
           "war die Versionsnummer oder die Anzahl der Aufzeichnungen (eine ganze Zahl)."},
      // A name the file system holds in another encoding, with a line break in it.
      {"an odd file name", [&] { return ReadWorkFile(dir.File("M\xFC\nll.kdl")).message; },
       Quoted(dir.File("M??ll.kdl")) + " kann nicht geöffnet werden: die Datei existiert nicht."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string message = c.message();
    EXPECT_EQ(message, c.expected);
    // Valid UTF-8 throughout: every character decodes.
    for (size_t i = 0; i < message.size();) EXPECT_NE(NextUtf8(message, i), U'\uFFFD');
  }
}

// A disk that fills up while the file is written: a small file system of its own, mounted
// in a child's private mount namespace.
TEST(FileErrors, FullDisk) {
  TempDir dir;
  const std::string mounted = dir.File("klein");
  mkdir(mounted.c_str(), 0755);
  const std::string target = mounted + "/messung.kdl";
  const std::string message = InChild([&]() -> std::string {
    if (unshare(geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS) != 0) return "skip: no mount namespace";
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        mount("tmpfs", mounted.c_str(), "tmpfs", 0, "size=64k") != 0)
      return "skip: cannot mount a small file system";
    return WriteWorkFile(target, OneRecording(20000)).message;
  });
  if (message.starts_with("skip: ")) GTEST_SKIP() << message.substr(6);
  EXPECT_EQ(message, Quoted(target) + " kann nicht gespeichert werden: der Datenträger ist voll.");
  EXPECT_EQ(dir.Count(), 1u);
}

TEST(FileErrors, Excerpts) {
  EXPECT_EQ(Excerpt("abc"), "abc");
  EXPECT_EQ(Excerpt(std::string("a\0b\x1B[2J\x7F\x81", 9)), "a?b?[2J??");
  EXPECT_EQ(Excerpt(std::string(50, 'x'), 10), "xxxxxxxxxx…");
  EXPECT_EQ(Excerpt(std::string(10, 'x'), 10), "xxxxxxxxxx");
  EXPECT_EQ(DisplayText("K\xC3\xBC"
                        "che",
                        2),
            "K\xC3\xBC…");
  EXPECT_EQ(BinaryContentKind("430000\r\n1\r\nTitel\r\n"), "");
  EXPECT_EQ(BinaryContentKind("430000\r\n1\r\nTi\x01tel mit Steuerzeichen\r\n"), "");  // damage, still text
}
