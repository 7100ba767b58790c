// The begin flow (installation, update, uninstall) and the switch to
// uninstall mode, answered by the scripted user box by box.
#include "engine/drive_table.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/flow_messages.h"
#include "shell/main_window.h"
#include "shortcuts/shell_links.h"
#include "shortcuts/shortcut_runner.h"
#include "state/installer_state.h"
#include "tests/shell/commands_test_support.h"
#include "tests/shell/main_window_helper.h"
#include "tests/support/disk_files.h"
#include "tests/support/installer_state_reset.h"
#include "tests/support/script_host_fake.h"
#include "tests/support/scripted_user.h"

#include <gtest/gtest.h>

#include <thread>

#include <string>
#include <vector>

using namespace commands_test;
using disk::Exists;
using namespace scripted;

namespace {

const char kScriptNote[] =
    "A script is used temporarily to install the icons.\n\n"
    "Depending on your security settings, a message may warn\n"
    "that a script is being run.  This is normal and protects you\n"
    "from web pages making unexpected changes.\n\n"
    "Allow this script to run?  (And install the Desktop Icons?)";
const char kInstallNow[] = "Perform the Installation of Orvel Files now?";
const char kCompletion[] = "Installation Complete!\n"
                           "\nNow Orvel will automatically start...\n";
const char kLaterWindows[] =
    "\nAfter you stop Orvel, you may be asked\n"
    "  if it installed correctly.\n\n"
    "If Orvel was operational, it installed correctly.\n";
const char kWindows3[] = "\n See Windows 3.x Help for Instructions\n"
                         "to Create a Program Icon in a Group.\n";

void ExpectBox(const Shown& box, const std::string& caption,
               const std::string& text, UINT style) {
  EXPECT_TRUE(box.isMessageBox) << caption;
  EXPECT_EQ(caption, box.caption);
  EXPECT_EQ(text, box.text);
  EXPECT_EQ(style, box.style) << caption;
  EXPECT_FALSE(box.unexpected) << caption;
}

std::vector<std::string> Captions(const ScriptedUser& user) {
  std::vector<std::string> captions;
  for (const Shown& shown : user.shown())
    captions.push_back(shown.caption);
  return captions;
}

// The folder the removal takes away, and whether it still stood when the
// script host was started.
std::string removedFolder;
bool folderStoodAtScript = false;

unsigned StartSeeingTheFolder(const char* program, char* commandLine,
                              HANDLE* process) {
  folderStoodAtScript = Exists(removedFolder);
  return script_host::RecordStart(program, commandLine, process);
}

class Flows : public ::testing::Test {
protected:
  void SetUp() override {
    ResetInstallerState();
    // A full installation as this build starts it.
    state.agreementIncluded = 1;
    state.destinationChangeable = 1;
    state.iconsOffered = 1;
    state.iconChoiceOffered = 1;
    state.shortcutFlags = 6;
    lstrcpyA(state.installerVersion, "1.04");
    folder = std::string("c:\\orvel-tests\\flows\\") +
             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    disk::RemoveTree(folder + "\\");
    CreateDirectoryA("c:\\orvel-tests", nullptr);
    CreateDirectoryA("c:\\orvel-tests\\flows", nullptr);
    lstrcpyA(state.destinationPath, (folder + "\\").c_str());
    window = CreateCommandsWindow();
  }
  void TearDown() override {
    driveTable = realDriveTable;
    DestroyCommandsWindow(window);
    disk::RemoveTree(folder + "\\");
  }
  void Begin() { SendMessageA(window, WM_COMMAND, CMD_BEGIN, 0); }
  // No icons, no script and the agreement accepted: "Install Now?" is the
  // only question.
  void AskOnlyWhetherToInstall() {
    state.iconChoiceOffered = 0;
    state.shortcutFlags = 0;
    state.agreementAccepted = 1;
  }
  std::string In(const char* name) { return folder + "\\" + name; }

