// jetwrite: writes a Jet 4 .mdb file from CSV files, one table each.
//
//   jetwrite OUT.mdb NAME[@FLAGS]=FILE.csv ...
//
// FLAGS is the catalog entry's Flags (decimal or 0x...), 0 when left out;
// 0x80000002 makes a system table. See CsvTable.h for the CSV layout.
#include "tools/jetwriter/CsvTable.h"
#include "tools/jetwriter/JetWriter.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

int Usage() {
  std::fputs("usage: jetwrite OUT.mdb NAME[@FLAGS]=FILE.csv ...\n"
             "  first CSV row: Name:Type[:Size] per column; types Boolean, Byte, Integer,\n"
             "  Long, Double, DateTime, Text, Memo\n",
             stderr);
  return 2;
}

jetwriter::Table TableFromArgument(const QString& argument) {
  qsizetype equals = argument.indexOf('=');
  if (equals <= 0) throw std::runtime_error("not NAME=FILE: " + argument.toStdString());
  QString name = argument.left(equals);
  uint32_t flags = 0;
  if (qsizetype at = name.lastIndexOf('@'); at >= 0) {
    bool ok = false;
    flags = name.mid(at + 1).toUInt(&ok, 0);
    if (!ok) throw std::runtime_error("bad flags in " + argument.toStdString());
    name = name.left(at);
  }
  jetwriter::Table table = jetwriter::ReadCsvTable(name, argument.mid(equals + 1));
  table.catalogFlags = flags;
  return table;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  if (args.size() < 2) return Usage();
  try {
    std::vector<jetwriter::Table> tables;
    for (const QString& a : args.mid(1)) tables.push_back(TableFromArgument(a));
    jetwriter::WriteMdb(args[0], tables);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "jetwrite: %s\n", e.what());
    return 1;
  }
  return 0;
}
