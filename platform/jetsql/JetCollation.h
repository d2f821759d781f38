#pragma once
// The collation with which text compares and sorts as in Jet's general sort
// order (registered as kJetCollation by RegisterJetFunctions).
#include <QStringView>

namespace sqlitedb {

// Compares two texts as Jet's general sort order does: first by their
// letters without regard to case or accents ("Çelik" among the C names,
// "Ødegård" among the O names; Æ, Œ, ß and Þ as two letters), then, for
// texts equal so far, by their accents, still without regard to case. So
// "Muller" < "Müller" < "Mullers", "abc" = "ABC" and "Müller" = "MÜLLER",
// while "Muller" <> "Müller". <0, 0 or >0.
int CompareJetText(QStringView a, QStringView b);

// The same for the engine: two texts as database bytes (UTF-8, or
// Windows-1252 when not valid UTF-8). ASCII runs compare byte by byte
// without a decoding.
int JetTextCollation(void*, int size1, const void* text1, int size2, const void* text2);

}  // namespace sqlitedb
