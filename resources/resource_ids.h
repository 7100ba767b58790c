// Ids shared by the resource script and the code.
#pragma once

// Icon, text and payload resources.
#define ICON_APP 600
#define AGREEMENT_TEXT_ID 300
#define PAYLOAD_FIRST_ID 900
#define PAYLOAD_SLOT_COUNT 10
// The recorded CRC-32 of each payload file once expanded.
#define PAYLOAD_CRC_ID 899

// The maker named in the version data and in Apps & features.
#define PUBLISHER_NAME "Quillmere Software"

// Command ids (WM_COMMAND).
#define CMD_EXIT 1
#define CMD_CHANGE_DESTINATION 2
#define CMD_HELP 3
#define CMD_BEGIN 6
#define CMD_LIST_FILES 7
#define CMD_READ_AGREEMENT 8
#define CMD_CHOOSE_ICONS 9
#define CMD_SWITCH_TO_UNINSTALL 11
#define CMD_BACKUP_DATA 12
#define CMD_MONITOR_SETUP 13
#define CMD_ABOUT 18

// Dialog controls shared by several templates.
#define IDC_OK 115
#define IDC_CANCEL 116

// CHANGEIT
#define IDC_DESTINATION_EDIT 114
#define IDC_DEFAULT_DESTINATION 120
#define IDC_BROWSE 121
#define IDC_SEARCH 128

// AGREE
#define IDC_AGREE_TEXT 122
#define IDC_AGREE_LABEL 123
#define IDC_AGREE_CHECK 124

// ICONS
#define IDC_ICON_PROGRAMS 125
#define IDC_ICON_DESKTOP 126
#define IDC_ICON_STARTUP 127

// DTLINFO
#define IDC_BACK 118
#define IDC_FORWARD 119

// SEARCH
#define IDC_SEARCH_LIST 200