  std::string folder;
  HWND window = nullptr;
};

TEST_F(Flows, FullInstallationAsksInOrderInstallsAndStartsOrvel) {
  state.windowsVersionClass = 6;
  ScriptedUser user;
  user.Answer({Press(IDC_OK)})
      .Answer({Tick(IDC_AGREE_CHECK), Press(IDC_OK)})
      .Answer({Press(IDYES)})
      .Answer({Press(IDOK)})
      .Answer({Press(IDOK)});
  Begin();

  ASSERT_EQ(5u, user.shown().size());
  EXPECT_EQ("Choose Shortcut Icons", user.shown()[0].caption);
  EXPECT_EQ("End User License Agreement", user.shown()[1].caption);
  ExpectBox(user.shown()[2], "Note:", kScriptNote, 0xF4);
  ExpectBox(user.shown()[3], "Install Now?", kInstallNow, 0x41);
  ExpectBox(user.shown()[4], "COMPLETED!",
            std::string(kCompletion) + kLaterWindows, 0);
  for (const Shown& shown : user.shown())
    EXPECT_EQ(window, shown.owner) << shown.caption;

  EXPECT_TRUE(CloseStartedOrvel()) << "the installed orvel.exe was not started";
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(1, state.installPerformed);
  EXPECT_EQ(disk::ReadBytes(ORVEL_EXE_PATH), disk::ReadBytes(In("orvel.exe")));
  EXPECT_EQ(disk::ReadBytes(LICENCE_PATH), disk::ReadBytes(In("eula.txt")));
  EXPECT_FALSE(Exists(In("$$cmp.tm$")));
  EXPECT_FALSE(Exists(In("$$unc.tm$")));
}

TEST_F(Flows, ADestinationWithBlanksStartsTheInstalledOrvel) {
  // A program named after the destination's first word, which an unquoted
  // command line would start instead.
  CreateDirectoryA(folder.c_str(), nullptr);
  char decoy[MAX_PATH];
  GetSystemDirectoryA(decoy, sizeof decoy);
  ASSERT_TRUE(CopyFileA((std::string(decoy) + "\\hostname.exe").c_str(),
                        In("Program.exe").c_str(), FALSE));
  lstrcpyA(state.destinationPath, In("Program Files\\Orvel\\").c_str());
  AskOnlyWhetherToInstall();
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)});
  Begin();
  EXPECT_EQ("COMPLETED!", Captions(user).back());
  EXPECT_TRUE(CloseStartedOrvel()) << "the installed orvel.exe was not started";
  EXPECT_EQ(disk::ReadBytes(ORVEL_EXE_PATH),
            disk::ReadBytes(In("Program Files\\Orvel\\orvel.exe")));
}

std::vector<HCURSOR> cursorsInValidation;

UINT WINAPI DriveTypeNotingTheCursor(LPCSTR root) {
  cursorsInValidation.push_back(GetCursor());
  return realDriveTable.getDriveType(root);
}

TEST_F(Flows, TheWaitCursorShowsWhileInstallingAlsoWhenItFails) {
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
  driveTable.getDriveType = DriveTypeNotingTheCursor;
  cursorsInValidation.clear();
  SetCursor(arrow);
  AskOnlyWhetherToInstall();
  // A previous orvel.exe that cannot be deleted makes the first run fail.
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE));
  SetFileAttributesA(In("orvel.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  HCURSOR atReport = nullptr;
  ScriptedUser user;
  user.Answer({Press(IDOK)})
      .Answer({Call([&](HWND) { atReport = GetCursor(); }), Press(IDOK)});
  Begin();
  EXPECT_EQ("File Error", Captions(user).back());
  // The last validation is the installation's own.
  EXPECT_EQ(wait, cursorsInValidation.back());
  EXPECT_EQ(arrow, atReport);
  EXPECT_EQ(arrow, GetCursor());

  SetFileAttributesA(In("orvel.exe").c_str(), FILE_ATTRIBUTE_NORMAL);
  cursorsInValidation.clear();
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)});
  Begin();
  EXPECT_EQ("COMPLETED!", Captions(user).back());
  EXPECT_EQ(wait, cursorsInValidation.back());
  EXPECT_EQ(arrow, GetCursor());
  EXPECT_TRUE(CloseStartedOrvel());
}

TEST_F(Flows, NoToTheScriptNoteInstallsWithoutShortcuts) {
  state.agreementAccepted = 1;
  ScriptedUser user;
  user.Answer({Press(IDC_OK)})
      .Answer({Press(IDNO)})
      .Answer({Press(IDOK)})
      .Answer({Press(IDOK)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"Choose Shortcut Icons",
                                      "Note:", "Install Now?", "COMPLETED!"}),
            Captions(user));
  EXPECT_EQ(0, state.shortcutFlags);
  EXPECT_TRUE(CloseStartedOrvel());
  EXPECT_EQ(disk::ReadBytes(ORVEL_EXE_PATH), disk::ReadBytes(In("orvel.exe")));
}

