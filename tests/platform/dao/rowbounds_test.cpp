// Lengths and offsets that a damaged file gives for a row, a value or a long
// value are checked against the page before anything is read: a value that
// does not fit makes the open fail with 3049, never a read outside the page
// and never a wrong value shown as stored.
#include "DaoFixtures.h"
#include "tests/testkit/Errors.h"

#include "platform/dao/Dao.h"

#include <QFile>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

using namespace daotest;
using vb::Variant;

namespace {

// Where the fixture's one row lies in the file, and its parts.
struct RowPlace {
  qsizetype page = -1;  // file offset of the data page
  int pageSize = 0;
  int countOffset = 0;  // the page's row count; the row table follows
  int start = 0;        // the row's offset in the page
  int end = 0;          // the row's last byte in the page
  bool jet4 = true;
};

uint16_t U16(const QByteArray& b, qsizetype at) {
  return uint16_t(uint8_t(b[at]) | (uint8_t(b[at + 1]) << 8));
}
void PutU16(QByteArray& b, qsizetype at, uint16_t v) {
  b[at] = char(v & 0xFF);
  b[at + 1] = char(v >> 8);
}

// A table T (Id Long, Name Text, Note Memo) holding one row whose memo lives
// on a long-value page.
class RowBoundsTest : public ::testing::TestWithParam<jetwriter::JetVersion> {
 protected:
  static constexpr char kName[] = "MARKERNAME";

