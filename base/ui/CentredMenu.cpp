#include "base/ui/CentredMenu.h"

#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace orv::ui {
namespace {

class CentredItemsStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (element != CE_MenuItem || !item || item->menuItemType != QStyleOptionMenuItem::Normal)
            return QProxyStyle::drawControl(element, option, painter, widget);
        // The item's background, highlight and check as the style draws them; its words centred.
        QStyleOptionMenuItem blank(*item);
        blank.text.clear();
        QProxyStyle::drawControl(element, &blank, painter, widget);
        const bool selected = item->state & State_Selected;
        const bool enabled = item->state & State_Enabled;
        drawItemText(painter, item->rect, Qt::AlignCenter | Qt::TextShowMnemonic, item->palette, enabled,
                     item->text.section(QLatin1Char('\t'), 0, 0).trimmed(),
                     selected ? QPalette::HighlightedText : QPalette::Text);
    }
};

}  // namespace

void CentreMenuItems(QMenu* menu) {
    auto* style = new CentredItemsStyle;
    style->setParent(menu);
    menu->setStyle(style);
}

}  // namespace orv::ui