TEST_F(Flows, WithoutIconChoiceNoToTheScriptNoteStops) {
  state.agreementAccepted = 1;
  state.iconChoiceOffered = 0;
  ScriptedUser user;
  user.Answer({Press(IDNO)});
  Begin();
  EXPECT_EQ(std::vector<std::string>{"Note:"}, Captions(user));
  EXPECT_EQ(6, state.shortcutFlags);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(0, state.installPerformed);
}

TEST_F(Flows, NoShortcutsChosenMeansNoScriptNote) {
  state.agreementAccepted = 1;
  ScriptedUser user;
  user.Answer(
          {Clear(IDC_ICON_DESKTOP), Clear(IDC_ICON_PROGRAMS), Press(IDC_OK)})
      .Answer({Press(IDCANCEL)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"Choose Shortcut Icons", "Install Now?"}),
            Captions(user));
}

TEST_F(Flows, EscInIconsAndDeclineInAgreementStopUntilTheNextBegin) {
  ScriptedUser user;
  user.Answer({Escape()});
  Begin();
  EXPECT_EQ(std::vector<std::string>{"Choose Shortcut Icons"}, Captions(user));

  user.Answer({Press(IDC_OK)}).Answer({Press(IDC_CANCEL)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"Choose Shortcut Icons",
                                      "Choose Shortcut Icons",
                                      "End User License Agreement"}),
            Captions(user));

  // Not accepted yet: the next begin asks for the agreement again.
  user.Answer({Press(IDC_OK)}).Answer({Press(IDC_CANCEL)});
  Begin();
  ASSERT_EQ(5u, user.shown().size());
  EXPECT_EQ("End User License Agreement", user.shown()[4].caption);
  EXPECT_EQ(0u, user.pending());
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(0, state.installPerformed);
  EXPECT_FALSE(Exists(folder));
}

TEST_F(Flows, UpdateGoesOnWithoutAcceptingTheChanges) {
  state.updateMode = 1;
  ScriptedUser user;
  user.Answer({Press(IDC_OK)})
      .Answer({Press(IDC_OK)})
      .Answer({Press(IDYES)})
      .Answer({Press(IDCANCEL)});
  // An update needs an installed program to update.
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE);
  Begin();
  ASSERT_EQ(4u, user.shown().size());
  EXPECT_EQ(0, state.agreementAccepted);
  EXPECT_EQ("Install Now?", user.shown()[3].caption);
  EXPECT_EQ(0, state.installPerformed);
}

TEST_F(Flows, AFailingInstallationReportsItsCodeAndAsksAgain) {
  // A previous orvel.exe that cannot be deleted.
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE));
  SetFileAttributesA(In("orvel.exe").c_str(), FILE_ATTRIBUTE_READONLY);
  ScriptedUser user;
  user.Answer({Press(IDC_OK)})
      .Answer({Tick(IDC_AGREE_CHECK), Press(IDC_OK)})
      .Answer({Press(IDYES)})
      .Answer({Press(IDOK)})
      .Answer({Press(IDOK)});
  Begin();
  ASSERT_EQ(5u, user.shown().size());
  const Shown& report = user.shown()[4];
  EXPECT_EQ("File Error", report.caption);
  EXPECT_EQ(0u, report.text.find("Error #70\n\nCouldn't Delete Previous File!"))
      << report.text;
  EXPECT_EQ(0, state.installPerformed);
  EXPECT_TRUE(IsWindow(window));

  // The user may begin again: the agreement is not asked twice.
  user.Answer({Press(IDC_OK)}).Answer({Press(IDYES)}).Answer({Press(IDCANCEL)});
  Begin();
  ASSERT_EQ(8u, user.shown().size());
  EXPECT_EQ("Choose Shortcut Icons", user.shown()[5].caption);
  EXPECT_EQ("Note:", user.shown()[6].caption);
  ExpectBox(user.shown()[7], "Install Now?", kInstallNow, 0x41);
  EXPECT_TRUE(IsWindow(window));
}

