#include "bench/GravelightCd.h"

#include "bench/BenchPictures.h"
#include "bench/GravelightWindow.h"

#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bench {

namespace fs = std::filesystem;

namespace {

const char kLaunchFileName[] = "gravelight.ini";
const char kDatabaseName[] = "cemetery.mdb";
// Names the large picture; written with it, so its presence tells a CD
// that has one.
const char kLargePictureNote[] = "large-picture.txt";

std::string CdFolder(const std::string& folder, int rows) {
  return folder + "/gravelight-" + std::to_string(rows);
}

GravelightCd CdAt(const std::string& cdFolder, const std::string& folder) {
  return {cdFolder + "/" + kLaunchFileName, cdFolder + "/" + kDatabaseName,
          folder + "/gravelight-program"};
}

// The picture names the viewer shows: pictures 1-3 of the first record of
// its select-all, and picture 1 of each of the next records that name one,
// until there are kPictureSteps of them, then one more for the large picture.
struct NamedPictures {
  QStringList first;
  QStringList steps;
  QString large;
};

// Steps to the next record whose picture the viewer loads; its name.
QString NextNamedPicture(GravelightWindow& window) {
  do {
    if (!window.CanMoveNext())
      throw std::runtime_error("the select-all has too few records with pictures for the steps");
    window.MoveNext();
  } while (!window.NamesPicture());
  return window.PictureName();
}

NamedPictures PicturesTheViewerNames(const GravelightCd& cd) {
  GravelightWindow window(cd.programFolder, cd.launchFile);
  window.Show();
  window.RequireNoMessages("while loading");
  if (!window.NamesPicture())
    throw std::runtime_error("the first record of the select-all names no picture");
  NamedPictures names;
  for (int n = 1; n <= 3; ++n)
    if (!window.PictureName(n).isEmpty()) names.first << window.PictureName(n);
  while (names.steps.size() < kPictureSteps) names.steps << NextNamedPicture(window);
  names.large = NextNamedPicture(window);
  window.RequireNoMessages("while stepping");
  return names;
}

// Portraits of the stone for the first record; two different ground views,
// taken in turn, for the steps (so that every step loads another picture);
// a ground view for the large picture.
void WritePictures(const std::string& kestro, const NamedPictures& names) {
  const auto path = [&](const QString& name) {
    return QString::fromStdString(kestro + "/") + name;
  };
  for (qsizetype i = 0; i < names.first.size(); ++i)
    WriteStonePhoto(path(names.first[i]), 1000 + i, kFirstRecordPictureSize, names.first[i]);
  for (qsizetype i = 0; i < names.steps.size(); ++i) {
    if (i < 2) {
      WriteGroundPhoto(path(names.steps[i]), 2000 + i, kStepPictureSize, names.steps[i]);
    } else {
      fs::copy_file(path(names.steps[i % 2]).toStdString(), path(names.steps[i]).toStdString(),
                    fs::copy_options::overwrite_existing);
    }
  }
  WriteGroundPhoto(path(names.large), 3000, kLargePictureSize, names.large);
}

void WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary);
  file << text;
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

void WriteLaunchFile(const std::string& path) {
  WriteTextFile(path, std::string("[SETTING]\r\nDATAFILE=") + kDatabaseName + "\r\n");
}

}  // namespace

GravelightCd GravelightCdIn(const std::string& folder, int rows) {
  return CdAt(CdFolder(folder, rows), folder);
}

GravelightCd WriteGravelightCd(const std::string& folder, int rows, const std::string& largeMdb) {
  const std::string target = CdFolder(folder, rows);
  if (fs::exists(target + "/" + kLargePictureNote)) return CdAt(target, folder);
  fs::remove_all(target);
  std::fprintf(stderr, "bench: writing %s\n", target.c_str());
  const std::string partial = target + ".partial";
  fs::remove_all(partial);
  fs::create_directories(partial);
  const GravelightCd cd = CdAt(partial, folder);
  fs::create_directories(cd.programFolder);
  fs::copy_file(largeMdb, cd.database);
  WriteLaunchFile(cd.launchFile);
  // The folder must be there when the viewer starts: without it, the viewer
  // shows its fall-back picture instead of the record's.
  const std::string kestro = partial + "/KESTRO";
  fs::create_directories(kestro);
  const NamedPictures names = PicturesTheViewerNames(cd);
  WritePictures(kestro, names);
  WriteTextFile(partial + "/" + kLargePictureNote, names.large.toStdString() + "\n");
  fs::rename(partial, target);
  return CdAt(target, folder);
}

GravelightCd ExistingGravelightCd(const std::string& folder, int rows) {
  const GravelightCd cd = GravelightCdIn(folder, rows);
  if (!fs::is_regular_file(cd.launchFile) || !fs::is_regular_file(cd.database))
    throw std::runtime_error(CdFolder(folder, rows) + " is missing (gl-bench-files writes it)");
  fs::create_directories(cd.programFolder);
  return cd;
}

}  // namespace bench
