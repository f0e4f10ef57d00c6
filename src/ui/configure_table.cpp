#include "configure_table.h"

#include "row_table.h"

void configureTable(RowTable& table) {
    table.setFrameShape(QFrame::NoFrame);
    table.setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    table.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table.setAutoFillBackground(false);
    table.viewport()->setAutoFillBackground(false);
    QPalette palette = table.palette();
    palette.setColor(QPalette::Window, Qt::transparent);
    palette.setColor(QPalette::Base, Qt::transparent);
    table.setPalette(palette);
}
