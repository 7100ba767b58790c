// The rules of an unattended run: how its command tail is read, the exit
// codes of its own, and how a report becomes one line of its log.
#pragma once

#include <stddef.h>

// Exit codes of an unattended run beyond the installer's error codes:
// its own from 72 up, and from 1603 the numbers Windows Installer uses for
// the same outcomes, so deployment tools that know those (and retry on
// 1618) read them right.
enum {
  EXIT_SHORTCUTS_NOT_MADE = 72,    // files in place, shortcuts not as asked
  EXIT_AGREEMENT_NOT_WRITTEN = 73, // files in place, no eula.txt (new.txt)
  EXIT_NO_RUN_LOCK = 74,           // the mark of a running installer failed
  EXIT_FILES_IN_USE = 75,          // a program holds a file; nothing changed
  EXIT_REMOVAL_INCOMPLETE = 1603,  // something of the folder stayed behind
  EXIT_NOT_INSTALLED = 1605,       // no installation made here to remove
  EXIT_INSTALLER_RUNNING = 1618,   // another installer shows its window
  EXIT_BAD_COMMAND_LINE = 1639,    // an unknown switch or a missing value
};

// What is wrong with an unattended tail.
enum TailProblem {
  TAIL_FINE = 0,
  TAIL_UNKNOWN_SWITCH,        // `problem` spans the word
  TAIL_NO_LOG_FILE,           // /LOG= with nothing after it
  TAIL_NO_DESTINATION,        // /D= with nothing after it
  TAIL_SWITCH_IN_DESTINATION, // a switch word after a blank in the folder
};

// A part of the command tail: `length` characters from `start`.
struct TailSpan {
  const char* start;
  size_t length;
};

struct CommandTail {
  int unattended;        // the word /S is present
  int uninstall;         // /UN selects removal
  TailProblem problem;   // unattended tails only
  TailSpan problemWord;  // the unknown switch, or the one in the folder
  TailSpan logFile;      // the value of /LOG=, empty without one
  TailSpan destination;  // the value of /D=, empty without one
  int destinationGiven;  // /D= is present
  int closeApplications; // /CLOSEAPPLICATIONS: ask the holders to close
};

// Reads a command tail. Without the word /S (either case) among its words
// it is scanned as an interactive start always was: /UN anywhere, also
// inside a longer word, selects removal, and only a /D=folder at the end
// counts beside it (the window's destination; no problem is noted). With /S
// it is read word by word: /S, /UN, /CLOSEAPPLICATIONS, /LOG=file and
// /D=folder are known only as whole words from their start; /D= is the
// last switch and its folder runs to the end of the tail, blanks included. A
// value enclosed in double quotes loses them. The values select nothing; a
// folder that holds a switch word after a blank (/S, /UN, /CLOSEAPPLICATIONS,
// /LOG=, /D=: a switch written after /D=) is refused.
void ReadCommandTail(const char* tail, CommandTail* out);

// A report as one log line into `line` (`size` bytes, always terminated,
// cut short rather than overrun): the caption, a colon, and the text's
// lines joined by " | ", empty lines left out.
void FormatLogLine(char* line, size_t size, const char* caption,
                   const char* text);
