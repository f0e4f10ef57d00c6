#include "ui/tables_pane.h"

#include "ui/localized_text.h"
#include "ui/widgets/configure_table.h"
#include "ui/widgets/empty_state_label.h"
#include "ui/widgets/row_table.h"

#include <QVBoxLayout>

TablesPane::TablesPane(QWidget* parent)
    : QWidget(parent), targetsTable_(new RowTable(RowHeights::targets, this)),
      browseTable_(new RowTable(RowHeights::browse, this)),
      targetsEmpty_(new EmptyStateLabel(localizedText("no_processes_added"), 13, this)) {
    targetsTable_->setObjectName(QStringLiteral("targetsTable"));
    configureTable(*targetsTable_);
    browseTable_->setObjectName(QStringLiteral("browseTable"));
    configureTable(*browseTable_);
    browseTable_->hide();
    targetsEmpty_->setObjectName(QStringLiteral("targetsEmpty"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(tableSideInset, 2, tableSideInset, 0);
    layout->setSpacing(0);
    layout->addWidget(targetsTable_);
    layout->addWidget(browseTable_);
}
