#pragma once

#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <string_view>

namespace tavorin::ui {

// The small set of system symbols the preview shows ("arrow.up", "eye.slash", "lock", ...),
// drawn by the program so that nothing depends on the icon theme.
bool hasSymbol(std::string_view name);

// Draws `name` in `color`, fitted and centred into `rect`. An unknown name draws nothing.
void paintSymbol(QPainter& painter, std::string_view name, const QRectF& rect, const QColor& color);

// An icon of `name` in the colour of button text, greyed when disabled.
QIcon symbolIcon(std::string_view name);

}  // namespace tavorin::ui