  void SetUp() override {
    const bool jet4 = GetParam() == jetwriter::JetVersion::Jet4;
    QString memo;
    while (memo.size() < 600) memo += QStringLiteral("long note ");
    memo_ = memo;
    Table t{"T",
            {{"Id", ColumnType::Long}, {"Name", ColumnType::Text, 20}, {"Note", ColumnType::Memo}},
            {{int32_t(7), QString::fromLatin1(kName), memo}}};
    dir_.Write("good.mdb", {t}, {GetParam(), 1252});
    QFile f(dir_.Native("good.mdb"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    good_ = f.readAll();
    place_.jet4 = jet4;
    place_.pageSize = jet4 ? 4096 : 2048;
    place_.countOffset = jet4 ? 12 : 8;
    const QByteArray marker =
        jet4 ? QByteArray::fromRawData(reinterpret_cast<const char*>(u"MARKERNAME"), 20)
             : QByteArray(kName);
    const qsizetype at = good_.indexOf(marker);
    ASSERT_GE(at, 0) << "the name is not stored as expected";
    place_.page = at - at % place_.pageSize;
    ASSERT_EQ(U16(good_, place_.page + place_.countOffset), 1);
    place_.start = U16(good_, place_.page + place_.countOffset + 2);
    place_.end = place_.pageSize - 1;
  }

  // The offset (in the page) of entry `i` of the row's table of variable
  // columns; entry 0 is Name, 1 Note, 2 the end of the data.
  qsizetype VarOffsetAt(int i) const {
    const int mask = 1;
    return place_.page + (place_.jet4 ? place_.end - mask - 3 - 2 * i : place_.end - mask - 1 - i);
  }
  int VarOffset(const QByteArray& b, int i) const {
    return place_.jet4 ? U16(b, VarOffsetAt(i)) : uint8_t(b[VarOffsetAt(i)]);
  }
  void SetVarOffset(QByteArray& b, int i, int v) const {
    if (place_.jet4) PutU16(b, VarOffsetAt(i), uint16_t(v));
    else b[VarOffsetAt(i)] = char(v);
  }
  // The file offset of the memo's 12-byte head.
  qsizetype MemoHead(const QByteArray& b) const {
    return place_.page + place_.start + VarOffset(b, 1);
  }

  // Opens the file and reads every value of T; 0 when all were read.
  int Outcome(const QByteArray& bytes, std::vector<Variant>* values = nullptr) {
    const QString name = QStringLiteral("c%1.mdb").arg(++copies_);
    QFile f(dir_.Native(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) return -1;
    f.close();
    return testutil::ErrorOf([&] {
      auto db = dao::DBEngine().OpenDatabase(dir_.Windows(name), true, true);
      auto rs = db->OpenRecordset("SELECT * FROM T");
      for (; !rs->EOF_(); rs->MoveNext())
        for (const char* field : {"Id", "Name", "Note"}) {
          const Variant v = rs->Fields()(field).Value();
          if (values) values->push_back(v);
        }
    });
  }

  FixtureDir dir_;
  QByteArray good_;
  QString memo_;
  RowPlace place_;
  int copies_ = 0;
};

TEST_P(RowBoundsTest, TheUndamagedRowReadsAsWritten) {
  std::vector<Variant> values;
  ASSERT_EQ(Outcome(good_, &values), 0);
  const std::vector<Variant> expected = {int32_t(7), QString::fromLatin1(kName), memo_};
  EXPECT_EQ(values, expected);
  EXPECT_EQ(VarOffset(good_, 1) - VarOffset(good_, 0), place_.jet4 ? 20 : 10);
}

// A row written before columns were added to its table holds fewer columns:
// the missing ones read as Null.
TEST_P(RowBoundsTest, ColumnsTheRowDoesNotHoldAreNull) {
  QByteArray bytes = good_;
  if (place_.jet4) PutU16(bytes, place_.page + place_.start, 1);
  else bytes[place_.page + place_.start] = char(1);
  std::vector<Variant> values;
  ASSERT_EQ(Outcome(bytes, &values), 0);
  const std::vector<Variant> expected = {int32_t(7), Variant::Null(), Variant::Null()};
  EXPECT_EQ(values, expected);
}

TEST_P(RowBoundsTest, DamagedLengthsAndOffsetsFailTheOpen) {
  const RowPlace& p = place_;
  const qsizetype rowTable = p.page + p.countOffset + 2;
  const int lvalPageRow = int(good_.size() / p.pageSize - 1) << 8;  // a row of the last page
  struct Damage {
    const char* what;
    std::function<void(QByteArray&)> apply;
  };
  const Damage damages[] = {
      {"a text whose end lies before its start",
       [&](QByteArray& b) { SetVarOffset(b, 1, VarOffset(b, 0) - 1); }},
      {"a text that starts beyond the row",
       [&](QByteArray& b) { SetVarOffset(b, 0, p.jet4 ? 0x0FF0 : 0xF0); }},
      {"a row that starts inside the page's row table",
       [&](QByteArray& b) { PutU16(b, rowTable, uint16_t(p.countOffset)); }},
      {"a row that starts beyond the page",
       [&](QByteArray& b) { PutU16(b, rowTable, uint16_t(p.pageSize + 8)); }},
      {"a row with more columns than it has room for",
       [&](QByteArray& b) {
         if (p.jet4) PutU16(b, p.page + p.start, 0x0FFF);
         else b[p.page + p.start] = char(0xFF);
       }},
      {"a row table longer than the page",
       [&](QByteArray& b) { PutU16(b, p.page + p.countOffset, 0x7FFF); }},
      {"a memo on the catalog's definition page",
       [&](QByteArray& b) { PutU16(b, MemoHead(b) + 4, uint16_t(2 << 8)); }},
      {"a memo on a page beyond the file",
       [&](QByteArray& b) {
         const uint32_t far = uint32_t(good_.size() / p.pageSize + 5) << 8;
         PutU16(b, MemoHead(b) + 4, uint16_t(far));
         PutU16(b, MemoHead(b) + 6, uint16_t(far >> 16));
       }},
      {"a memo in a row its page does not have",
       [&](QByteArray& b) { b[MemoHead(b) + 4] = char(40); }},
      {"a memo longer than its value",
       [&](QByteArray& b) {
         // Stored on one page (flag 0x40000000), claiming 3000 bytes more.
         const uint32_t head = uint32_t(U16(b, MemoHead(b))) | uint32_t(U16(b, MemoHead(b) + 2)) << 16;
         const uint32_t length = (head & 0x3FFFFFFFu) + 3000;
         PutU16(b, MemoHead(b), uint16_t(length));
         PutU16(b, MemoHead(b) + 2, uint16_t((length >> 16) | 0x4000));
         PutU16(b, MemoHead(b) + 4, uint16_t(lvalPageRow));
         PutU16(b, MemoHead(b) + 6, uint16_t(lvalPageRow >> 16));
       }},
  };
  for (const Damage& d : damages) {
    QByteArray bytes = good_;
    d.apply(bytes);
    ASSERT_NE(bytes, good_) << d.what;
    std::vector<Variant> values;
    EXPECT_EQ(Outcome(bytes, &values), 3049) << d.what << "; read: " << ::testing::PrintToString(values);
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, RowBoundsTest,
                         ::testing::Values(jetwriter::JetVersion::Jet4, jetwriter::JetVersion::Jet3),
                         [](const auto& info) {
                           return info.param == jetwriter::JetVersion::Jet4 ? "Jet4" : "Jet3";
                         });

}  // namespace
