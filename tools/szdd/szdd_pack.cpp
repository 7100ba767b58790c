#include "tools/szdd/szdd_pack.h"

#include <cstdint>

// The LZ scheme: a 4096-byte ring window that starts filled with blanks,
// written from position 4096 - 16. A flag byte precedes every group of
// eight items, read from its lowest bit: 1 is a literal byte, 0 a two-byte
// match of 3 to 18 bytes at an absolute window position.
//
// The packer finds the longest match at every position and then chooses,
// from the end backwards, the parse with the fewest bits (a literal costs
// 9, a match 17), which is never larger than a greedy parse.

namespace {

constexpr int kWindow = 4096;
constexpr int kStartPos = kWindow - 16;
constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 18;
constexpr int kHashSize = 1 << 16;
constexpr int kLiteralBits = 9;
constexpr int kMatchBits = 17;

struct Match {
  uint16_t length; // 0 when no match of kMinMatch bytes exists
  uint16_t windowPos;
};

// Ring position of a byte of the blank-prefixed buffer.
uint16_t WindowPos(size_t bufferIndex) {
  return static_cast<uint16_t>((kStartPos + bufferIndex - kWindow) &
                               (kWindow - 1));
}

unsigned Hash3(const unsigned char* p) {
  return ((p[0] << 8) ^ (p[1] << 4) ^ p[2]) & (kHashSize - 1);
}

// Longest match for every input position. The input is preceded by a
// window's worth of blanks, which is what the ring holds before anything
// is written, so matches may reach back into them; a match may also
// overlap the bytes it produces.
std::vector<Match> FindMatches(const std::vector<unsigned char>& buf,
                               size_t inputSize) {
  std::vector<Match> matches(inputSize);
  std::vector<int32_t> head(kHashSize, -1);
  std::vector<int32_t> prev(kWindow, -1);
  const size_t total = buf.size();

  auto insert = [&](size_t pos) {
    unsigned h = Hash3(&buf[pos]);
    prev[pos % kWindow] = head[h];
    head[h] = static_cast<int32_t>(pos);
  };
  // The blank fill is uniform: only its last positions, where a match can
  // run on into the input, go into the chains; the rest is one source,
  // tried apart below.
  for (size_t pos = kWindow - kMaxMatch; pos < kWindow; ++pos)
    if (pos + 2 < total)
      insert(pos);

  for (size_t i = 0; i < inputSize; ++i) {
    const size_t q = kWindow + i;
    const size_t limit = total - q < kMaxMatch ? total - q : kMaxMatch;
    Match best = {0, 0};
    if (limit >= kMinMatch) {
      const unsigned char* target = &buf[q];
      // A source inside the uniform blank fill, still within reach.
      if (i < kWindow - kMaxMatch) {
        size_t len = 0;
        while (len < limit && target[len] == ' ')
          ++len;
        best.length = static_cast<uint16_t>(len);
        best.windowPos = WindowPos(i + 1);
      }
      // Sources stay less than a whole window back, so that no decoder has
      // to read the slot it is about to overwrite.
      for (int32_t s = best.length >= limit ? -1 : head[Hash3(target)];
           s >= 0 && q - static_cast<size_t>(s) < kWindow;
           s = prev[s % kWindow]) {
        const unsigned char* source = &buf[s];
        // Only a source that matches one byte further can do better.
        if (best.length > 0 && (best.length >= limit ||
                                source[best.length] != target[best.length]))
          continue;
        size_t len = 0;
        while (len < limit && source[len] == target[len])
          ++len;
        if (len > best.length) {
          best.length = static_cast<uint16_t>(len);
          best.windowPos = WindowPos(s);
          if (len == limit)
            break;
        }
        // The chain only holds positions of the last window.
        if (prev[s % kWindow] >= s)
          break;
      }
      if (best.length < kMinMatch)
        best.length = 0;
    }
    matches[i] = best;
    if (q + 2 < total)
      insert(q);
  }
  return matches;
}

// Chosen item length at every position (1 = literal), cheapest parse.
std::vector<uint8_t> ChooseParse(const std::vector<Match>& matches) {
  const size_t n = matches.size();
  std::vector<uint64_t> cost(n + 1, 0);
  std::vector<uint8_t> choice(n, 1);
  for (size_t i = n; i-- > 0;) {
    uint64_t best = kLiteralBits + cost[i + 1];
    uint8_t bestLen = 1;
    for (int len = kMinMatch; len <= matches[i].length; ++len) {
      uint64_t c = kMatchBits + cost[i + len];
      if (c < best) {
        best = c;
        bestLen = static_cast<uint8_t>(len);
      }
    }
    cost[i] = best;
    choice[i] = bestLen;
  }
  return choice;
}

void PutHeader(std::vector<unsigned char>& out, size_t size,
               char replacedChar) {
  static const unsigned char magic[8] = {'S',  'Z',  'D',  'D',
                                         0x88, 0xF0, 0x27, 0x33};
  out.assign(magic, magic + 8);
  out.push_back('A');
  out.push_back(static_cast<unsigned char>(replacedChar));
  const uint32_t n = static_cast<uint32_t>(size);
  for (int shift = 0; shift < 32; shift += 8)
    out.push_back(static_cast<unsigned char>(n >> shift));
}

} // namespace

std::vector<unsigned char> PackSzdd(const unsigned char* data, size_t size,
                                    char replacedChar) {
  std::vector<unsigned char> out;
  PutHeader(out, size, replacedChar);

  // The window starts filled with blanks, followed by the input.
  std::vector<unsigned char> buf(kWindow, ' ');
  for (size_t i = 0; i < size; ++i)
    buf.push_back(data[i]);
  const std::vector<Match> matches = FindMatches(buf, size);
  const std::vector<uint8_t> choice = ChooseParse(matches);

  size_t flagAt = 0;
  int items = 0;
  for (size_t i = 0; i < size;) {
    if (items % 8 == 0) {
      flagAt = out.size();
      out.push_back(0);
    }
    if (choice[i] == 1) {
      out[flagAt] |= static_cast<unsigned char>(1 << (items % 8));
      out.push_back(data[i]);
      i += 1;
    } else {
      const unsigned pos = matches[i].windowPos;
      out.push_back(static_cast<unsigned char>(pos & 0xFF));
      out.push_back(
          static_cast<unsigned char>(((pos >> 4) & 0xF0) | (choice[i] - 3)));
      i += choice[i];
    }
    ++items;
  }
  return out;
}
