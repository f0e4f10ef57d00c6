#include "ui/match_preview_line.h"

#include "engine/i18n/text_format.h"
#include "engine/matching/match_preview.h"
#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/eliding_label.h"
#include "ui/widgets/label_style.h"

#include <QHBoxLayout>

QString matchPreviewText(const MatchPreview& preview) {
    QString text;
    if (preview.processCount == 0) {
        text = localizedText("preview_no_match");
    } else {
        QString names = preview.names.join(QStringLiteral(", "));
        if (preview.hasMoreNames)
            names += QStringLiteral(", …");
        text = formatted(localizedCount("preview_matches", int(preview.processCount)), names);
    }
    if (preview.sessionProcessCount > 0)
        text += u' ' + localizedCount("preview_left_alone", int(preview.sessionProcessCount));
    return text;
}

MatchPreviewLine::MatchPreviewLine(QWidget* parent)
    : Plate(Theme::panel, 6, parent), label_(new ElidingLabel(this)) {
    setObjectName(QStringLiteral("matchPreviewLine"));
    setBorderColor(Theme::border);
    setFixedHeight(lineHeight);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    styleLabel(*label_, Theme::systemFont(11), Theme::textSecondary);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 0, 10, 0);
    row->addWidget(label_);
    hide();
}

QString MatchPreviewLine::text() const {
    return label_->text();
}

void MatchPreviewLine::setPreview(const MatchPreview& preview) {
    label_->setText(matchPreviewText(preview));
}
