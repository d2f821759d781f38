#pragma once
// Generator of the demo data CDs and of large databases for benchmarks.
//
// WriteDemoCd(folder) writes two CD images below the folder:
//   cemetery/  gravelight.ini (launch file), cemetery.mdb, cstmflds.ini, KESTRO/*.JPG
//   obituary/  mournlight.ini (launch file), obituary.db, IMAGES/*.JPG
// Every launch file names its database relative to its own folder, which is
// also the data folder the viewer takes its pictures from. The output is the
// same on every run. Failures throw std::runtime_error.
#include <QString>

namespace democd {

struct DemoCdFiles {
  QString gravelightLaunchFile;  // native paths
  QString cemeteryDatabase;
  QString mournlightLaunchFile;
  QString obituaryDatabase;
};

DemoCdFiles WriteDemoCd(const QString& folder);

// Writes a cemetery .mdb (Sheet1 in the current layout with `rows` burials,
// CemSheet, VERSHT) at the native path.
void WriteLargeCemetery(const QString& path, int rows = 100000);

// Writes an obituary .db (ObitData with `rows` obituaries, SourcesSheet,
// ArchiveSheet, VERSHT) at the native path.
void WriteLargeObituaries(const QString& path, int rows = 100000);

}  // namespace democd
