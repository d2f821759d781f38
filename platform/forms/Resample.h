#pragma once
// Smooth resizing of an image for the screen, done on the calling thread
// alone.
//
// The toolkit's own smooth scaling, scaled drawing and format conversion
// hand a large image to a pool of threads and wait for them; when memory is
// exhausted no thread can be started and that wait never returns. A picture
// is resized here instead, a line at a time, with no thread and no copy of
// the source in another format, and then drawn one pixel to a pixel, which
// the toolkit does in the painting thread.
#include <QImage>
#include <QRect>
#include <QSize>

namespace forms {

// The rectangle `part` of `source` resized to `pixels` (all of it when
// `part` covers them; only that part is computed and held), each axis
// resized on its own: reduced by averaging the source area each pixel
// covers, enlarged by linear interpolation between the nearest source
// pixels. RGB32 for an opaque source, premultiplied ARGB32 for one with
// transparency. A null image when the result's pixels cannot be had or
// either size is empty.
QImage Resampled(const QImage& source, QSize pixels, const QRect& part);

}  // namespace forms
