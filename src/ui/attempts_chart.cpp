#include "ui/attempts_chart.h"

#include "engine/i18n/text_format.h"
#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/focus_ring.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <numeric>

namespace {
constexpr int margin = 12;
constexpr int titleHeight = 26;
constexpr int axisHeight = 18;
} // namespace

AttemptsChart::AttemptsChart(QWidget* parent) : Plate(Theme::panel, 8, parent) {
    setObjectName(QStringLiteral("attemptsChart"));
    // Reached with Tab, so that a screen reader reads the summary out.
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(localizedText("history_chart"));
    setAccessibleDescription(summary());
}

void AttemptsChart::setAttempts(DailyAttempts attempts) {
    attempts_ = std::move(attempts);
    total_ = std::accumulate(attempts_.counts.cbegin(), attempts_.counts.cend(), 0);
    most_ = attempts_.counts.isEmpty()
                ? 0
                : *std::max_element(attempts_.counts.cbegin(), attempts_.counts.cend());
    setAccessibleDescription(summary());
    update();
}

QSize AttemptsChart::sizeHint() const {
    return {480, 120};
}

QRectF AttemptsChart::plotArea() const {
    const QFontMetrics metrics(Theme::monospacedFont(10));
    const int labelWidth = metrics.horizontalAdvance(QString::number(std::max(most_, 10))) + 6;
    return QRectF(rect()).adjusted(margin + labelWidth, titleHeight, -margin, -axisHeight);
}

QString AttemptsChart::dayText(qsizetype day) const {
    return attempts_.first.addDays(day).toString(u"yyyy-MM-dd");
}

QString AttemptsChart::summary() const {
    if (total_ == 0)
        return localizedText("history_chart_none");
    const qsizetype busiest = std::max_element(attempts_.counts.cbegin(), attempts_.counts.cend()) -
                              attempts_.counts.cbegin();
    return formatted(localizedCount("history_chart_summary", total_), dayText(0),
                     dayText(attempts_.counts.size() - 1)) +
           u' ' + formatted(localizedCount("history_chart_peak", most_), dayText(busiest));
}

void AttemptsChart::paintEvent(QPaintEvent* event) {
    Plate::paintEvent(event);
    QPainter painter(this);
    painter.setFont(Theme::systemFont(11, QFont::DemiBold));
    painter.setPen(Theme::textTertiary);
    const QRect titleRow(margin, 0, width() - 2 * margin, titleHeight);
    painter.drawText(titleRow, Qt::AlignLeft | Qt::AlignVCenter, accessibleName());
    const QRectF plot = plotArea();
    painter.setFont(Theme::monospacedFont(10));
    if (total_ == 0) {
        painter.setPen(Theme::textMuted);
        painter.drawText(plot, Qt::AlignCenter, summary());
    } else {
        painter.drawText(titleRow, Qt::AlignRight | Qt::AlignVCenter,
                         localizedCount("history_count", total_));
        const QRectF labels(margin, plot.top() - 6, plot.left() - margin - 6, plot.height() + 12);
        painter.drawText(labels, Qt::AlignRight | Qt::AlignTop, QString::number(most_));
        painter.drawText(labels, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("0"));
        // Bars a pixel apart while there is room for it.
        const qreal slot = plot.width() / qreal(attempts_.counts.size());
        const qreal gap = slot >= 4 ? 1 : 0;
        for (qsizetype day = 0; day < attempts_.counts.size(); ++day) {
            const qreal height = plot.height() * attempts_.counts[day] / most_;
            painter.fillRect(QRectF(plot.left() + slot * qreal(day), plot.bottom() - height,
                                    std::max<qreal>(1, slot - gap), height),
                             Theme::accent);
        }
    }
    painter.setPen(Theme::border);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    if (!attempts_.counts.isEmpty()) {
        painter.setPen(Theme::textTertiary);
        const QRectF axis(plot.left(), plot.bottom() + 2, plot.width(), axisHeight - 2);
        painter.drawText(axis, Qt::AlignLeft | Qt::AlignVCenter, dayText(0));
        painter.drawText(axis, Qt::AlignRight | Qt::AlignVCenter,
                         dayText(attempts_.counts.size() - 1));
    }
    if (showsFocusRing(*this))
        paintFocusRing(painter, rect(), 8);
}

bool AttemptsChart::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return Plate::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QRectF plot = plotArea();
    const qsizetype day = plot.width() > 0
                              ? qsizetype((help->pos().x() - plot.left()) / plot.width() *
                                          qreal(attempts_.counts.size()))
                              : -1;
    if (help->pos().x() < plot.left() || day < 0 || day >= attempts_.counts.size()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(
        help->globalPos(),
        formatted(localizedCount("history_day_attempts", attempts_.counts[day]), dayText(day)),
        this);
    return true;
}
