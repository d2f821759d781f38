#pragma once
// Smooth reduction of an image by area averaging, done on the calling
// thread alone.
//
// The toolkit's own smooth scaling and format conversion hand a large image
// to a pool of threads and wait for them; when memory is exhausted no thread
// can be started and that wait never returns. A picture shown on the screen
// is reduced here instead, a line at a time, with no thread and no copy of
// the source in another format.
#include <QImage>
#include <QSize>

namespace forms {

// `source` reduced to `pixels` (each at most the source's own size), every
// pixel the average of the source area it covers. RGB32 for an opaque
// source, premultiplied ARGB32 for one with transparency. A null image when
// the result's pixels cannot be had or either size is empty.
QImage ScaledDown(const QImage& source, QSize pixels);

}  // namespace forms
