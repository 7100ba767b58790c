// The rows of a help page: reading never passes the page's end, and the
// rows follow the page line by line: a row is the text before its line
// feed without the tab (centred) and backspace (bold) marks, cut to 255
// characters; what follows the last line feed is no row.
#include "dialogs/help_rows.h"
#include "native/fuzz/property.h"

#include <cstring>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The page is a NUL-terminated text, allocated to its exact length.
  std::vector<char> page(data, data + size);
  page.push_back('\0');
  const size_t length = strlen(page.data());

  HelpRow row;
  int position = 0;
  size_t rows = 0;
  for (;;) {
    const int from = position;
    memset(&row, 0x5A, sizeof row);
    if (!NextHelpRow(page.data(), &position, &row))
      break;
    PROPERTY(++rows <= length);
    const char* lineFeed = strchr(page.data() + from, '\n');
    PROPERTY(lineFeed != nullptr);
    PROPERTY(position == lineFeed - page.data() + 1);

    std::string expected;
    bool centred = false, bold = false;
    for (const char* p = page.data() + from; p < lineFeed; ++p) {
      if (*p == '\t')
        centred = true;
      else if (*p == '\b')
        bold = true;
      else
        expected += *p;
    }
    if (expected.size() > HELP_ROW_SIZE - 1)
      expected.resize(HELP_ROW_SIZE - 1);
    PROPERTY(row.length == static_cast<int>(expected.size()));
    PROPERTY(row.text[row.length] == '\0');
    PROPERTY(expected == row.text);
    PROPERTY(row.centred == centred && row.bold == bold);
  }
  // The end: no line feed is left, and the row is empty.
  PROPERTY(strchr(page.data() + position, '\n') == nullptr);
  PROPERTY(row.length == 0 && row.text[0] == '\0');
  return 0;
}