// Orvel running from the folder: before anything changes, a box names it;
// the person closes Orvel and chooses Retry, and the installation runs.
TEST_F(Flows, RunningOrvelIsNamedBeforeAnythingChangesAndRetryGoesOn) {
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE));
  disk::WriteBytes(In("orvel.chm"), "an earlier help file");
  std::string command = "\"" + In("orvel.exe") + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION orvel;
  ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0,
                             nullptr, nullptr, &startup, &orvel));
  HWND running = nullptr;
  for (int i = 0; i < 300 && !(running = FindWindowA("OrvelDemo", "Orvel"));
       ++i)
    Sleep(50);
  ASSERT_NE(nullptr, running);
  AskOnlyWhetherToInstall();
  std::string helpAtTheBox;
  ScriptedUser user;
  user.Answer({Press(IDOK)})
      .Answer({Call([&](HWND) {
                 helpAtTheBox = disk::ReadBytes(In("orvel.chm"));
                 // As Windows' shutdown asks a program to close.
                 EXPECT_TRUE(SendMessageA(running, WM_QUERYENDSESSION, 0,
                                          ENDSESSION_CLOSEAPP));
                 SendMessageA(running, WM_ENDSESSION, TRUE,
                              ENDSESSION_CLOSEAPP);
                 WaitForSingleObject(orvel.hProcess, 10000);
               }),
               Press(IDRETRY)})
      .Answer({Press(IDOK)});
  Begin();
  CloseHandle(orvel.hThread);
  CloseHandle(orvel.hProcess);
  ASSERT_EQ(3u, user.shown().size());
  ExpectBox(user.shown()[1], "Files in Use",
            "Orvel is running.\n" + In("orvel.exe") +
                "\n\nClose it, then choose Retry. Cancel changes nothing.",
            MB_RETRYCANCEL | MB_ICONEXCLAMATION);
  EXPECT_EQ("an earlier help file", helpAtTheBox);
  EXPECT_EQ("COMPLETED!", user.shown()[2].caption);
  EXPECT_EQ(disk::ReadBytes(ORVEL_CHM_PATH), disk::ReadBytes(In("orvel.chm")));
  EXPECT_TRUE(CloseStartedOrvel());
}

TEST_F(Flows, AnInstallationAlreadyRunIsNotOfferedAgain) {
  state.agreementAccepted = 1;
  state.installPerformed = 1;
  ScriptedUser user;
  user.Answer({Press(IDC_OK)}).Answer({Press(IDYES)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"Choose Shortcut Icons", "Note:"}),
            Captions(user));
}

TEST_F(Flows, ARefusedDestinationStopsBeforeAnyQuestion) {
  lstrcpyA(state.destinationPath, "orvel-tests");
  ScriptedUser user;
  user.Answer({Press(IDOK)});
  Begin();
  ASSERT_EQ(1u, user.shown().size());
  EXPECT_EQ("Folder Error", user.shown()[0].caption);
  EXPECT_EQ(0u, user.shown()[0].text.find("Error #27\n\n"));
  EXPECT_TRUE(IsWindow(window));
}

TEST_F(Flows, UninstallRemovesEveryShortcutThenTheFolderTree) {
  state.uninstallMode = 1;
  state.iconChoiceOffered = 0;
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA(In("data").c_str(), nullptr);
  CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE);
  CopyFileA(LICENCE_PATH, In("data\\notes.txt").c_str(), FALSE);
  RecordedInstallation recorded(folder + "\\");

  removedFolder = folder;
  // No other installation's shortcuts, which would keep the script out.
  CompleteShortcuts(0x1F, "", "");
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDYES)}).Answer({Press(IDOK)});
  {
    script_host::StartedBy fake(StartSeeingTheFolder);
    Begin();
  }

  ASSERT_EQ(3u, user.shown().size());
  EXPECT_EQ("List of Files", user.shown()[0].caption);
  EXPECT_EQ(0u, user.shown()[0].text.find("  WARNING!!!!!!!\n"));
  ExpectBox(user.shown()[1], "DESTROY Warning!",
            "Are you SURE you want to DELETE all\n\n"
            "the Orvel program and data files?",
            0x144);
  ExpectBox(user.shown()[2], "COMPLETED!",
            "Orvel has been removed from this PC!", 0);
  EXPECT_EQ(31, state.shortcutFlags);
  EXPECT_EQ(1, state.installPerformed);
  EXPECT_FALSE(Exists(folder));
  EXPECT_FALSE(IsWindow(window));

  // The script removed the desktop, programs, uninstall and startup
  // shortcuts, created none, and ran while the folder still stood.
  ASSERT_EQ(1u, script_host::launches.size());
  const std::string& script = script_host::launches[0].script;
  EXPECT_TRUE(folderStoodAtScript);
  for (const char* line :
       {"FSO.DeleteFile(DesktopPath & \"\\Orvel.lnk\")",
        "FSO.DeleteFile(folderspec & \"\\Orvel.lnk\")",
        "\\UN-INSTALL Orvel.lnk\")", "folderspec=(folderspec & \"\\StartUp\")"})
    EXPECT_NE(std::string::npos, script.find(line)) << line;
  EXPECT_EQ(std::string::npos, script.find("CreateShortcut"));
}

