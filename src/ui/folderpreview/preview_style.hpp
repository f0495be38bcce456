#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

namespace tavorin::ui::style {

// Type sizes of the preview, in device-independent pixels, from the application's font family.
QFont headline();
// Messages in place of the items.
QFont body();
QFont subheadline();
QFont caption();
QFont captionSemibold();
// Rows of the list.
QFont rowFont();

// Text of lesser importance (counts, dates, sizes, hidden items): the text colour, faded.
QColor secondaryText(const QPalette& palette);
// Hairlines between the parts of the preview.
QColor divider(const QPalette& palette);
// The background of every second row of the list.
QColor alternateRow(const QPalette& palette);

// Opacity of a hidden item's grid cell.
inline constexpr double hiddenCellOpacity = 0.6;

}  // namespace tavorin::ui::style
