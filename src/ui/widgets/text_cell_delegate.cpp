#include "ui/widgets/text_cell_delegate.h"

#include <QApplication>
#include <QPainter>
#include <QTextLayout>

namespace {
// One line of text across the width of a cell, aligned within it as the style aligns it.
QTextLine layOutLine(QTextLayout& layout, const QStyleOptionViewItem& cell, int width) {
    QTextOption option;
    option.setWrapMode(QTextOption::ManualWrap);
    option.setTextDirection(cell.direction);
    option.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(width);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    return line;
}
} // namespace

void TextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    const bool hasFocus = cell.state & QStyle::State_HasFocus;
    cell.text.clear();
    cell.state &= ~QStyle::State_HasFocus;
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // Background, selection and decoration as the style draws them; the focus frame goes over
    // the text.
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const bool isEnabled = cell.state & QStyle::State_Enabled;
    const QPalette::ColorGroup group = !isEnabled                          ? QPalette::Disabled
                                       : cell.state & QStyle::State_Active ? QPalette::Normal
                                                                           : QPalette::Inactive;
    const bool isSelected = cell.state & QStyle::State_Selected;
    if (!text.isEmpty())
        drawText(painter, cell, text,
                 cell.palette.color(group, isSelected ? QPalette::HighlightedText : QPalette::Text),
                 style);
    if (hasFocus) {
        cell.text = text;
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(cell);
        focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &cell, widget);
        focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        focus.backgroundColor =
            cell.palette.color(group, isSelected ? QPalette::Highlight : QPalette::Window);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

void TextCellDelegate::drawText(QPainter* painter, const QStyleOptionViewItem& cell,
                                const QString& text, const QColor& color, const QStyle* style) {
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, cell.widget) + 1;
    const QRect area = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextLayout layout(text, cell.font);
    if (layOutLine(layout, cell, area.width()).naturalTextWidth() > area.width()) {
        // Rare in these lists: cut with "…", at the cost of a second layout.
        layout.setText(cell.fontMetrics.elidedText(text, cell.textElideMode, area.width()));
        layOutLine(layout, cell, area.width());
    }
    const QRect box =
        QStyle::alignedRect(Qt::LayoutDirectionAuto, cell.displayAlignment & Qt::AlignVertical_Mask,
                            layout.boundingRect().size().toSize(), area);
    painter->save();
    painter->setPen(color);
    layout.draw(painter, QPointF(area.x(), box.top()));
    painter->restore();
}