// Everything a person can do to the window, sent while the installation
// waits for the script host; whether the window still stood when the
// host ended.
HWND busyWindow = nullptr;
bool windowStoodAtHostEnd = false;
struct Input {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<Input> inputs;

unsigned StartWhileSomeoneClicks(const char* program, char* commandLine,
                                 HANDLE* process) {
  unsigned result = script_host::RecordStart(program, commandLine, process);
  for (const Input& input : inputs)
    PostMessageA(busyWindow, input.message, input.wParam, input.lParam);
  HANDLE late = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  std::thread([late] {
    Sleep(1000);
    windowStoodAtHostEnd = IsWindow(busyWindow);
    SetEvent(late);
  }).detach();
  CloseHandle(*process);
  *process = late;
  return result;
}

TEST_F(Flows, NothingElseRunsWhileTheInstallationWaits) {
  AskOnlyWhetherToInstall();
  state.shortcutFlags = SHORTCUT_DESKTOP;
  busyWindow = window;
  windowStoodAtHostEnd = false;
  inputs.clear();
  for (WPARAM command : {CMD_CHANGE_DESTINATION, CMD_SWITCH_TO_UNINSTALL,
                         CMD_BEGIN, CMD_ABOUT, CMD_EXIT})
    inputs.push_back({WM_COMMAND, command, 0});
  script_host::StartedBy fake(StartWhileSomeoneClicks);
  ScriptedUser user;
  user.Answer({Press(IDYES)}).Answer({Press(IDOK)}).Answer({Press(IDOK)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"Note:", "Install Now?", "COMPLETED!"}),
            Captions(user));
  EXPECT_TRUE(windowStoodAtHostEnd);
  EXPECT_TRUE(CloseStartedOrvel()) << "orvel.exe is started once";
  EXPECT_EQ(0, state.uninstallMode);
  EXPECT_TRUE(Exists(In("orvel.exe")));
  EXPECT_FALSE(IsWindow(window));
}

