#include "tools/democd/Pictures.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <memory>
#include <stdexcept>

#include "tools/democd/Random.h"

namespace democd {

namespace {

const QColor kSkyTop(150, 185, 225), kSkyLow(215, 228, 240);
const QColor kGrassFar(105, 140, 75), kGrassNear(70, 110, 50);

QImage Canvas(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

QFont SerifFont(int pixelSize, bool bold = false) {
  QFont f("DejaVu Serif");
  f.setPixelSize(std::max(6, pixelSize));
  f.setBold(bold);
  return f;
}

// A picture being drawn, with its own seeded random source.
struct Drawing {
  Drawing(uint32_t seed, QSize size) : rng(seed), image(Canvas(size)), painter(&image) {
    painter.setRenderHint(QPainter::Antialiasing);
  }
  QImage Done() {
    painter.end();
    return image;
  }
  Random rng;
  QImage image;
  QPainter painter;
};

// The largest font up to pixelSize in which the text fits the width.
QFont FittedFont(const QString& text, int pixelSize, double width) {
  QFont f = SerifFont(pixelSize, true);
  while (f.pixelSize() > 6 && QFontMetricsF(f).horizontalAdvance(text) > width)
    f.setPixelSize(f.pixelSize() - 1);
  return f;
}

void Landscape(QPainter& p, QSize size, int horizon, Random& rng) {
  QLinearGradient sky(0, 0, 0, horizon);
  sky.setColorAt(0, kSkyTop);
  sky.setColorAt(1, kSkyLow);
  p.fillRect(0, 0, size.width(), horizon, sky);
  QLinearGradient grass(0, horizon, 0, size.height());
  grass.setColorAt(0, kGrassFar);
  grass.setColorAt(1, kGrassNear);
  p.fillRect(0, horizon, size.width(), size.height() - horizon, grass);
  // A few trees on the horizon.
  p.setPen(Qt::NoPen);
  const int trees = rng.Range(2, 5);
  for (int i = 0; i < trees; ++i) {
    const int x = rng.Range(0, size.width());
    const int r = rng.Range(size.height() / 14, size.height() / 7);
    p.setBrush(QColor(45 + rng.Range(0, 30), 80 + rng.Range(0, 30), 40));
    p.drawEllipse(QPoint(x, horizon - r / 2), r, r);
  }
}

// Grey stone texture with speckles and lichen inside the shape.
void StoneSurface(QPainter& p, const QPainterPath& shape, Random& rng, QColor base) {
  const QRectF box = shape.boundingRect();
  QLinearGradient g(box.topLeft(), box.bottomRight());
  g.setColorAt(0, base.lighter(120));
  g.setColorAt(1, base.darker(125));
  p.setPen(QPen(base.darker(170), 2));
  p.setBrush(g);
  p.drawPath(shape);
  p.save();
  p.setClipPath(shape);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 400; ++i) {
    const int shade = rng.Range(-35, 35);
    p.setBrush(QColor(std::clamp(base.red() + shade, 0, 255),
                      std::clamp(base.green() + shade, 0, 255),
                      std::clamp(base.blue() + shade, 0, 255), 120));
    const double d = 1 + rng.Unit() * 2.5;
    p.drawEllipse(
        QPointF(box.left() + rng.Unit() * box.width(), box.top() + rng.Unit() * box.height()), d,
        d);
  }
  const int lichen = rng.Range(2, 7);
  for (int i = 0; i < lichen; ++i) {
    p.setBrush(QColor(170, 175, 90, 90));
    const double r = box.width() * (0.03 + rng.Unit() * 0.07);
    p.drawEllipse(
        QPointF(box.left() + rng.Unit() * box.width(), box.top() + rng.Unit() * box.height()), r,
        r * 0.7);
  }
  p.restore();
}

// Cut letters: a dark line with a light edge below it.
void Engrave(QPainter& p, const QRectF& area, const QStringList& lines, int pixelSize) {
  const QString text = lines.join("\n");
  p.setFont(SerifFont(pixelSize, true));
  const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
  p.setPen(QColor(235, 235, 230, 160));
  p.drawText(area.translated(1, 1), flags, text);
  p.setPen(QColor(45, 45, 45));
  p.drawText(area, flags, text);
}

QPainterPath TabletShape(const QRectF& r) {
  QPainterPath path;
  const double arch = r.width() * 0.25;
  path.moveTo(r.left(), r.bottom());
  path.lineTo(r.left(), r.top() + arch);
  path.quadTo(r.left(), r.top(), r.center().x(), r.top());
  path.quadTo(r.right(), r.top(), r.right(), r.top() + arch);
  path.lineTo(r.right(), r.bottom());
  path.closeSubpath();
  return path;
}

QPainterPath ObeliskShape(const QRectF& r) {
  QPainterPath path;
  const double w = r.width(), cx = r.center().x();
  path.moveTo(r.left(), r.bottom());
  path.lineTo(r.left() + w * 0.15, r.bottom() - r.height() * 0.18);
  path.lineTo(cx - w * 0.22, r.top() + r.height() * 0.12);
  path.lineTo(cx, r.top());
  path.lineTo(cx + w * 0.22, r.top() + r.height() * 0.12);
  path.lineTo(r.right() - w * 0.15, r.bottom() - r.height() * 0.18);
  path.lineTo(r.right(), r.bottom());
  path.closeSubpath();
  return path;
}

QPainterPath RectShape(const QRectF& r, double rounding) {
  QPainterPath path;
  path.addRoundedRect(r, rounding, rounding);
  return path;
}

struct StoneLayout {
  QPainterPath shape;
  QRectF textArea;
  int pixelSize;
};

StoneLayout Layout(QSize size, StoneShape shape) {
  const double w = size.width(), h = size.height();
  switch (shape) {
    case StoneShape::Tablet: {
      const QRectF r(w * 0.2, h * 0.2, w * 0.6, h * 0.62);
      return {TabletShape(r), r.adjusted(r.width() * 0.08, r.height() * 0.22, -r.width() * 0.08, 0),
              int(r.width() / 11)};
    }
    case StoneShape::Obelisk: {
      const QRectF r(w * 0.3, h * 0.06, w * 0.4, h * 0.8);
      return {ObeliskShape(r), r.adjusted(r.width() * 0.2, r.height() * 0.5, -r.width() * 0.2, 0),
              int(r.width() / 12)};
    }
    case StoneShape::FlatMarker: {
      const QRectF r(w * 0.15, h * 0.45, w * 0.7, h * 0.4);
      return {RectShape(r, 6), r.adjusted(10, r.height() * 0.12, -10, 0), int(r.height() / 7)};
    }
    case StoneShape::DoubleUpright: {
      const QRectF r(w * 0.12, h * 0.25, w * 0.76, h * 0.55);
      return {RectShape(r, 18), r.adjusted(14, r.height() * 0.12, -14, 0), int(r.height() / 10)};
    }
    case StoneShape::Block: {
      const QRectF r(w * 0.22, h * 0.22, w * 0.56, h * 0.56);
      return {RectShape(r, 3), r.adjusted(10, r.height() * 0.15, -10, 0), int(r.width() / 12)};
    }
  }
  return {};
}

void Caption(QPainter& p, QSize size, const QString& text, QColor colour) {
  p.setFont(SerifFont(size.height() / 18, true));
  p.setPen(colour);
  p.drawText(QRect(0, size.height() * 0.86, size.width(), size.height() * 0.12),
             Qt::AlignCenter | Qt::TextWordWrap, text);
}

}  // namespace

void EnsurePainting() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QCoreApplication::instance())
    throw std::runtime_error("drawing the pictures needs a QGuiApplication");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "make-demo-cd";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

