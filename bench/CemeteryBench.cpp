#include "bench/CemeteryBench.h"

#include "bench/Figures.h"
#include "bench/LargeFiles.h"
#include "platform/dao/Dao.h"
#include "platform/dao/JetLoader.h"
#include "platform/vb/VbError.h"
#include "platform/win/Win.h"

#include <filesystem>
#include <stdexcept>

namespace bench {

namespace {

const QString kNaturalSelectAll =
    "SELECT * FROM Sheet1 ORDER BY Sheet1.Cemetery, Sheet1.Section, val(Sheet1.ROW), "
    "Sheet1.LOT, val(Sheet1.STONE);";
// What the viewer opens instead when the natural order raises 3464 (blank
// ROW or STONE values).
const QString kPlainSelectAll =
    "SELECT * FROM Sheet1 ORDER BY Sheet1.Cemetery, Sheet1.Section, Sheet1.ROW, Sheet1.LOT, "
    "Sheet1.STONE;";

// A name search, as the user runs between two select-alls.
const QString kNameSearch =
    "SELECT * FROM Sheet1 WHERE Lastname LIKE 'Sm*' ORDER BY Sheet1.LASTNAME, Sheet1.GIVEN;";

// The column reads of the record display for one row of a version-3 table,
// in its order: the field boxes 0-14, the picture names, boxes 15-27 and
// 34-36 (boxes 28-33 read nothing), the record text's own reads, then the
// identifier, cemetery and picture names once more.
const QString kDisplayReads[] = {
    "ID", "Lastname", "Given", "Birth", "Death", "YR", "MO", "DA", "Row", "Lot", "Stone",
    "Notes", "Other", "Section", "Cemetery",
    "Pix1", "Pix2", "Pix3",
    "Relationship", "BirthPlace", "DeathPlace", "StoneType", "StoneCondition",
    "Custom1", "Custom2", "Custom3", "Custom4", "Custom5", "IsVeteran", "VetInfo",
    "Inscriptions",
    "Owner", "PurchDate", "BurialDate",
    "Lastname", "Given", "Birth", "Death", "Notes", "Other",
    "ID", "Cemetery",
    "Pix1", "Pix2", "Pix3"};

QString WindowsForm(const std::string& nativePath) {
  return win::ToWindowsPath(QString::fromStdString(nativePath));
}

std::unique_ptr<dao::Database> OpenReadOnly(const std::string& nativePath) {
  return dao::DBEngine().Workspaces(0).OpenDatabase(WindowsForm(nativePath), false, true);
}

}  // namespace

CemeteryBench::CemeteryBench(const std::string& mdbPath, const std::string& folder)
    : workingCopy_(folder + "/cold-open.mdb") {
  std::filesystem::copy_file(mdbPath, workingCopy_,
                             std::filesystem::copy_options::overwrite_existing);
}

double CemeteryBench::SelectAllSeconds() {
  return Seconds([this] {
    auto database = OpenReadOnly(workingCopy_);
    std::unique_ptr<dao::Recordset> rows;
    try {
      rows = database->OpenRecordset(kNaturalSelectAll);
    } catch (const vb::VbError& e) {
      if (e.Number() != vb::err::TypeMismatchDb) throw;
      usedPlainOrder_ = true;
      rows = database->OpenRecordset(kPlainSelectAll);
    }
    rows->MoveLast();
    rows->MoveFirst();
  });
}

double CemeteryBench::ColdSelectAllSeconds() {
  GiveNewModificationTime(workingCopy_, ++coldRuns_);
  return SelectAllSeconds();
}

double CemeteryBench::ReaderPeakMegabytes() const {
  return static_cast<double>(dao::LastReaderPeakKilobytes()) / 1024.0;
}

double CemeteryBench::WarmSelectAllSeconds() {
  // The engine keeps the rows of the statement it ran last, so a select-all
  // straight after another one would only measure that; the select-all that
  // takes time on a warm engine is the one after another search.
  OpenReadOnly(workingCopy_)->OpenRecordset(kNameSearch);
  return SelectAllSeconds();
}

double CemeteryBench::RowReadMicroseconds() {
  auto database = OpenReadOnly(workingCopy_);
  auto rows = usedPlainOrder_ ? database->OpenRecordset(kPlainSelectAll)
                              : database->OpenRecordset(kNaturalSelectAll);
  rows->MoveLast();
  rows->MoveFirst();
  const int count = rows->RecordCount();
  if (count == 0) throw std::runtime_error("Sheet1 has no rows");
  volatile int nulls = 0;  // keeps the reads from being optimised away
  const double seconds = Seconds([&] {
    while (!rows->EOF_()) {
      const dao::FieldList fields = rows->Fields();
      for (const QString& name : kDisplayReads)
        if (fields(name).Value().IsNull()) nulls = nulls + 1;
      rows->MoveNext();
    }
  });
  return seconds * 1e6 / count;
}

}  // namespace bench
