// Damaged copies of a Jet 4 and a Jet 3 fixture: every open ends with rows or
// a run-time error, never a crash or a hang of the program. The copies of
// each version are split into parts that run as tests of their own.
#include "DaoFixtures.h"
#include "tests/testkit/DamagedCopies.h"

#include "platform/dao/Dao.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <map>
#include <random>

using namespace daotest;

namespace {

constexpr int kParts = 4;
constexpr int kCopiesPerPart = 260;  // more than 1,000 copies of each version

struct MutationCase {
  jetwriter::JetVersion version;
  int part;
};

class MutationTest : public ::testing::TestWithParam<MutationCase> {
 protected:
  // A burial table of 300 rows, some with memos long enough for a chain of
  // long-value pages, and the version table.
  QByteArray WriteFixture() {
    std::vector<std::vector<vb::Variant>> rows;
    QString memo;
    while (memo.size() < 9000) memo += QStringLiteral("long memo text ");
    for (int i = 0; i < 300; ++i)
      rows.push_back({QStringLiteral("Last%1").arg(i), "Given", "Oak Hill", "A",
                      QString::number(i % 40), "1", QString::number(i % 7), int32_t(i),
                      vb::DateValue{double(i * 100 - 5000)}, i % 3 == 0,
                      i % 50 == 0 ? memo : QStringLiteral("short")});
    Table versht{"VERSHT", {{"dbver", ColumnType::Text, 10}}, {{"3.0"}}};
    dir_.Write("base.mdb", {BurialTable(rows), versht}, {GetParam().version, 1252});
    QFile base(dir_.Native("base.mdb"));
    return base.open(QIODevice::ReadOnly) ? base.readAll() : QByteArray();
  }

  // Opens the copy and reads every value the viewers read; 0 when all was
  // read, kRowsLost when the burial table opened without all its rows, else
  // the number of the error.
  static constexpr int kRowsLost = -1;
  int Outcome(const QString& name) {
    try {
      auto db = dao::DBEngine().Workspaces(0).OpenDatabase(dir_.Windows(name), true, true);
      for (const QString table : {"Sheet1", "VERSHT"}) {
        auto rs = db->OpenRecordset("SELECT * FROM " + table);
        if (table == "Sheet1" && rs->RecordCount() != 300) return kRowsLost;
        if (rs->AbsolutePosition() < 0) continue;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
          if (table == "VERSHT") rs->Fields()("dbver").Value();
          else for (const char* field : kSheetFields) rs->Fields()(field).Value();
        }
      }
      return 0;
    } catch (const vb::VbError& e) {
      return e.Number();
    }
  }

  static constexpr const char* kSheetFields[] = {"LastName", "Given", "Cemetery", "Section",
                                                  "ROW",      "LOT",   "STONE",    "Age",
                                                  "Born",     "Veteran", "Notes"};
  FixtureDir dir_;
};

TEST_P(MutationTest, DamagedCopiesOpenOrFailCleanly) {
  const QByteArray original = WriteFixture();
  ASSERT_FALSE(original.isEmpty());
  const bool jet4 = GetParam().version == jetwriter::JetVersion::Jet4;
  std::mt19937 random(20240601 + 97 * GetParam().part + (jet4 ? 0 : 50000));
  std::map<int, int> outcomes;
  for (int copy = 0; copy < kCopiesPerPart; ++copy) {
    // A fresh name each time: every copy is read, not taken from the cache.
    const QString name = QStringLiteral("m%1.mdb").arg(copy);
    QFile out(dir_.Native(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(testutil::DamagedCopy(original, jet4 ? 4096 : 2048, random));
    out.close();
    const int outcome = Outcome(name);
    // Damage the open detects is 3049 (or 3343 for a header that is no
    // longer Jet's); a catalog that lost a table gives 3078 for it, one
    // whose column names changed 3265 for the names asked for.
    EXPECT_TRUE(outcome == 0 || outcome == 3049 || outcome == 3343 || outcome == 3078 ||
                outcome == 3265)
        << "copy " << copy << " gave " << outcome;
    ++outcomes[outcome];
    QFile::remove(dir_.Native(name));
  }
  std::printf("%s part %d:", jet4 ? "Jet 4" : "Jet 3", GetParam().part);
  for (const auto& [number, count] : outcomes) std::printf(" %d x %d", count, number);
  std::printf("\n");
  EXPECT_GT(outcomes[3049], 0);
}

std::vector<MutationCase> Cases() {
  std::vector<MutationCase> cases;
  for (auto version : {jetwriter::JetVersion::Jet4, jetwriter::JetVersion::Jet3})
    for (int part = 0; part < kParts; ++part) cases.push_back({version, part});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Copies, MutationTest, ::testing::ValuesIn(Cases()),
                         [](const auto& info) {
                           return std::string(info.param.version == jetwriter::JetVersion::Jet4
                                                  ? "Jet4"
                                                  : "Jet3") +
                                  "Part" + std::to_string(info.param.part);
                         });

}  // namespace