QImage DrawGravestone(uint32_t seed, QSize size, StoneShape shape, const QStringList& lines) {
  Drawing d(seed, size);
  Random& rng = d.rng;
  QPainter& p = d.painter;
  const int horizon = shape == StoneShape::FlatMarker ? size.height() * 0.25 : size.height() * 0.55;
  Landscape(p, size, horizon, rng);
  const StoneLayout layout = Layout(size, shape);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 50, 25, 90));  // shadow on the grass
  const QRectF box = layout.shape.boundingRect();
  p.drawEllipse(QRectF(box.left() - box.width() * 0.05, box.bottom() - box.height() * 0.05,
                       box.width() * 1.3, box.height() * 0.12));
  const int tone = rng.Range(150, 200);
  StoneSurface(p, layout.shape, rng, QColor(tone, tone, tone - rng.Range(0, 15)));
  Engrave(p, layout.textArea, lines, layout.pixelSize);
  return d.Done();
}

QImage DrawInscriptionDetail(uint32_t seed, QSize size, const QStringList& lines) {
  Drawing d(seed, size);
  Random& rng = d.rng;
  QPainter& p = d.painter;
  QPainterPath whole;
  whole.addRect(QRectF(-4, -4, size.width() + 8, size.height() + 8));
  const int tone = rng.Range(150, 195);
  StoneSurface(p, whole, rng, QColor(tone, tone - 5, tone - 12));
  Engrave(
      p,
      QRectF(size.width() * 0.08, size.height() * 0.15, size.width() * 0.84, size.height() * 0.8),
      lines, size.height() / 9);
  return d.Done();
}

