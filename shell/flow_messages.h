// The message boxes of the commands and flows: texts, captions, styles,
// and the completion text, which depends on the Windows version class.
#pragma once

struct FlowMessage {
  const char* text;
  const char* caption;
  unsigned style; // MessageBox style bits
};

// Asks whether the shortcut script may run: 0xF4 is Yes and No with all
// four icon bits set, which together name no standard icon.
extern const FlowMessage ScriptNoteMessage;
extern const FlowMessage DestroyWarningMessage;
extern const FlowMessage RemovedMessage;
extern const FlowMessage InstallNowMessage;
extern const FlowMessage NotInstalledMessage;
extern const FlowMessage RemovalIncompleteMessage;
extern const char RemovalIncompleteAdvice[];
extern const FlowMessage FixedDestinationMessage;
extern const FlowMessage SwitchWarningMessage;
// Another run holds the run mark; or, formatted with the system's error,
// the mark could not be made (shown with the same caption and style).
extern const FlowMessage InProgressMessage;
extern const char NoRunMarkText[];

extern const char CompletionCaption[];
enum { COMPLETION_STYLE = 0 };

// The completion text for a Windows version class, into `text` (`size`
// bytes, always terminated).
void FormatCompletionMessage(char* text, int size, int windowsVersionClass);
