#include "shell/unattended_rules.h"

#include "shell/start_up_rules.h"

#include <string.h>

namespace {

int IsBlank(char c) {
  return c == ' ' || c == '\t';
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// `text` begins with `prefix` (written in capitals), in either case.
int StartsWith(const char* text, const char* prefix) {
  for (; *prefix; ++text, ++prefix)
    if (Upper(*text) != *prefix)
      return 0;
  return 1;
}

int WordIs(TailSpan word, const char* name) {
  return word.length == strlen(name) && StartsWith(word.start, name);
}

// Without the blanks around it and without a pair of enclosing quotes:
// neither can belong to a Windows path.
TailSpan Trimmed(const char* start, size_t length) {
  while (length > 0 && IsBlank(*start)) {
    ++start;
    --length;
  }
  while (length > 0 && IsBlank(start[length - 1]))
    --length;
  if (length >= 2 && start[0] == '"' && start[length - 1] == '"') {
    ++start;
    length -= 2;
  }
  return TailSpan{start, length};
}

void Complain(CommandTail* out, TailProblem problem, TailSpan word) {
  if (out->problem != TAIL_FINE)
    return;
  out->problem = problem;
  out->problemWord = word;
}

// The value of /LOG= starts at `value`; a quoted one, or one of a switch
// quoted whole (`quoted`), runs to the closing quote and may hold blanks.
// Returns where the next word may start.
const char* ReadLogFile(const char* value, int quoted, CommandTail* out) {
  const char* end = value;
  const char* closing = nullptr;
  if (quoted || *value == '"')
    closing = strchr(value + (quoted ? 0 : 1), '"');
  if (closing) {
    end = closing + 1;
  } else {
    while (*end && !IsBlank(*end))
      ++end;
  }
  size_t length = static_cast<size_t>(end - value);
  if (quoted && closing)
    --length; // the quote that closes the switch
  out->logFile = Trimmed(value, length);
  if (out->logFile.length == 0)
    Complain(out, TAIL_NO_LOG_FILE, TailSpan{value - 5, 5});
  return end;
}

// A word of the folder that is one of the switches: one written after
// /D=, meant as a switch and not as a part of the folder's name (which
// holds no "/" at a word's start that Windows would not read as "\").
TailSpan SwitchInFolder(TailSpan folder) {
  const char* end = folder.start + folder.length;
  for (const char* at = folder.start; at < end; ++at) {
    if ((at > folder.start && !IsBlank(at[-1])) || *at != '/')
      continue;
    const char* wordEnd = at;
    while (wordEnd < end && !IsBlank(*wordEnd))
      ++wordEnd;
    TailSpan word{at, static_cast<size_t>(wordEnd - at)};
    if (WordIs(word, "/S") || WordIs(word, "/UN") ||
        WordIs(word, "/CLOSEAPPLICATIONS") ||
        (word.length >= 5 && StartsWith(at, "/LOG=")) ||
        (word.length >= 3 && StartsWith(at, "/D=")))
      return word;
  }
  return TailSpan{nullptr, 0};
}

void ReadDestination(const char* value, int quoted, CommandTail* out) {
  out->destinationGiven = 1;
  out->destination = Trimmed(value, strlen(value));
  TailSpan& folder = out->destination;
  if (quoted && folder.length > 0 && folder.start[folder.length - 1] == '"')
    out->destination = Trimmed(folder.start, folder.length - 1);
  if (out->destination.length == 0)
    Complain(out, TAIL_NO_DESTINATION, TailSpan{value - 3, 3});
  TailSpan misplaced = SwitchInFolder(out->destination);
  if (misplaced.length > 0)
    Complain(out, TAIL_SWITCH_IN_DESTINATION, misplaced);
}

void ReadSwitch(TailSpan word, CommandTail* out) {
  if (WordIs(word, "/S"))
    out->unattended = 1;
  else if (WordIs(word, "/UN"))
    out->uninstall = 1;
  else if (WordIs(word, "/CLOSEAPPLICATIONS"))
    out->closeApplications = 1;
  else
    Complain(out, TAIL_UNKNOWN_SWITCH, word);
}

void ReadWordByWord(const char* tail, CommandTail* out) {
  const char* next = tail;
  for (;;) {
    while (IsBlank(*next))
      ++next;
    if (!*next)
      return;
    // A switch with its value may come quoted whole, as "/D=c:\My Apps".
    const int quoted = *next == '"';
    const char* word = next + quoted;
    if (StartsWith(word, "/D=")) {
      ReadDestination(word + 3, quoted, out);
      return;
    }
    if (StartsWith(word, "/LOG=")) {
      next = ReadLogFile(word + 5, quoted, out);
      continue;
    }
    word = next;
    while (*next && !IsBlank(*next))
      ++next;
    ReadSwitch(TailSpan{word, static_cast<size_t>(next - word)}, out);
  }
}

} // namespace

void ReadCommandTail(const char* tail, CommandTail* out) {
  *out = CommandTail{};
  if (!tail)
    return;
  ReadWordByWord(tail, out);
  if (out->unattended)
    return;
  // No /S: the interactive reading, exactly as before, but for a /D= at
  // the end, which gives the window its destination.
  const CommandTail words = *out;
  *out = CommandTail{};
  out->uninstall = TailSelectsUninstall(tail);
  if (words.destinationGiven && words.destination.length > 0) {
    out->destinationGiven = 1;
    out->destination = words.destination;
  }
}

void FormatLogLine(char* line, size_t size, const char* caption,
                   const char* text) {
  if (size == 0)
    return;
  size_t used = 0;
  auto append = [&](const char* part, size_t length) {
    size_t room = size - 1 - used;
    if (length > room)
      length = room;
    memcpy(line + used, part, length);
    used += length;
  };
  // The lines of `part`, each after a separator: `first`, then " | ".
  auto appendLines = [&](const char* part, const char* first) {
    const char* separator = first;
    while (*part) {
      size_t length = strcspn(part, "\r\n");
      if (length > 0) {
        append(separator, strlen(separator));
        append(part, length);
        separator = " | ";
      }
      part += length;
      part += strspn(part, "\r\n");
    }
  };
  appendLines(caption, "");
  appendLines(text, ": ");
  line[used] = '\0';
}
