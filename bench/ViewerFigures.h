#pragma once
// Timings of single actions in a viewer's main window that is already
// loaded (its database read once): a search, the information window and
// the rebuild of the obituary text.
#include "bench/ViewerCd.h"
#include "bench/ViewerWindow.h"

#include <vector>

namespace bench {

// The cemetery viewer: milliseconds from the click of the name search for
// "Sm*" in Last Name, in placement order, to its first record shown with
// its picture painted. Each run follows a select-all (untimed), as a user's
// search follows another selection: the engine keeps the rows of the
// statement it ran last, so the same search twice in a row would only
// measure that.
std::vector<double> NameSearchMilliseconds(ViewerWindow& window, int runs);

// The cemetery viewer, on the first record of the select-all: milliseconds
// from the click of "Show Cemetery Information" to the (modal) information
// window shown with its text and its three pictures, painted. The test host
// runs a script while a modal window is shown; the time is taken there,
// once the window's pending paints have run, and the script then closes
// the window with OK (not timed).
std::vector<double> CemInfoOpenMilliseconds(ViewerWindow& window, const ViewerCd& cd, int runs);

// The obituary viewer: microseconds of one rebuild of the current record's
// text into the emptied text box (Command13: the sentences, two look-ups
// and the text laid out in the box, no picture), each of `runs` clicks
// timed on its own. The clicks follow each other without the window's
// paint in between: the figure is the work itself. On this machine a core
// that has just waited (idle, or for the worker threads with which Qt
// paints) runs the next few hundred microseconds of any work up to several
// times slower; the window figures, in milliseconds, include that.
std::vector<double> ObitTextBuildMicroseconds(ViewerWindow& window, int runs);

}  // namespace bench
