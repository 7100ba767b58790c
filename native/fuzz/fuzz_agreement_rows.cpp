// The row rule of the agreement list with every character equally wide:
// every byte before the stop is in a row or is a dropped blank, no row is
// wider than the list unless it is one character, and the fill ends.
#include "dialogs/agreement_rows.h"
#include "native/fuzz/property.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct Fill {
  int charWidth;
  size_t maxRows;
  std::vector<std::string> rows;
};

int FixedWidth(const char*, int length, void* context) {
  return length * static_cast<Fill*>(context)->charWidth;
}

void Add(const char* row, void* context) {
  Fill* fill = static_cast<Fill*>(context);
  fill->rows.push_back(row);
  // Each row takes at least one byte of the text, or ends it.
  PROPERTY(fill->rows.size() <= fill->maxRows);
}

bool IsEndLine(const std::string& text, size_t at) {
  if (text.size() - at < 3)
    return false;
  for (size_t k = 0; k < 3; ++k)
    if ((text[at + k] | 0x20) != "end"[k])
      return false;
  return true;
}

// Where the fill stops: the text's end, an empty line or the closing line.
bool StopsAt(const std::string& text, size_t at) {
  return at >= text.size() || text[at] == '\n' || IsEndLine(text, at);
}

// Where the next row begins after a row whose last byte came just before
// `at`. A row that filled its buffer, or one character that alone is too
// wide, stops right there. Any other row has taken the centre marks after
// its last byte; one cut at a blank then drops that blank and one more.
// A line end is then passed over.
size_t NextRowStart(const std::string& text, size_t at, bool stopsRightAfter) {
  if (!stopsRightAfter) {
    while (at < text.size() && text[at] == CENTRE_MARK)
      ++at;
    for (int k = 0; k < 2 && at < text.size() && text[at] == ' '; ++k)
      ++at;
  }
  if (at < text.size() && text[at] == '\r') {
    ++at;
    if (at < text.size() && text[at] == '\n')
      ++at;
  }
  return at;
}

// Walks the text along the rows: a row's bytes come from the text in
// order, centre marks left out, and a centred row may start with blanks of
// its own. No row but the first begins where the text stops; the last one
// leaves off there.
void FollowRows(const std::string& text, const std::vector<std::string>& rows,
                size_t rowSize, bool oneCharTooWide) {
  size_t at = 0;
  bool stopsRightAfter = false;
  for (size_t r = 0; r < rows.size(); ++r) {
    const std::string& row = rows[r];
    if (r > 0) {
      at = NextRowStart(text, at, stopsRightAfter);
      PROPERTY(!StopsAt(text, at));
    }
    bool leading = true, padded = false;
    for (size_t k = 0; k < row.size();) {
      if (at < text.size() && text[at] == row[k]) {
        leading = leading && row[k] == ' ';
        ++at, ++k;
      } else if (at < text.size() && text[at] == CENTRE_MARK) {
        ++at;
      } else if (leading && row[k] == ' ') {
        ++k; // a blank that centres the row
        padded = true;
      } else {
        PROPERTY(!"a row holds a byte that the text does not have there");
      }
    }
    // A centred row ended its line; only an unpadded row fills its buffer.
    stopsRightAfter = (row.size() + 1 == rowSize && !padded) ||
                      (row.size() == 1 && oneCharTooWide);
  }
  if (!rows.empty())
    PROPERTY(StopsAt(text, NextRowStart(text, at, stopsRightAfter)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const int usableWidth = in.ConsumeIntegralInRange<int>(-4, 400);
  const int rowSize = in.ConsumeIntegralInRange<int>(0, 64);
  Fill fill = {in.ConsumeIntegralInRange<int>(0, 12), 0, {}};
  // The text is a text file: it holds no NUL byte.
  std::string text = in.ConsumeRemainingBytesAsString();
  for (char& c : text)
    if (c == '\0')
      c = 'x';
  fill.maxRows = text.size() + 1;

  std::vector<char> row(static_cast<size_t>(rowSize > 0 ? rowSize : 1));
  RowWrapper w = {usableWidth, FixedWidth, Add, &fill, row.data(), rowSize};
  // Exactly as long as the text: a read past it is caught.
  std::vector<char> bytes(text.begin(), text.end());
  WrapAgreementRows(w, bytes.data(), static_cast<int>(bytes.size()));

  if (rowSize < 2) {
    PROPERTY(fill.rows.empty());
    return 0;
  }
  for (const std::string& r : fill.rows) {
    PROPERTY(r.size() < static_cast<size_t>(rowSize));
    PROPERTY(r.size() <= 1 ||
             static_cast<int>(r.size()) * fill.charWidth <= usableWidth);
  }
  FollowRows(text, fill.rows, static_cast<size_t>(rowSize),
             fill.charWidth >= usableWidth);
  return 0;
}
