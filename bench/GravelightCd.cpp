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

std::string CdFolder(const std::string& folder, int rows) {
  return folder + "/gravelight-" + std::to_string(rows);
}

GravelightCd CdAt(const std::string& cdFolder, const std::string& folder) {
  return {cdFolder + "/" + kLaunchFileName, cdFolder + "/" + kDatabaseName,
          folder + "/gravelight-program"};
}

// The picture names the viewer shows: pictures 1-3 of the first record of
// its select-all, and picture 1 of each of the next records that name one,
// until there are kPictureSteps of them.
struct NamedPictures {
  QStringList first;
  QStringList steps;
};

NamedPictures PicturesTheViewerNames(const GravelightCd& cd) {
  GravelightWindow window(cd.programFolder, cd.launchFile);
  window.Show();
  window.RequireNoMessages("while loading");
  if (!window.NamesPicture())
    throw std::runtime_error("the first record of the select-all names no picture");
  NamedPictures names;
  for (int n = 1; n <= 3; ++n)
    if (!window.PictureName(n).isEmpty()) names.first << window.PictureName(n);
  while (names.steps.size() < kPictureSteps) {
    if (!window.CanMoveNext())
      throw std::runtime_error("the select-all has too few records with pictures for the steps");
    window.MoveNext();
    if (window.NamesPicture()) names.steps << window.PictureName();
  }
  window.RequireNoMessages("while stepping");
  return names;
}

// Portraits of the stone for the first record; two different ground views,
// taken in turn, for the steps (so that every step loads another picture).
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
}

void WriteLaunchFile(const std::string& path) {
  std::ofstream file(path, std::ios::binary);
  file << "[SETTING]\r\nDATAFILE=" << kDatabaseName << "\r\n";
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

GravelightCd GravelightCdIn(const std::string& folder, int rows) {
  return CdAt(CdFolder(folder, rows), folder);
}

GravelightCd WriteGravelightCd(const std::string& folder, int rows, const std::string& largeMdb) {
  const std::string target = CdFolder(folder, rows);
  if (fs::exists(target)) return CdAt(target, folder);
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
  WritePictures(kestro, PicturesTheViewerNames(cd));
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
