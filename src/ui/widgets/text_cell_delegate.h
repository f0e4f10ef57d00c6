#pragma once

#include <QStyledItemDelegate>

// Draws a cell of a long list as the style does, but lays its text out once instead of three
// times (to size it, to elide it, to draw it): a search repaints every visible cell at once.
class TextCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    static void drawText(QPainter* painter, const QStyleOptionViewItem& cell, const QString& text,
                         const QColor& color, const QStyle* style);
};
