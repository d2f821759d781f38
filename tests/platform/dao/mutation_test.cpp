// Damaged copies of a fixture: every open ends with rows or a run-time error,
// never a crash or a hang of the program.
#include "DaoFixtures.h"

#include "platform/dao/Dao.h"
#include "platform/vb/VbError.h"

#include <QFile>
#include <gtest/gtest.h>

#include <random>

using namespace daotest;

namespace {

TEST(MutationTest, DamagedCopiesOpenOrFailCleanly) {
  FixtureDir dir;
  std::vector<std::vector<vb::Variant>> rows;
  QString memo;
  while (memo.size() < 9000) memo += QStringLiteral("long memo text ");
  for (int i = 0; i < 300; ++i)
    rows.push_back({QStringLiteral("Last%1").arg(i), "Given", "Oak Hill", "A",
                    QString::number(i % 40), "1", QString::number(i % 7), int32_t(i),
                    vb::DateValue{double(i * 100 - 5000)}, i % 3 == 0,
                    i % 50 == 0 ? memo : QStringLiteral("short")});
  Table versht{"VERSHT", {{"dbver", ColumnType::Text, 10}}, {{"3.0"}}};
  dir.Write("base.mdb", {BurialTable(rows), versht});
  QFile base(dir.Native("base.mdb"));
  ASSERT_TRUE(base.open(QIODevice::ReadOnly));
  const QByteArray original = base.readAll();

  std::mt19937 random(20240601);
  int opened = 0, failed = 0;
  for (int copy = 0; copy < 200; ++copy) {
    QByteArray bytes = original;
    for (int k = 0; k < 40; ++k) {
      const auto at = std::uniform_int_distribution<qsizetype>(0, bytes.size() - 1)(random);
      bytes[at] = char(std::uniform_int_distribution<int>(0, 255)(random));
    }
    // A fresh name each time: every copy is read, not taken from the cache.
    const QString name = QStringLiteral("m%1.mdb").arg(copy);
    QFile out(dir.Native(name));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
    out.close();
    try {
      auto db = dao::DBEngine().Workspaces(0).OpenDatabase(dir.Windows(name), true, true);
      for (const QString table : {"Sheet1", "VERSHT"}) {
        auto rs = db->OpenRecordset("SELECT * FROM " + table);
        if (rs->AbsolutePosition() < 0) continue;
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
          for (const char* field : {"LastName", "Notes", "Born"})
            if (table == "Sheet1") rs->Fields()(field).Value();
      }
      ++opened;
    } catch (const vb::VbError& e) {
      EXPECT_GT(e.Number(), 0);
      ++failed;
    }
    QFile::remove(dir.Native(name));
  }
  EXPECT_EQ(opened + failed, 200);
  std::printf("damaged copies: %d opened, %d refused\n", opened, failed);
}

}  // namespace