namespace {

void Gate(QPainter& p, int w, int h, int horizon, const QString& name) {
  p.setPen(QPen(QColor(35, 35, 40), std::max(3, w / 120)));
  for (int x = w * 0.2; x <= w * 0.8; x += w / 40) p.drawLine(x, h * 0.35, x, horizon + h * 0.1);
  p.setBrush(QColor(120, 110, 100));
  p.drawRect(QRectF(w * 0.15, h * 0.25, w * 0.06, horizon + h * 0.12 - h * 0.25));
  p.drawRect(QRectF(w * 0.79, h * 0.25, w * 0.06, horizon + h * 0.12 - h * 0.25));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(w * 0.2, h * 0.12, w * 0.6, h * 0.4), 0, 180 * 16);
  p.setFont(FittedFont(name.toUpper(), h / 16, w * 0.5));
  p.drawText(QRectF(w * 0.2, h * 0.16, w * 0.6, h * 0.1), Qt::AlignCenter, name.toUpper());
}

void Chapel(QPainter& p, int w, int h, int horizon) {
  p.setPen(QPen(QColor(70, 60, 55), 2));
  p.setBrush(QColor(225, 220, 205));
  const QRectF body(w * 0.3, h * 0.38, w * 0.4, horizon - h * 0.38 + h * 0.08);
  p.drawRect(body);
  QPolygonF roof;
  roof << QPointF(w * 0.27, h * 0.4) << QPointF(w * 0.5, h * 0.2) << QPointF(w * 0.73, h * 0.4);
  p.setBrush(QColor(110, 60, 50));
  p.drawPolygon(roof);
  p.setBrush(QColor(90, 70, 50));
  p.drawRect(
      QRectF(w * 0.46, body.bottom() - body.height() * 0.45, w * 0.08, body.height() * 0.45));
  p.drawLine(QPointF(w * 0.5, h * 0.2), QPointF(w * 0.5, h * 0.1));  // the cross
  p.drawLine(QPointF(w * 0.47, h * 0.13), QPointF(w * 0.53, h * 0.13));
}

// Rows of small stones in the grass, larger towards the front.
void StoneRows(QPainter& p, Random& rng, int w, int h, int horizon, int rows) {
  for (int r = 0; r < rows; ++r) {
    const double y = horizon + (h - horizon) * (0.15 + 0.8 * r / rows);
    const double scale = 0.5 + 0.5 * r / rows;
    for (double x = w * 0.04 + rng.Range(0, 20); x < w; x += w * 0.09 * scale + rng.Range(0, 15)) {
      const QRectF stone(x, y - 40 * scale, 22 * scale, 40 * scale);
      const int tone = rng.Range(140, 210);
      p.setPen(QPen(QColor(60, 60, 60), 1));
      p.setBrush(QColor(tone, tone, tone));
      p.drawPath(TabletShape(stone));
    }
  }
}

}  // namespace

QImage DrawCemeteryScene(uint32_t seed, QSize size, SceneKind kind, const QString& name) {
  Drawing d(seed, size);
  const int w = size.width(), h = size.height();
  const int horizon = kind == SceneKind::Overview ? h * 0.35 : h * 0.62;
  Landscape(d.painter, size, horizon, d.rng);
  if (kind == SceneKind::Gate) Gate(d.painter, w, h, horizon, name);
  if (kind == SceneKind::Chapel) Chapel(d.painter, w, h, horizon);
  StoneRows(d.painter, d.rng, w, h, horizon, kind == SceneKind::Overview ? 6 : 2);
  Caption(d.painter, size, name, QColor(250, 250, 245));
  return d.Done();
}

