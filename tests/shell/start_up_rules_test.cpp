// The start-up rules: the command-line scan (interactive and unattended),
// the installer's folder, the centring of the window, and the log lines
// of an unattended run.
#include "shell/start_up_rules.h"
#include "shell/unattended_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CommandLine, UninstallSwitchInAnyCaseAndInsideWords) {
  for (const char* tail :
       {"/un", "/Un", "/uN", "/UN", "/Uninstall", "x/unx", "-q /UN", "//un"})
    EXPECT_EQ(1, TailSelectsUninstall(tail)) << tail;
}

TEST(CommandLine, OtherTailsLeaveTheInstallation) {
  for (const char* tail :
       {"", "-UN", "/U N", "UN", "/u", "/", "\\UN", "/nu", "/ un", "/U\tN"})
    EXPECT_EQ(0, TailSelectsUninstall(tail)) << tail;
  EXPECT_EQ(0, TailSelectsUninstall(nullptr));
}

std::string Text(TailSpan span) {
  return span.start ? std::string(span.start, span.length) : "";
}

struct TailCase {
  const char* tail;
  int unattended;
  int uninstall;
  TailProblem problem;
  const char* value; // the problem word, else the /D= folder
  const char* logFile;
};

// Values and longer words that hold "/un" or "/S" select nothing once /S
// is a word of its own; without it, the scan is the interactive one.
TEST(CommandLine, UnattendedTailsAreReadWordByWord) {
  const TailCase cases[] = {
      {"/S", 1, 0, TAIL_FINE, "", ""},
      {"\t/s\t", 1, 0, TAIL_FINE, "", ""},
      {"/UN /S", 1, 1, TAIL_FINE, "", ""},
      {"/s /un", 1, 1, TAIL_FINE, "", ""},
      {"/S /LOG=c:/unattended.log", 1, 0, TAIL_FINE, "", "c:/unattended.log"},
      {"/S /D=d:\\x/unused", 1, 0, TAIL_FINE, "d:\\x/unused", ""},
      // A switch after /D= refuses the run; a name with blanks does not.
      {"/S /D=c:\\x /UN", 1, 0, TAIL_SWITCH_IN_DESTINATION, "/UN", ""},
      {"/S /D=c:\\x\t/s", 1, 0, TAIL_SWITCH_IN_DESTINATION, "/s", ""},
      {"/S /D=c:\\x /Log=y.log", 1, 0, TAIL_SWITCH_IN_DESTINATION, "/Log=y.log",
       ""},
      {"/S \"/D=c:\\x /D=d:\\y\"", 1, 0, TAIL_SWITCH_IN_DESTINATION, "/D=d:\\y",
       ""},
      {"/S /D= /UN", 1, 0, TAIL_SWITCH_IN_DESTINATION, "/UN", ""},
      {"/S /D=c:\\My Apps /Sx/UN\\x", 1, 0, TAIL_FINE, "c:\\My Apps /Sx/UN\\x",
       ""},
      {"/S /D= c:\\My Apps\\Orvel  ", 1, 0, TAIL_FINE, "c:\\My Apps\\Orvel",
       ""},
      {"/S \"/D=c:\\My Apps\\Orvel\"", 1, 0, TAIL_FINE, "c:\\My Apps\\Orvel",
       ""},
      {"/S /D=\"c:\\My Apps\"", 1, 0, TAIL_FINE, "c:\\My Apps", ""},
      {"/S /LOG=\"c:\\my logs\\a.log\" /UN", 1, 1, TAIL_FINE, "",
       "c:\\my logs\\a.log"},
      {"/S \"/LOG=c:\\my logs\\a.log\" /un /D=e:\\x", 1, 1, TAIL_FINE, "e:\\x",
       "c:\\my logs\\a.log"},
      {"/LOG=a.log /S /LOG=b.log", 1, 0, TAIL_FINE, "", "b.log"},
      {"/S /Uninstall", 1, 0, TAIL_UNKNOWN_SWITCH, "/Uninstall", ""},
      {"/S /DIR=c:\\x", 1, 0, TAIL_UNKNOWN_SWITCH, "/DIR=c:\\x", ""},
      {"/S x/unx /LOG=l", 1, 0, TAIL_UNKNOWN_SWITCH, "x/unx", "l"},
      {"/S /D=", 1, 0, TAIL_NO_DESTINATION, "/D=", ""},
      {"/S /D=  \t", 1, 0, TAIL_NO_DESTINATION, "/D=", ""},
      {"/S /LOG= /UN", 1, 1, TAIL_NO_LOG_FILE, "/LOG=", ""},
      // No /S among the words: everything as an interactive start.
      {"/S/UN", 0, 1, TAIL_FINE, "", ""},
      {"/UN /LOG=c:/unattended.log", 0, 1, TAIL_FINE, "", ""},
      {"/LOG=c:/unattended.log", 0, 1, TAIL_FINE, "", ""},
      // ...but for the window's destination at the end.
      {"/D=d:\\x/unused /S", 0, 1, TAIL_FINE, "d:\\x/unused /S", ""},
      {"-S /D=c:\\x", 0, 0, TAIL_FINE, "c:\\x", ""},
      {"/UN /D=", 0, 1, TAIL_FINE, "", ""},
      {"/Silent", 0, 0, TAIL_FINE, "", ""},
      {"", 0, 0, TAIL_FINE, "", ""},
  };
  for (const TailCase& c : cases) {
    CommandTail read;
    ReadCommandTail(c.tail, &read);
    EXPECT_EQ(c.unattended, read.unattended) << c.tail;
    EXPECT_EQ(c.uninstall, read.uninstall) << c.tail;
    EXPECT_EQ(c.problem, read.problem) << c.tail;
    const TailSpan valueRead =
        read.problem == TAIL_FINE ? read.destination : read.problemWord;
    EXPECT_EQ(c.value, Text(valueRead)) << c.tail;
    EXPECT_EQ(c.logFile, Text(read.logFile)) << c.tail;
  }
}