// A folder of the product's files that the installer did not record is
// refused before anything is shown or deleted; one whose removal leaves
// something says what stayed, and the installer ends with 1603.
TEST_F(Flows, UninstallTakesOnlyARecordedFolderAndSaysWhatStayed) {
  state.uninstallMode = 1;
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE);
  CopyFileA(LICENCE_PATH, In("eula.txt").c_str(), FALSE);
  {
    ScriptedUser user;
    user.Answer({Press(IDOK)});
    Begin();
    ASSERT_EQ(1u, user.shown().size());
    ExpectBox(user.shown()[0], "UN-Install",
              "This folder holds no installation of Orvel made by this "
              "installer:\n\n" +
                  folder + "\\\n\nNothing has been removed.",
              MB_OK | MB_ICONEXCLAMATION);
    EXPECT_TRUE(Exists(In("eula.txt")));
  }
  RecordedInstallation recorded(folder + "\\");
  // The person's own file, open in another program.
  CreateDirectoryA(In("data").c_str(), nullptr);
  disk::WriteBytes(In("data\\notes.txt"), "made by the user");
  HANDLE held =
      CreateFileA(In("data\\notes.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDYES)}).Answer({Press(IDOK)});
  user.Answer({Press(IDOK)}).Answer({Press(IDOK)});
  {
    script_host::StartedBy fake(script_host::RecordStart);
    Begin();
  }
  CloseHandle(held);
  EXPECT_EQ((std::vector<std::string>{
                "List of Files", "DESTROY Warning!", "Folder Delete Error",
                "Folder Delete Error", "Removal Incomplete"}),
            Captions(user));
  ASSERT_EQ(5u, user.shown().size());
  const std::string& said = user.shown()[4].text;
  EXPECT_EQ(0u,
            said.find("Orvel could not be removed completely.\n\nStill in " +
                      folder + "\\:\n\n"))
      << said;
  for (const char* name : {"    data\n", "    orvel.exe\n", "    install.rec\n",
                           "run the removal"})
    EXPECT_NE(std::string::npos, said.find(name)) << name << " in " << said;
  EXPECT_GT(RecordedInstallation::asked, 0);
  EXPECT_EQ(1603, closingExitCode);
  EXPECT_TRUE(Exists(In("orvel.exe")));
  EXPECT_FALSE(IsWindow(window));
  closingExitCode = 0;
}

// The Apps & features entry goes with the folder it names, and only then.
TEST_F(Flows, ARemovalDeletesOnlyTheEntryOfItsFolder) {
  const char key[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvel";
  auto name = [&](const std::string& location) {
    HKEY entry;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0,
                    KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &entry, nullptr);
    RegSetValueExA(entry, "InstallLocation", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(location.c_str()),
                   static_cast<DWORD>(location.size() + 1));
    RegCloseKey(entry);
  };
  auto named = [&] {
    char location[MAX_PATH] = "-";
    DWORD size = sizeof location;
    RegGetValueA(HKEY_LOCAL_MACHINE, key, "InstallLocation",
                 RRF_RT_REG_SZ | RRF_SUBKEY_WOW6432KEY, nullptr, location,
                 &size);
    return std::string(location);
  };
  script_host::StartedBy fake(script_host::RecordStart);
  for (const std::string& other :
       {std::string("c:\\orvel-tests\\elsewhere\\"), std::string("")}) {
    name(other.empty() ? folder + "\\" : other);
    RecordedInstallation recorded(folder + "\\");
    ASSERT_TRUE(RemoveShortcutsAndFolder());
    EXPECT_FALSE(Exists(folder));
    EXPECT_EQ(other.empty() ? "-" : other, named());
  }
}

TEST_F(Flows, UninstallStopsUnlessTheDestructionIsConfirmed) {
  state.uninstallMode = 1;
  CreateDirectoryA(folder.c_str(), nullptr);
  CopyFileA(ORVEL_EXE_PATH, In("orvel.exe").c_str(), FALSE);
  RecordedInstallation recorded(folder + "\\");
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDNO)});
  Begin();
  EXPECT_EQ((std::vector<std::string>{"List of Files", "DESTROY Warning!"}),
            Captions(user));
  EXPECT_TRUE(Exists(In("orvel.exe")));
  EXPECT_TRUE(IsWindow(window));
  EXPECT_EQ(0, state.installPerformed);
}

TEST_F(Flows, SwitchToUninstallAsksEachTimeAndChangesTheMode) {
  const char warning[] = "You are about to switch to the UN-INSTALL mode!\n\n"
                         "This mode DESTROYS all Orvel Files!!\n\n"
                         "If you continue, you can NOT return here!!\n"
                         "   You can ONLY EXIT the program.\n\n"
                         "Continue?";
  ScriptedUser user;
  user.Answer({Press(IDNO)}).Answer({Press(IDYES)}).Answer({Press(IDYES)});
  auto windowTitle = [&] { return WindowText(window); };

  SendMessageA(window, WM_COMMAND, CMD_SWITCH_TO_UNINSTALL, 0);
  EXPECT_EQ(0, state.uninstallMode);
  EXPECT_EQ(1, state.iconChoiceOffered);
  EXPECT_EQ("Install", windowTitle());

  SendMessageA(window, WM_COMMAND, CMD_SWITCH_TO_UNINSTALL, 0);
  EXPECT_EQ(1, state.uninstallMode);
  EXPECT_EQ(0, state.iconChoiceOffered);
  EXPECT_EQ("UN-Install", windowTitle());
  EXPECT_NE(0, GetUpdateRect(window, nullptr, FALSE));

  // Offered again in uninstall mode: the same warning, the same result.
  SendMessageA(window, WM_COMMAND, CMD_SWITCH_TO_UNINSTALL, 0);
  EXPECT_EQ(1, state.uninstallMode);
  EXPECT_EQ("UN-Install", windowTitle());

  ASSERT_EQ(3u, user.shown().size());
  for (const Shown& box : user.shown())
    ExpectBox(box, "WARNING!", warning, 0x114);
}