QImage DrawPortrait(uint32_t seed, QSize size, bool female, const QString& caption) {
  Drawing d(seed, size);
  Random& rng = d.rng;
  QPainter& p = d.painter;
  const double w = size.width(), h = size.height();
  QRadialGradient bg(QPointF(w / 2, h * 0.4), w * 0.8);
  bg.setColorAt(0, QColor(225, 205, 170));
  bg.setColorAt(1, QColor(120, 95, 65));
  p.fillRect(d.image.rect(), bg);
  p.setPen(Qt::NoPen);
  const QColor dark(70 + rng.Range(0, 20), 50, 35);
  p.setBrush(dark);  // shoulders
  p.drawEllipse(QRectF(w * 0.15, h * 0.6, w * 0.7, h * 0.55));
  p.setBrush(QColor(205, 175, 140));  // face
  p.drawEllipse(QRectF(w * 0.34, h * 0.22, w * 0.32, h * 0.34));
  p.setBrush(dark.darker(130));  // hair
  if (female)
    p.drawChord(QRectF(w * 0.3, h * 0.16, w * 0.4, h * 0.36), 0, 180 * 16);
  else
    p.drawChord(QRectF(w * 0.33, h * 0.19, w * 0.34, h * 0.2), 0, 180 * 16);
  p.setPen(QPen(QColor(240, 230, 210), w / 40));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(w * 0.08, h * 0.05, w * 0.84, h * 0.8));
  Caption(p, size, caption, QColor(250, 240, 220));
  return d.Done();
}

QImage DrawClipping(uint32_t seed, QSize size, const QString& masthead, const QString& headline,
                    const QString& body) {
  Drawing d(seed, size);
  Random& rng = d.rng;
  QPainter& p = d.painter;
  const int tone = rng.Range(225, 240);
  p.fillRect(d.image.rect(), QColor(tone, tone - 8, tone - 30));
  const double w = size.width(), h = size.height(), margin = w * 0.07;
  p.setPen(QColor(40, 35, 30));
  p.setFont(SerifFont(h / 28, true));
  p.drawText(QRectF(margin, h * 0.03, w - 2 * margin, h * 0.06), Qt::AlignCenter, masthead);
  p.drawLine(QPointF(margin, h * 0.1), QPointF(w - margin, h * 0.1));
  p.setFont(SerifFont(h / 22, true));
  p.drawText(QRectF(margin, h * 0.12, w - 2 * margin, h * 0.08), Qt::AlignCenter,
             headline.toUpper());
  p.setFont(SerifFont(h / 44));
  p.drawText(QRectF(margin, h * 0.22, w - 2 * margin, h * 0.76),
             Qt::AlignJustify | Qt::AlignTop | Qt::TextWordWrap, body);
  return d.Done();
}

QImage DrawBuilding(uint32_t seed, QSize size, const QString& sign, bool columns) {
  Drawing d(seed, size);
  Random& rng = d.rng;
  QPainter& p = d.painter;
  const double w = size.width(), h = size.height();
  Landscape(p, size, int(h * 0.75), rng);
  const QRectF front(w * 0.12, h * 0.25, w * 0.76, h * 0.55);
  p.setPen(QPen(QColor(60, 45, 40), 2));
  p.setBrush(columns ? QColor(215, 210, 195) : QColor(150, 70, 55));
  p.drawRect(front);
  p.setBrush(QColor(60, 80, 100));
  for (int i = 0; i < 5; ++i)  // windows
    for (int j = 0; j < 2; ++j)
      p.drawRect(QRectF(front.left() + front.width() * (0.06 + i * 0.19),
                        front.top() + front.height() * (0.3 + j * 0.35), front.width() * 0.09,
                        front.height() * 0.22));
  if (columns) {
    p.setBrush(QColor(235, 232, 222));
    for (int i = 0; i < 4; ++i)
      p.drawRect(QRectF(front.left() + front.width() * (0.13 + i * 0.22), front.top(),
                        front.width() * 0.05, front.height()));
  }
  p.setBrush(QColor(30, 30, 35));
  const QRectF board(front.left() + front.width() * 0.1, front.top() + front.height() * 0.05,
                     front.width() * 0.8, front.height() * 0.16);
  p.drawRect(board);
  p.setPen(QColor(235, 215, 150));
  p.setFont(SerifFont(int(board.height() * 0.45), true));
  p.drawText(board, Qt::AlignCenter | Qt::TextWordWrap, sign);
  return d.Done();
}

QImage DrawNotAvailable(QSize size) {
  QImage image = Canvas(size);
  QPainter p(&image);
  p.fillRect(image.rect(), QColor(235, 235, 235));
  p.setPen(QColor(90, 90, 90));
  p.setFont(SerifFont(size.height() / 12, true));
  p.drawText(image.rect(), Qt::AlignCenter | Qt::TextWordWrap, "PICTURE NOT AVAILABLE");
  return image;
}

void SaveJpeg(const QImage& image, const QString& nativePath) {
  if (!image.save(nativePath, "JPG", 85))
    throw std::runtime_error(("cannot write picture " + nativePath).toStdString());
}

}  // namespace democd
