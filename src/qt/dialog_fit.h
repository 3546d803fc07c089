#pragma once

#include <QLabel>
#include <QListWidget>
#include <string_view>

#include "dialogs/path_shortening.h"
#include "qt/qt_text.h"

namespace corvane {

// How wide a text is in a widget's own font, in whole pixels rounded up.
TextWidthFunction MeasureIn(const QWidget& widget);

// The width a list line's text may take: the list's client width less the
// item's text margins, and less the scroll bar when `lineCount` lines will
// not fit the list's height.
int32_t ListTextWidth(const QListWidget& list, int lineCount);

// A list of shortened paths: a path that cannot be shortened enough is cut
// off at the edge, as the rest are fitted, rather than scrolled or elided.
void MakePathList(QListWidget& list);

// A label that shows a shortened path: as wide as the layout makes it, never
// wider because of its text.
void MakePathLabel(QLabel& label, int minimumWidth);

}  // namespace corvane