std::string LogLine(const char* caption, const char* text, size_t size = 200) {
  char line[200];
  FormatLogLine(line, size, caption, text);
  return line;
}

TEST(UnattendedLog, AReportBecomesOneLine) {
  EXPECT_EQ("Folder Error: Error #41 | Installation not allowed in Windows "
            "Path | c:\\windows\\orvel\\",
            LogLine("Folder Error", "Error #41\n\nInstallation not allowed in "
                                    "Windows Path\n\nc:\\windows\\orvel\\\n"));
  EXPECT_EQ("Error: a | b", LogLine("Error", "\r\na\r\n\r\nb\r\n"));
  EXPECT_EQ("Temp Path Error", LogLine("Temp Path Error", ""));
  // Cut short rather than past the buffer.
  EXPECT_EQ("Folder Er", LogLine("Folder Error", "Error #41", 10));
  EXPECT_EQ("Error: Err", LogLine("Error", "Error #41\n", 11));
}

std::string Cut(const char* path) {
  char buffer[64];
  strcpy(buffer, path);
  CutAfterLastBackslash(buffer);
  return buffer;
}

TEST(InstallerFolder, CutAfterTheLastBackslash) {
  EXPECT_EQ("D:\\Setup\\", Cut("D:\\Setup\\install.exe"));
  EXPECT_EQ("C:\\", Cut("C:\\install.exe"));
  EXPECT_EQ("\\\\server\\share\\", Cut("\\\\server\\share\\install.exe"));
  EXPECT_EQ("D:\\Setup\\", Cut("D:\\Setup\\"));
  EXPECT_EQ("", Cut("install.exe"));
  EXPECT_EQ("", Cut(""));
}

TEST(WindowPosition, CentredAndRoundedTowardZero) {
  EXPECT_EQ(192, CentredPosition(1024, 640));
  EXPECT_EQ(144, CentredPosition(768, 480));
  EXPECT_EQ(80, CentredPosition(800, 640));
  // A screen narrower than the window puts it partly off the screen.
  EXPECT_EQ(-20, CentredPosition(600, 640));
  EXPECT_EQ(0, CentredPosition(639, 640));
  EXPECT_EQ(-1, CentredPosition(637, 640));
}

} // namespace
