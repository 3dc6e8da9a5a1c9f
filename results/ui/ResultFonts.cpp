#include "results/ui/ResultFonts.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace orv::results {

namespace {
const QStringList& Families() {
    static const QStringList families = {u"Tahoma"_s, u"Noto Sans Arabic"_s};
    return families;
}
}  // namespace

QFont ResultFont(qreal pointSize) {
    QFont font;
    font.setFamilies(Families());
    font.setPointSizeF(pointSize);
    return font;
}

QFont ReportFont(int pixelSize, bool bold) {
    QFont font;
    font.setFamilies(Families());
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

}  // namespace orv::results
