#include "engine/error_report_text.h"

#include <errno.h>
#include <string.h>

namespace {

struct ErrorRow {
  ErrorCode code;
  const char* text;
};

// Codes 6, 14, 25, 60 and 61 are returned by nothing today; their texts
// stay so that a report of them still reads sensibly.
const ErrorRow errorTable[] = {
    {ERR_NO_MEMORY, "No Memory Available!"},
    {ERR_LOCK_MEMORY, "Couldn't Lock Memory"},
    {ERR_FILE_CREATE, "Disk File Create"},
    {ERR_DISK_WRITE, "Disk Write"},
    {ERR_DECOMPRESS, "Decompress Write"},
    {ERR_EARLIER_VERSION, "File Version is Earlier than Existing File"},
    {ERR_VERSION_DATA, "Version Data is missing data in .RC"},
    {ERR_IMAGE_SIZE, "Invalid Memory Image Size"},
    {ERR_PATH_TOO_LONG, "Destination Path Too Long"},
    {ERR_CREATE_FOLDER, "Couldn't Create a Folder"},
    {ERR_FOLDER_NAME_LENGTH, "Folder Names MUST be < 9 long"},
    {ERR_NAME_NOT_SPELLED, "Destination has Characters that the Code Page\n"
                           "of this Windows cannot spell: choose another Name"},
    {ERR_SPACES_IN_PATH, "Cannot have Spaces in Path"},
    {ERR_BAD_DRIVE,
     "Invalid Drive Specification\n(must be only a single letter)"},
    {ERR_NO_DRIVE, "No Drive was Specified (C:\\)"},
    {ERR_LOW_DISK_SPACE, "Not Enough Free Space on Hard Drive\n"
                         "(min 10 MB needed -- NOT 10 Gig, but 10 Meg!)"},
    {ERR_NOT_HARD_DRIVE, "Specified Drive is Not a Hard Drive"},
    {ERR_ROOT_FOLDER, "Installation not allowed in Root Directory"},
    {ERR_WINDOWS_FOLDER, "Installation not allowed in Windows Path"},
    {ERR_COMPILE_FOLDER, "Installation not allowed in Compile Path"},
    {ERR_UPDATE_NO_FOLDER,
     "With an UPDATE Installation,\nthe Destination folder MUST already "
     "Exist,\nhaving been created in the initial FULL installation."},
    {ERR_UPDATE_NO_APP,
     "With an UPDATE Installation,\nthe Application MUST already Exist in "
     "the Folder,\nhaving been created in the initial FULL installation."},
    {ERR_DELETE_BAK, "Couldn't Delete .BAK File"},
    {ERR_RENAME_TO_BAK, "Renaming Previous File to .BAK"},
    {ERR_DELETE_PREVIOUS, "Couldn't Delete Previous File!"},
    {ERR_RENAME_TEMP, "Renaming Temp File to Final File!"},
};

const char unknownText[] = "???";

// Appends `piece` after the `*length` characters already in `text`,
// dropping what does not fit.
void Append(char* text, size_t size, size_t* length, const char* piece) {
  while (*piece && *length + 1 < size)
    text[(*length)++] = *piece++;
  text[*length] = '\0';
}

void AppendNumber(char* text, size_t size, size_t* length, int number) {
  char digits[16];
  char* end = digits + sizeof digits;
  char* first = end;
  *--first = '\0';
  // Negated as unsigned, so that the most negative int is printed right
  // without 64-bit division, which would pull a helper from libgcc.
  unsigned magnitude = static_cast<unsigned>(number);
  if (number < 0)
    magnitude = 0u - magnitude;
  do {
    *--first = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude);
  if (number < 0)
    *--first = '-';
  Append(text, size, length, first);
}

} // namespace

const char* ErrorCaption(ErrorCode code) {
  if (code <= 10)
    return "Memory Error";
  if (code <= 59)
    return "Folder Error";
  return "File Error";
}

const char* ErrorText(ErrorCode code) {
  for (const ErrorRow& row : errorTable)
    if (row.code == code)
      return row.text;
  return unknownText;
}

const char* ExtendedErrorText(int errorNumber) {
  switch (errorNumber) {
  case ENOENT:
    return "No Such File or Folder\n";
  case EACCES:
    return "No Permission\n";
  case EXDEV:
    return "Not Same Device\n";
  case EEXIST:
    return "File Already Exists\n";
  }
  return "???\n";
}

void FormatErrorReport(char* text, size_t size, ErrorCode code, int errorDetail,
                       const char* errorPath) {
  if (size == 0)
    return;
  size_t length = 0;
  text[0] = '\0';
  Append(text, size, &length, "Error #");
  AppendNumber(text, size, &length, code);
  Append(text, size, &length, "\n\n");
  Append(text, size, &length, ErrorText(code));
  Append(text, size, &length, "\n\n");
  if (errorDetail != 0) {
    Append(text, size, &length, "Extended Error # ");
    AppendNumber(text, size, &length, errorDetail);
    Append(text, size, &length, "\n");
    Append(text, size, &length, ExtendedErrorText(errorDetail));
  }
  Append(text, size, &length, errorPath);
  Append(text, size, &length, "\n");
}
