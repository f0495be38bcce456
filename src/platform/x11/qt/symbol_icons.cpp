#include "platform/x11/qt/symbol_icons.hpp"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <functional>
#include <map>

namespace tavorin::qt {

namespace {

// Every glyph is drawn in a 24 × 24 box and scaled to the size asked.
using Glyph = std::function<QPainterPath()>;

QPainterPath roundedSquare(double x, double y, double size, double radius) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, size, size), radius, radius);
  return path;
}

QPainterPath stroked(const QPainterPath& path, double width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(path);
}

QPainterPath grid() {
  QPainterPath path;
  for (double x : {3.0, 13.0}) {
    for (double y : {3.0, 13.0})
      path.addPath(roundedSquare(x, y, 8, 2));
  }
  return path;
}

QPainterPath warningTriangle() {
  QPainterPath outline;
  outline.moveTo(12, 3);
  outline.lineTo(22, 20.5);
  outline.lineTo(2, 20.5);
  outline.closeSubpath();
  QPainterPath path = stroked(outline, 2.2);
  QPainterPath bar;
  bar.moveTo(12, 9);
  bar.lineTo(12, 14);
  path.addPath(stroked(bar, 2.4));
  path.addEllipse(QPointF(12, 17.4), 1.3, 1.3);
  return path;
}

QPainterPath scissorsShape() {
  QPainterPath blades;
  blades.moveTo(8.6, 14.6);
  blades.lineTo(19, 4);
  blades.moveTo(15.4, 14.6);
  blades.lineTo(5, 4);
  QPainterPath path = stroked(blades, 1.8);
  QPainterPath rings;
  rings.addEllipse(QPointF(7, 17), 3, 3);
  rings.addEllipse(QPointF(17, 17), 3, 3);
  path.addPath(stroked(rings, 1.8));
  return path;
}

QPainterPath scissorsCircleFill() {
  QPainterPath disc;
  disc.addEllipse(QPointF(12, 12), 11, 11);
  QTransform shrink;
  shrink.translate(12, 12);
  shrink.scale(0.62, 0.62);
  shrink.translate(-12, -12);
  return disc.subtracted(shrink.map(scissorsShape()));
}

QPainterPath folder() {
  QPainterPath outline;
  outline.moveTo(2.5, 6);
  outline.lineTo(9, 6);
  outline.lineTo(11, 8);
  outline.lineTo(21.5, 8);
  outline.lineTo(21.5, 19);
  outline.lineTo(2.5, 19);
  outline.closeSubpath();
  return stroked(outline, 1.8);
}

QPainterPath cursorWithRays() {
  QPainterPath arrow;
  arrow.moveTo(9, 8);
  arrow.lineTo(9, 21);
  arrow.lineTo(12.3, 17.6);
  arrow.lineTo(14.6, 22);
  arrow.lineTo(16.4, 21.1);
  arrow.lineTo(14.2, 16.8);
  arrow.lineTo(18.8, 16.8);
  arrow.closeSubpath();
  QPainterPath path = stroked(arrow, 1.5);
  QPainterPath rays;
  rays.moveTo(9, 2);
  rays.lineTo(9, 4.5);
  rays.moveTo(3, 8);
  rays.lineTo(5.5, 8);
  rays.moveTo(4.6, 3.6);
  rays.lineTo(6.4, 5.4);
  rays.moveTo(13.4, 3.6);
  rays.lineTo(11.6, 5.4);
  path.addPath(stroked(rays, 1.6));
  return path;
}

QPainterPath dockRectangle() {
  QPainterPath frame;
  frame.addRoundedRect(QRectF(2.5, 4, 19, 16), 2.5, 2.5);
  QPainterPath path = stroked(frame, 1.8);
  path.addRoundedRect(QRectF(6, 15.5, 12, 2.4), 1, 1);
  return path;
}

QPainterPath rectangleSplit3() {
  QPainterPath frame;
  frame.addRoundedRect(QRectF(2.5, 5, 19, 14), 2, 2);
  frame.moveTo(8.8, 5);
  frame.lineTo(8.8, 19);
  frame.moveTo(15.2, 5);
  frame.lineTo(15.2, 19);
  return stroked(frame, 1.8);
}

const std::map<std::string, Glyph>& glyphs() {
  static const std::map<std::string, Glyph> table{
      {"square.grid.2x2", grid},
      {"exclamationmark.triangle", warningTriangle},
      {"scissors.circle.fill", scissorsCircleFill},
      {"scissors", scissorsShape},
      {"folder", folder},
      {"cursorarrow.rays", cursorWithRays},
      {"dock.rectangle", dockRectangle},
      {"rectangle.split.3x1", rectangleSplit3},
  };
  return table;
}

class GlyphEngine final : public QIconEngine {
 public:
  GlyphEngine(QPainterPath path, IconPlace place) : path_(std::move(path)), place_(place) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const double scale = std::min(rect.width(), rect.height()) / 24.0;
    painter->translate(rect.x() + (rect.width() - 24 * scale) / 2,
                       rect.y() + (rect.height() - 24 * scale) / 2);
    painter->scale(scale, scale);
    QColor ink;
    if (place_ == IconPlace::tray) {
      ink = QColor(245, 245, 245);
      painter->setPen(QPen(QColor(0, 0, 0, 150), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
      const auto group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
      ink = QApplication::palette().color(group, QPalette::Text);
      painter->setPen(Qt::NoPen);
    }
    painter->setBrush(ink);
    painter->drawPath(path_.simplified());
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new GlyphEngine(path_, place_); }

 private:
  QPainterPath path_;
  IconPlace place_;
};

}  // namespace

QIcon iconForSymbol(const std::string& symbolName, IconPlace place) {
  const auto& table = glyphs();
  auto it = table.find(symbolName);
  if (it == table.end()) return {};
  return QIcon(new GlyphEngine(it->second(), place));
}

}  // namespace tavorin::qt
