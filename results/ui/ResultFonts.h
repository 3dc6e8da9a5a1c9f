#pragma once
// The result area's type: Tahoma where it exists, otherwise Noto Sans Arabic,
// which shapes Persian on Linux.
#include <QFont>

namespace orv::results {

QFont ResultFont(qreal pointSize = 8);
// The same family at a size in 96-dpi pixels, for the printed report.
QFont ReportFont(int pixelSize, bool bold = false);

}  // namespace orv::results
