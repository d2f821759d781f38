#pragma once
// The floor of decoding a Jet file: libmdb's own export tool on one table.
#include <string>

namespace bench {

// Seconds that `mdb-export <mdbPath> <table>` takes with its output thrown away.
double MdbExportSeconds(const std::string& mdbPath, const std::string& table);

}  // namespace bench
