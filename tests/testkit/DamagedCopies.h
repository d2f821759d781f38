#pragma once
// Seeded damage to a database file made of pages: the mutation tests of both
// database layers open many such copies and expect rows or a clean error.
#include <QByteArray>

#include <algorithm>
#include <random>

namespace testutil {

// One damaged copy of `good` (whole pages of `pageSize` bytes), chosen by
// `rng`: flipped bits, random bytes, a page of noise, the file cut short, a
// run of zeros, a page copied over another, two pages swapped, or small
// numbers written where pages keep their counts and offsets (the first and
// last bytes of a page).
inline QByteArray DamagedCopy(const QByteArray& good, int pageSize, std::mt19937& rng) {
  QByteArray b = good;
  auto pick = [&rng](qsizetype lo, qsizetype hi) {
    return std::uniform_int_distribution<qsizetype>(lo, hi)(rng);
  };
  const qsizetype pages = b.size() / pageSize;
  switch (pick(0, 7)) {
    case 0:  // a few flipped bits anywhere, often in the first page
      for (qsizetype n = pick(1, 16); n > 0; --n) {
        const qsizetype at = pick(0, 3) == 0 ? pick(0, pageSize - 1) : pick(0, b.size() - 1);
        b[at] = char(b[at] ^ (1 << pick(0, 7)));
      }
      break;
    case 1:  // random bytes anywhere
      for (qsizetype n = pick(1, 40); n > 0; --n) b[pick(0, b.size() - 1)] = char(pick(0, 255));
      break;
    case 2:  // a page of noise
      for (qsizetype i = 0, p = pick(0, pages - 1); i < pageSize; ++i)
        b[p * pageSize + i] = char(pick(0, 255));
      break;
    case 3:  // cut off anywhere
      b.truncate(pick(1, b.size() - 1));
      break;
    case 4:  // a run of zeros
      b.replace(pick(0, b.size() - 1), pick(1, 4096), QByteArray(pick(1, 4096), '\0'));
      b.resize(std::min(b.size(), good.size()));
      break;
    case 5: {  // one page copied over another
      const qsizetype from = pick(0, pages - 1), to = pick(0, pages - 1);
      b.replace(to * pageSize, pageSize, good.mid(from * pageSize, pageSize));
      break;
    }
    case 6: {  // two pages swapped
      const qsizetype x = pick(0, pages - 1), y = pick(0, pages - 1);
      b.replace(x * pageSize, pageSize, good.mid(y * pageSize, pageSize));
      b.replace(y * pageSize, pageSize, good.mid(x * pageSize, pageSize));
      break;
    }
    default:  // small numbers where a page keeps its counts and offsets
      for (qsizetype n = pick(1, 6); n > 0; --n) {
        const qsizetype page = pick(1, pages - 1) * pageSize;
        const qsizetype at = page + (pick(0, 1) ? pick(0, 63) : pageSize - 2 - pick(0, 255));
        const int v = int(pick(0, 3) == 0 ? pick(0, 0xFFFF) : pick(0, pageSize + 64));
        b[at] = char(v & 0xFF);
        b[at + 1] = char(v >> 8);
      }
  }
  return b;
}

}  // namespace testutil
