#include "platform/x11/qt/qt_overlays.hpp"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace tavorin::qt {

namespace {

QColor toQColor(const Color& color) {
  auto unit = [](double v) { return std::clamp(v, 0.0, 1.0); };
  return QColor::fromRgbF(
      static_cast<float>(unit(color.red)), static_cast<float>(unit(color.green)),
      static_cast<float>(unit(color.blue)), static_cast<float>(unit(color.alpha)));
}

QRectF toQRect(const Rect& r) {
  return {r.x, r.y, r.width, r.height};
}

QPainterPath toQPath(const Path& path, FillRule rule) {
  QPainterPath out;
  out.setFillRule(rule == FillRule::evenOdd ? Qt::OddEvenFill : Qt::WindingFill);
  for (const Path::Element& element : path.elements()) {
    switch (element.type) {
      case Path::ElementType::moveTo:
        out.moveTo(element.point.x, element.point.y);
        break;
      case Path::ElementType::lineTo:
        out.lineTo(element.point.x, element.point.y);
        break;
      case Path::ElementType::close:
        out.closeSubpath();
        break;
      case Path::ElementType::rectangle:
        out.addRect(toQRect(element.rect));
        break;
      case Path::ElementType::roundedRectangle:
        out.addRoundedRect(toQRect(element.rect), element.radius, element.radius);
        break;
      case Path::ElementType::ellipse:
        out.addEllipse(toQRect(element.rect));
        break;
    }
  }
  return out;
}

QFont::Weight toQWeight(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular:
      return QFont::Normal;
    case FontWeight::medium:
      return QFont::Medium;
    case FontWeight::semibold:
      return QFont::DemiBold;
    case FontWeight::bold:
      return QFont::Bold;
  }
  return QFont::Normal;
}

QFont sizedFont(QFont font, double fontSize, FontWeight weight) {
  font.setPixelSize(std::max(1, static_cast<int>(std::lround(fontSize))));
  font.setWeight(toQWeight(weight));
  return font;
}

void paintText(QPainter& painter, const DrawText& text) {
  const QFont font = sizedFont(painter.font(), text.fontSize, text.weight);
  painter.setFont(font);
  const QRectF box = toQRect(text.box);
  const QString elided = QFontMetricsF(font).elidedText(QString::fromStdString(text.text),
                                                        Qt::ElideMiddle, box.width());
  Qt::Alignment alignment = Qt::AlignVCenter;
  switch (text.alignment) {
    case TextAlignment::leading:
      alignment |= Qt::AlignLeft;
      break;
    case TextAlignment::center:
      alignment |= Qt::AlignHCenter;
      break;
    case TextAlignment::trailing:
      alignment |= Qt::AlignRight;
      break;
  }
  if (text.shadow) {
    painter.setPen(toQColor(text.shadow->color));
    painter.drawText(box.translated(text.shadow->offset.width, text.shadow->offset.height),
                     alignment, elided);
  }
  painter.setPen(toQColor(text.color));
  painter.drawText(box, alignment, elided);
}

// The global coordinate space of the services has its origin at the bottom-left corner of the
// primary screen, y up; Qt's is the root window's, y down.
QRect toRootGeometry(const Rect& frame) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  const QRect primaryGeometry = primary != nullptr ? primary->geometry() : QRect();
  const double top = primaryGeometry.y() + primaryGeometry.height() - frame.maxY();
  return QRect(static_cast<int>(std::lround(primaryGeometry.x() + frame.x)),
               static_cast<int>(std::lround(top)), static_cast<int>(std::lround(frame.width)),
               static_cast<int>(std::lround(frame.height)));
}

class OverlayWidget final : public QWidget {
 public:
  OverlayWidget() {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
  }
  void setDrawing(Drawing drawing) {
    drawing_ = std::move(drawing);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    paint(painter, drawing_);
  }

 private:
  Drawing drawing_;
};

class QtOverlayPanel;

// The panels on screen, to keep higher levels above lower ones.
std::vector<QtOverlayPanel*>& shownPanels() {
  static std::vector<QtOverlayPanel*> panels;
  return panels;
}

class QtOverlayPanel final : public OverlayPanel {
 public:
  QtOverlayPanel() { applyFlags(); }
  ~QtOverlayPanel() override { std::erase(shownPanels(), this); }

  void setFrame(Rect frame) override {
    frame_ = frame;
    widget_.setGeometry(toRootGeometry(frame));
  }
  Rect frame() const override { return frame_; }
  void setLevel(int level) override { level_ = level; }
  void setIgnoresMouseEvents(bool ignores) override {
    if (ignores == ignoresMouse_) return;
    ignoresMouse_ = ignores;
    const bool wasVisible = widget_.isVisible();
    applyFlags();  // changing the flags hides the window
    if (wasVisible) orderFront();
  }
  void setContent(Drawing drawing) override { widget_.setDrawing(std::move(drawing)); }
  void orderFront() override {
    widget_.show();
    widget_.raise();
    auto& shown = shownPanels();
    if (std::find(shown.begin(), shown.end(), this) == shown.end()) shown.push_back(this);
    std::stable_sort(
        shown.begin(), shown.end(),
        [](const QtOverlayPanel* a, const QtOverlayPanel* b) { return a->level_ < b->level_; });
    for (QtOverlayPanel* other : shown) {
      if (other->level_ > level_) other->widget_.raise();
    }
  }
  void orderOut() override {
    widget_.hide();
    std::erase(shownPanels(), this);
  }
  bool isVisible() const override { return widget_.isVisible(); }

 private:
  void applyFlags() {
    Qt::WindowFlags flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                            Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                            Qt::NoDropShadowWindowHint;
    if (ignoresMouse_) flags |= Qt::WindowTransparentForInput;
    widget_.setWindowFlags(flags);
    widget_.setAttribute(Qt::WA_TransparentForMouseEvents, ignoresMouse_);
  }

  OverlayWidget widget_;
  Rect frame_;
  int level_ = 0;
  bool ignoresMouse_ = false;
};

}  // namespace

void paint(QPainter& painter, const Drawing& drawing) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (const DrawOperation& operation : drawing.operations) {
    if (const auto* fill = std::get_if<FillPath>(&operation)) {
      painter.fillPath(toQPath(fill->path, fill->rule), toQColor(fill->color));
    } else if (const auto* stroke = std::get_if<StrokePath>(&operation)) {
      QPen pen(toQColor(stroke->color), stroke->lineWidth, Qt::SolidLine, Qt::RoundCap,
               Qt::RoundJoin);
      if (!stroke->dash.empty() && stroke->lineWidth > 0) {
        // Qt measures dashes in line widths.
        QList<qreal> pattern;
        for (double length : stroke->dash)
          pattern.append(length / stroke->lineWidth);
        if (pattern.size() % 2 != 0) pattern.append(pattern.back());
        pen.setDashPattern(pattern);
        pen.setCapStyle(Qt::FlatCap);
      }
      painter.strokePath(toQPath(stroke->path, FillRule::nonZero), pen);
    } else if (const auto* text = std::get_if<DrawText>(&operation)) {
      paintText(painter, *text);
    }
  }
  painter.restore();
}

std::unique_ptr<OverlayPanel> QtOverlays::createPanel() {
  return std::make_unique<QtOverlayPanel>();
}

Size QtOverlays::measureText(const std::string& text, double fontSize, FontWeight weight) const {
  const QFontMetricsF metrics(sizedFont(QGuiApplication::font(), fontSize, weight));
  return {metrics.horizontalAdvance(QString::fromStdString(text)), metrics.height()};
}

}  // namespace tavorin::qt
