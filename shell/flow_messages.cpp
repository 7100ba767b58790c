#include "shell/flow_messages.h"

#include <string.h>

const FlowMessage ScriptNoteMessage = {
    "A script is used temporarily to install the icons.\n\n"
    "Depending on your security settings, a message may warn\n"
    "that a script is being run.  This is normal and protects you\n"
    "from web pages making unexpected changes.\n\n"
    "Allow this script to run?  (And install the Desktop Icons?)",
    "Note:", 0xF4};

const FlowMessage DestroyWarningMessage = {
    "Are you SURE you want to DELETE all\n\n"
    "the Orvel program and data files?",
    "DESTROY Warning!", 0x144};

const FlowMessage RemovedMessage = {"Orvel has been removed from this PC!",
                                    "COMPLETED!", 0};

// Formatted with the folder.
const FlowMessage NotInstalledMessage = {
    "This folder holds no installation of Orvel made by this installer:\n\n"
    "%s\n\nNothing has been removed.",
    "UN-Install", 0x30};

// Formatted with the folder; the names that stayed and the advice follow.
const FlowMessage RemovalIncompleteMessage = {
    "Orvel could not be removed completely.\n\nStill in %s:\n\n",
    "Removal Incomplete", 0x30};

const char RemovalIncompleteAdvice[] =
    "\nClose the programs that use these files, then run the removal "
    "again (Settings, Apps) to finish it.";

const FlowMessage InstallNowMessage = {
    "Perform the Installation of Orvel Files now?", "Install Now?", 0x41};

const FlowMessage FixedDestinationMessage = {
    "Sorry, this MUST be installed in the Current Destination.", "Information",
    0x10};

const FlowMessage SwitchWarningMessage = {
    "You are about to switch to the UN-INSTALL mode!\n\n"
    "This mode DESTROYS all Orvel Files!!\n\n"
    "If you continue, you can NOT return here!!\n"
    "   You can ONLY EXIT the program.\n\n"
    "Continue?",
    "WARNING!", 0x114};

const FlowMessage InProgressMessage = {
    "Another installation or removal of Orvel is in progress.\n\n"
    "Nothing has been changed. Try again once it has finished.",
    "Install", 0x30}; // OK, exclamation icon

const char NoRunMarkText[] =
    "The mark that keeps two installers apart could not be made\n"
    "(system error %lu).\n\nNothing has been changed.";

const char CompletionCaption[] = "COMPLETED!";

namespace {

// Appends as much of `part` as fits, keeping the terminator.
void Append(char* text, int size, const char* part) {
  size_t used = strlen(text);
  size_t room = static_cast<size_t>(size) - 1 - used;
  size_t length = strlen(part);
  if (length > room)
    length = room;
  memcpy(text + used, part, length);
  text[used + length] = '\0';
}

} // namespace

void FormatCompletionMessage(char* text, int size, int windowsVersionClass) {
  if (size <= 0)
    return;
  text[0] = '\0';
  Append(text, size, "Installation Complete!\n");
  Append(text, size, "\nNow Orvel will automatically start...\n");
  if (windowsVersionClass == 3)
    Append(text, size,
           "\n See Windows 3.x Help for Instructions\n"
           "to Create a Program Icon in a Group.\n");
  if (windowsVersionClass > 5)
    Append(text, size,
           "\nAfter you stop Orvel, you may be asked\n"
           "  if it installed correctly.\n\n"
           "If Orvel was operational, it installed correctly.\n");
}
