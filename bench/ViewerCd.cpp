#include "bench/ViewerCd.h"

#include "bench/BenchPictures.h"
#include "bench/GravelightActions.h"

#include <QSet>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace bench {

namespace fs = std::filesystem;

namespace {

struct CdLayout {
  const char* folderStem;  // <folder>/<stem>-<rows>, <folder>/<stem>-program
  const char* launchFileName;
  const char* databaseName;
  const char* pictureFolderName;
};

const CdLayout& LayoutOf(Viewer viewer) {
  static const CdLayout gravelight{"gravelight", "gravelight.ini", "cemetery.mdb", "KESTRO"};
  static const CdLayout mournlight{"mournlight", "mournlight.ini", "obituary.db", "IMAGES"};
  return viewer == Viewer::Gravelight ? gravelight : mournlight;
}

std::string CdFolder(Viewer viewer, const std::string& folder, int rows) {
  return folder + "/" + LayoutOf(viewer).folderStem + "-" + std::to_string(rows);
}

ViewerCd CdAt(Viewer viewer, const std::string& cdFolder, const std::string& folder) {
  const CdLayout& layout = LayoutOf(viewer);
  return {viewer, cdFolder + "/" + layout.launchFileName, cdFolder + "/" + layout.databaseName,
          folder + "/" + layout.folderStem + "-program",
          cdFolder + "/" + layout.pictureFolderName};
}

// The picture names the viewer shows: pictures 1-3 of the first record of
// its select-all, picture 1 of each of the next records that name one until
// there are kPictureSteps of them and, in the cemetery viewer, the three
// pictures of the first record's cemetery and pictures 1-3 of the first
// record the name search finds, and picture 1 of the next record with one
// after the steps (the camera picture).
struct NamedPictures {
  QStringList first;
  QStringList steps;
  QStringList info;
  QStringList found;
  QString camera;
};

// Steps to the next record that names a picture; its name.
QString NextNamedPicture(ViewerWindow& window) {
  do {
    if (!window.CanMoveNext())
      throw std::runtime_error("the select-all has too few records with pictures for the steps");
    window.MoveNext();
  } while (!window.NamesPicture());
  return window.PictureName();
}

QStringList ShownPictureNames(const ViewerWindow& window) {
  QStringList names;
  for (int n = 1; n <= 3; ++n)
    if (!window.PictureName(n).isEmpty()) names << window.PictureName(n);
  return names;
}

NamedPictures PicturesTheViewerNames(const ViewerCd& cd) {
  ViewerWindow window(cd.viewer, cd.programFolder, cd.launchFile);
  window.Show();
  window.RequireNoMessages("while loading");
  if (!window.NamesPicture())
    throw std::runtime_error("the first record of the select-all names no picture");
  NamedPictures names;
  names.first = ShownPictureNames(window);
  const bool cemetery = cd.viewer == Viewer::Gravelight;
  if (cemetery)
    ShowCemeteryInformation(window,
                            [&names](QWidget& info) { names.info = InfoPictureNames(info); });
  while (names.steps.size() < kPictureSteps) names.steps << NextNamedPicture(window);
  if (cemetery) names.camera = NextNamedPicture(window);
  window.RequireNoMessages("while stepping");
  if (cemetery) {
    PrepareNameSearch(window);
    window.Click(kNameSearchButton);
    window.RequireNoMessages("on the name search");
    names.found = ShownPictureNames(window);
  }
  return names;
}

// The record pictures are portraits of the stone (cemetery) or scanned
// pages (obituaries); two different large pictures, taken in turn, serve
// the steps, so that every step loads another picture; the information
// window gets a gate, a view and a chapel.
void WritePictures(const ViewerCd& cd, const NamedPictures& names) {
  const bool cemetery = cd.viewer == Viewer::Gravelight;
  QSet<QString> written;
  const auto path = [&](const QString& name) {
    return QString::fromStdString(cd.pictureFolder + "/") + name;
  };
  const auto recordPicture = [&](const QString& name, uint32_t seed) {
    if (written.contains(name)) return;
    written.insert(name);
    if (cemetery)
      WriteStonePhoto(path(name), seed, kStonePictureSize, name);
    else
      WriteClippingScan(path(name), seed, kLargePictureSize, name);
  };
  for (qsizetype i = 0; i < names.first.size(); ++i) recordPicture(names.first[i], 1000 + i);
  for (qsizetype i = 0; i < names.found.size(); ++i) recordPicture(names.found[i], 1100 + i);
  for (qsizetype i = 0; i < names.steps.size(); ++i) {
    const QString& name = names.steps[i];
    if (written.contains(name)) continue;
    written.insert(name);
    if (i >= 2)
      fs::copy_file(path(names.steps[i % 2]).toStdString(), path(name).toStdString(),
                    fs::copy_options::overwrite_existing);
    else if (cemetery)
      WriteScenePhoto(path(name), 2000 + i, kLargePictureSize, democd::SceneKind::Overview, name);
    else
      WriteClippingScan(path(name), 2000 + i, kLargePictureSize, name);
  }
  const democd::SceneKind kinds[] = {democd::SceneKind::Gate, democd::SceneKind::Overview,
                                     democd::SceneKind::Chapel};
  for (qsizetype i = 0; i < names.info.size() && i < 3; ++i) {
    if (names.info[i].isEmpty() || written.contains(names.info[i])) continue;
    written.insert(names.info[i]);
    WriteScenePhoto(path(names.info[i]), 3000 + i, kLargePictureSize, kinds[i], names.info[i]);
  }
  if (!names.camera.isEmpty() && !written.contains(names.camera))
    WriteScenePhoto(path(names.camera), 4000, kCameraPictureSize, democd::SceneKind::Overview,
                    names.camera);
}

void WriteLaunchFile(const std::string& path, const std::string& databaseName) {
  std::ofstream file(path, std::ios::binary);
  file << "[SETTING]\r\nDATAFILE=" << databaseName << "\r\n";
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace

QSize FirstRecordPictureSize(Viewer viewer) {
  return viewer == Viewer::Gravelight ? kStonePictureSize : kLargePictureSize;
}

ViewerCd ViewerCdIn(Viewer viewer, const std::string& folder, int rows) {
  return CdAt(viewer, CdFolder(viewer, folder, rows), folder);
}

ViewerCd WriteViewerCd(Viewer viewer, const std::string& folder, int rows,
                       const std::string& largeDatabase) {
  const std::string target = CdFolder(viewer, folder, rows);
  if (fs::exists(target)) return CdAt(viewer, target, folder);
  std::fprintf(stderr, "bench: writing %s\n", target.c_str());
  const std::string partial = target + ".partial";
  fs::remove_all(partial);
  fs::create_directories(partial);
  const ViewerCd cd = CdAt(viewer, partial, folder);
  fs::create_directories(cd.programFolder);
  fs::copy_file(largeDatabase, cd.database);
  WriteLaunchFile(cd.launchFile, LayoutOf(viewer).databaseName);
  // The folder must be there when the viewer starts: without it, the viewer
  // shows its fall-back picture instead of the record's.
  fs::create_directories(cd.pictureFolder);
  WritePictures(cd, PicturesTheViewerNames(cd));
  fs::rename(partial, target);
  return CdAt(viewer, target, folder);
}

ViewerCd ExistingViewerCd(Viewer viewer, const std::string& folder, int rows) {
  const ViewerCd cd = ViewerCdIn(viewer, folder, rows);
  if (!fs::is_regular_file(cd.launchFile) || !fs::is_regular_file(cd.database))
    throw std::runtime_error(CdFolder(viewer, folder, rows) +
                             " is missing (gl-bench-files writes it)");
  fs::create_directories(cd.programFolder);
  return cd;
}

}  // namespace bench
