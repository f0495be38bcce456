#include "ui/folderpreview/preview_symbols.hpp"

#include <QApplication>
#include <QIconEngine>
#include <QPainterPath>
#include <QPalette>
#include <functional>
#include <map>
#include <string>

namespace tavorin::ui {

namespace {

// Every glyph is drawn in a 24 × 24 box and scaled to the size asked.
constexpr double box = 24.0;

QPainterPath stroked(const QPainterPath& path, double width) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::RoundCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  return stroker.createStroke(path);
}

QPainterPath polyline(std::initializer_list<QPointF> points, double width) {
  QPainterPath path;
  bool first = true;
  for (const QPointF& point : points) {
    if (first) {
      path.moveTo(point);
      first = false;
    } else {
      path.lineTo(point);
    }
  }
  return stroked(path, width);
}

QPainterPath arrowUp() {
  QPainterPath path = polyline({{12, 19.5}, {12, 5}}, 2.0);
  path.addPath(polyline({{6, 11}, {12, 5}, {18, 11}}, 2.0));
  return path;
}

QPainterPath flipped(const QPainterPath& path) {
  QTransform flip;
  flip.translate(0, box);
  flip.scale(1, -1);
  return flip.map(path);
}

QPainterPath chevronUp() {
  return polyline({{5.5, 15.5}, {12, 9}, {18.5, 15.5}}, 3.0);
}

QPainterPath eyeOutline() {
  QPainterPath outline;
  outline.moveTo(2, 12);
  outline.cubicTo(5, 6.5, 8.5, 5, 12, 5);
  outline.cubicTo(15.5, 5, 19, 6.5, 22, 12);
  outline.cubicTo(19, 17.5, 15.5, 19, 12, 19);
  outline.cubicTo(8.5, 19, 5, 17.5, 2, 12);
  outline.closeSubpath();
  QPainterPath path = stroked(outline, 1.8);
  path.addEllipse(QPointF(12, 12), 3.4, 3.4);
  return path;
}

QPainterPath eyeSlash() {
  QPainterPath slash;
  slash.moveTo(4, 3);
  slash.lineTo(20, 21);
  // A gap on either side of the bar keeps it readable against the eye.
  QPainterPath path = eyeOutline().subtracted(stroked(slash, 5.0));
  return path.united(stroked(slash, 1.9));
}

QPainterPath listBullet() {
  QPainterPath path;
  for (double y : {6.0, 12.0, 18.0}) {
    path.addEllipse(QPointF(5, y), 1.7, 1.7);
    path.addPath(polyline({{9.5, y}, {20.5, y}}, 2.0));
  }
  return path;
}

QPainterPath grid2x2() {
  QPainterPath squares;
  for (double x : {3.5, 13.0}) {
    for (double y : {3.5, 13.0})
      squares.addRoundedRect(QRectF(x, y, 7.5, 7.5), 1.8, 1.8);
  }
  return stroked(squares, 1.7);
}

QPainterPath lock() {
  QPainterPath path;
  path.addRoundedRect(QRectF(5, 10.5, 14, 10.5), 2.2, 2.2);
  QPainterPath shackle;
  shackle.moveTo(8.2, 10.5);
  shackle.lineTo(8.2, 7.8);
  shackle.arcTo(QRectF(8.2, 4, 7.6, 7.6), 180, -180);
  shackle.lineTo(15.8, 10.5);
  path.addPath(stroked(shackle, 2.0));
  return path.simplified();
}

QPainterPath folder() {
  QPainterPath outline;
  outline.moveTo(2.5, 6.5);
  outline.quadTo(2.5, 5, 4, 5);
  outline.lineTo(8.8, 5);
  outline.lineTo(10.8, 7.2);
  outline.lineTo(20, 7.2);
  outline.quadTo(21.5, 7.2, 21.5, 8.7);
  outline.lineTo(21.5, 17.5);
  outline.quadTo(21.5, 19, 20, 19);
  outline.lineTo(4, 19);
  outline.quadTo(2.5, 19, 2.5, 17.5);
  outline.closeSubpath();
  QPainterPath path = stroked(outline, 1.7);
  path.addPath(polyline({{2.5, 10}, {21.5, 10}}, 1.5));
  return path;
}

const std::map<std::string, QPainterPath, std::less<>>& glyphs() {
  static const std::map<std::string, QPainterPath, std::less<>> table{
      {"arrow.up", arrowUp()},
      {"arrow.down", flipped(arrowUp())},
      {"chevron.up", chevronUp()},
      {"chevron.down", flipped(chevronUp())},
      {"eye", eyeOutline()},
      {"eye.slash", eyeSlash()},
      {"list.bullet", listBullet()},
      {"square.grid.2x2", grid2x2()},
      {"lock", lock()},
      {"folder", folder()},
  };
  return table;
}

const QPainterPath* glyph(std::string_view name) {
  const auto& table = glyphs();
  auto it = table.find(name);
  return it == table.end() ? nullptr : &it->second;
}

void paintGlyph(QPainter& painter, const QPainterPath& path, const QRectF& rect,
                const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  const double scale = std::min(rect.width(), rect.height()) / box;
  painter.translate(rect.x() + (rect.width() - box * scale) / 2,
                    rect.y() + (rect.height() - box * scale) / 2);
  painter.scale(scale, scale);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawPath(path);
  painter.restore();
}

class SymbolEngine final : public QIconEngine {
 public:
  explicit SymbolEngine(QPainterPath path) : path_(std::move(path)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const auto group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
    paintGlyph(*painter, path_, rect, QApplication::palette().color(group, QPalette::ButtonText));
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(0, 0), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new SymbolEngine(path_); }

 private:
  QPainterPath path_;
};

}  // namespace

bool hasSymbol(std::string_view name) {
  return glyph(name) != nullptr;
}

void paintSymbol(QPainter& painter, std::string_view name, const QRectF& rect,
                 const QColor& color) {
  if (const QPainterPath* path = glyph(name)) paintGlyph(painter, *path, rect, color);
}

QIcon symbolIcon(std::string_view name) {
  const QPainterPath* path = glyph(name);
  if (path == nullptr) return {};
  return QIcon(new SymbolEngine(*path));
}

}  // namespace tavorin::ui
