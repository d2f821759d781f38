#pragma once
// The benchmark's data CDs: a copy of a large database with its launch file
// and, in its picture folder, the photographs that the viewer shows in the
// benchmark: the first record's, those of the records of the steps and, on
// the cemetery CD, those of the first record a name search finds and the
// three of the first record's cemetery.
//
//   <folder>/gravelight-<rows>/   gravelight.ini, cemetery.mdb, KESTRO/*.JPG
//   <folder>/mournlight-<rows>/   mournlight.ini, obituary.db, IMAGES/*.JPG
//   <folder>/<viewer>-program/    the viewer's program folder
#include "bench/ViewerWindow.h"

#include <QSize>
#include <string>

namespace bench {

struct ViewerCd {
  Viewer viewer;
  std::string launchFile;  // native paths
  std::string database;
  std::string programFolder;
  std::string pictureFolder;
};

// The pictures' sizes: the cemetery CD's first record (and the first record
// of its name search) has portraits of its stone; every other picture, on
// the steps, of the information window and on the obituary CD, is as large
// as a camera's or a scanner's.
inline constexpr QSize kStonePictureSize{1200, 1600};
inline constexpr QSize kLargePictureSize{3000, 2000};
// On the cemetery CD, the record after the steps has a camera picture of 48
// megapixels.
inline constexpr QSize kCameraPictureSize{8000, 6000};
// How many steps to a record with a picture the CDs have pictures for.
inline constexpr int kPictureSteps = 20;

// The size of the picture the viewer's first record shows.
QSize FirstRecordPictureSize(Viewer viewer);

// Where the CD for the database with `rows` rows lives below `folder`.
ViewerCd ViewerCdIn(Viewer viewer, const std::string& folder, int rows);

// Writes the CD unless it is there (into a temporary folder first, so that an
// interrupted run leaves nothing for reuse). `largeDatabase` is the
// generated file; the viewer itself, started on it, tells which pictures
// its records name. Needs the widget application.
ViewerCd WriteViewerCd(Viewer viewer, const std::string& folder, int rows,
                       const std::string& largeDatabase);

// The CD, or a std::runtime_error when it is missing.
ViewerCd ExistingViewerCd(Viewer viewer, const std::string& folder, int rows);

}  // namespace bench
