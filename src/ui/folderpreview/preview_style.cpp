#include "ui/folderpreview/preview_style.hpp"

#include <QApplication>

namespace tavorin::ui::style {

namespace {

QFont sized(int pixels, QFont::Weight weight = QFont::Normal) {
  QFont font = QApplication::font();
  font.setPixelSize(pixels);
  font.setWeight(weight);
  return font;
}

QColor faded(const QColor& color, double alpha) {
  QColor result = color;
  result.setAlphaF(static_cast<float>(alpha));
  return result;
}

}  // namespace

QFont headline() {
  return sized(15, QFont::DemiBold);
}
QFont body() {
  return sized(13);
}
QFont subheadline() {
  return sized(12);
}
QFont caption() {
  return sized(11);
}
QFont captionSemibold() {
  return sized(11, QFont::DemiBold);
}
QFont rowFont() {
  return sized(12);
}

QColor secondaryText(const QPalette& palette) {
  return faded(palette.color(QPalette::Active, QPalette::WindowText), 0.55);
}

QColor divider(const QPalette& palette) {
  return faded(palette.color(QPalette::Active, QPalette::WindowText), 0.14);
}

QColor alternateRow(const QPalette& palette) {
  // A faint band of the text colour reads on light and dark palettes alike, where a style's own
  // alternate colour can be the same as the base.
  return faded(palette.color(QPalette::Active, QPalette::Text), 0.04);
}

}  // namespace tavorin::ui::style
