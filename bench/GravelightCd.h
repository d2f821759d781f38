#pragma once
// The benchmark's cemetery CD: a copy of the large cemetery .mdb with its
// launch file and, in its KESTRO folder, the photographs that the viewer's
// first record and the records of the benchmark's steps name.
//
//   <folder>/gravelight-<rows>/   gravelight.ini, cemetery.mdb, KESTRO/*.JPG,
//                                 large-picture.txt
//   <folder>/gravelight-program/  the viewer's program folder
#include <QSize>
#include <string>

namespace bench {

struct GravelightCd {
  std::string launchFile;     // native paths
  std::string database;
  std::string programFolder;
};

// The size of the first record's photographs and of those on the steps.
inline constexpr QSize kFirstRecordPictureSize{1200, 1600};
inline constexpr QSize kStepPictureSize{3000, 2000};
// How many steps to a record with a photograph the CD has pictures for.
inline constexpr int kPictureSteps = 20;
// The photograph of the next record with one after those steps: a camera
// picture of 48 megapixels.
inline constexpr QSize kLargePictureSize{8000, 6000};

// Where the CD for the cemetery file with `rows` rows lives below `folder`.
GravelightCd GravelightCdIn(const std::string& folder, int rows);

// Writes the CD unless it is there (into a temporary folder first, so that an
// interrupted run leaves nothing for reuse); a CD written before it had its
// large picture is written anew. `largeMdb` is the generated
// file; the viewer itself, started on it, tells which pictures its records
// name. Needs the widget application.
GravelightCd WriteGravelightCd(const std::string& folder, int rows, const std::string& largeMdb);

// The CD, or a std::runtime_error when it is missing.
GravelightCd ExistingGravelightCd(const std::string& folder, int rows);

}  // namespace bench