// The installer's own window, as WinMain makes it: a click on the icon
// begins, a click on the destination changes it.
TEST(MainWindowFlows, ClicksOnTheWindowStartTheirFlows) {
  TestMainWindow main;
  main.ShowAndPaint();
  lstrcpyA(state.destinationPath, "c:\\orvel-tests\\flows\\clicks\\");
  auto centre = [](const RECT& r) {
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  ScriptedUser user;
  user.Answer({Escape()}).Answer({Press(IDC_CANCEL)});
  SendMessageA(main.window, WM_LBUTTONUP, 0, centre(beginHitRect));
  EXPECT_TRUE(user.shown().empty()) << "the click runs the flow at once";
  ASSERT_TRUE(RunMessageLoop([&] { return user.shown().size() >= 1; }, 5000));
  EXPECT_EQ("Choose Shortcut Icons", user.shown()[0].caption);

  SendMessageA(main.window, WM_LBUTTONUP, 0, centre(destinationHitRect));
  ASSERT_TRUE(RunMessageLoop([&] { return user.shown().size() >= 2; }, 5000));
  EXPECT_EQ("Change Destination Folder:", user.shown()[1].caption);
  EXPECT_TRUE(IsWindow(main.window));
}

// The installer's own window during a removal: clicks on the icon and the
// destination, the close box and a close request wait for its end.
TEST(MainWindowFlows, ARemovalCannotBeInterruptedOrRunTwice) {
  TestMainWindow main;
  main.ShowAndPaint();
  const std::string folder = "c:\\orvel-tests\\flows\\busy-removal\\";
  disk::RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  ASSERT_TRUE(CopyFileA(ORVEL_EXE_PATH, (folder + "orvel.exe").c_str(), 0));
  RecordedInstallation recorded(folder);
  lstrcpyA(state.destinationPath, folder.c_str());
  state.uninstallMode = 1;
  auto centre = [](const RECT& r) {
    return MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  };
  busyWindow = main.window;
  windowStoodAtHostEnd = false;
  inputs = {{WM_LBUTTONUP, 0, centre(beginHitRect)},
            {WM_LBUTTONUP, 0, centre(destinationHitRect)},
            {WM_SYSCOMMAND, SC_CLOSE, 0},
            {WM_CLOSE, 0, 0}};
  script_host::StartedBy fake(StartWhileSomeoneClicks);
  ScriptedUser user;
  user.Answer({Press(IDOK)}).Answer({Press(IDYES)}).Answer({Press(IDOK)});
  SendMessageA(main.window, WM_COMMAND, CMD_BEGIN, 0);
  EXPECT_EQ((std::vector<std::string>{"List of Files", "DESTROY Warning!",
                                      "COMPLETED!"}),
            Captions(user));
  EXPECT_TRUE(windowStoodAtHostEnd);
  EXPECT_FALSE(disk::Exists(folder));
  EXPECT_FALSE(IsWindow(main.window));
}

TEST(CompletionMessage, HasTheParagraphsOfItsWindowsVersion) {
  char text[1400];
  FormatCompletionMessage(text, sizeof text, 0);
  EXPECT_EQ(kCompletion, std::string(text));
  FormatCompletionMessage(text, sizeof text, 3);
  EXPECT_EQ(std::string(kCompletion) + kWindows3, text);
  FormatCompletionMessage(text, sizeof text, 4);
  EXPECT_EQ(kCompletion, std::string(text));
  FormatCompletionMessage(text, sizeof text, 5);
  EXPECT_EQ(kCompletion, std::string(text));
  FormatCompletionMessage(text, sizeof text, 6);
  EXPECT_EQ(std::string(kCompletion) + kLaterWindows, text);
}

TEST(CompletionMessage, IsCutToItsBuffer) {
  char text[16];
  memset(text, 'x', sizeof text);
  FormatCompletionMessage(text, 12, 6);
  EXPECT_EQ("Installatio", std::string(text));
  EXPECT_EQ('x', text[12]);
}

} // namespace
