// Installer error codes: 0 is success, every other value is reported by
// ReportError with its caption, text and the path it concerns.
#pragma once

typedef int ErrorCode;

enum {
  ERR_NO_MEMORY = 1,
  ERR_LOCK_MEMORY = 2,
  ERR_FILE_CREATE = 3,
  ERR_DISK_WRITE = 4,
  ERR_DECOMPRESS = 5,
  ERR_EARLIER_VERSION = 6,
  ERR_VERSION_DATA = 7,
  ERR_IMAGE_SIZE = 8,
  ERR_NO_RESOURCE = 9,
  ERR_PATH_TOO_LONG = 12,
  ERR_CREATE_FOLDER = 13,
  ERR_FOLDER_NAME_LENGTH = 14,
  ERR_SPACES_IN_PATH = 25,
  ERR_BAD_DRIVE = 26,
  ERR_NO_DRIVE = 27,
  ERR_LOW_DISK_SPACE = 28,
  ERR_NOT_HARD_DRIVE = 29,
  ERR_ROOT_FOLDER = 40,
  ERR_WINDOWS_FOLDER = 41,
  ERR_COMPILE_FOLDER = 42,
  ERR_UPDATE_NO_FOLDER = 50,
  ERR_UPDATE_NO_APP = 51,
  ERR_DELETE_BAK = 60,
  ERR_RENAME_TO_BAK = 61,
  ERR_DELETE_PREVIOUS = 70,
  ERR_RENAME_TEMP = 71,
};
