#include "app/about_window.h"

#include "app/app_icon.h"
#include "engine/i18n/text_format.h"
#include "ui/localized_text.h"
#include "ui/theme.h"
#include "ui/widgets/flat_button.h"
#include "ui/widgets/label_style.h"

#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QColor grey(qreal level) {
    return QColor::fromRgbF(float(level), float(level), float(level));
}

QString versionText() {
    return formatted(localizedText("version_format"), QStringLiteral(ZENTRAV_VERSION),
                     QStringLiteral(ZENTRAV_BUILD_NUMBER));
}
} // namespace

const QUrl& AboutWindow::websiteUrl() {
    static const QUrl url(QStringLiteral("https://zentrav.app"));
    return url;
}

AboutWindow::AboutWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), iconLabel_(new QLabel(this)),
      nameLabel_(new QLabel(QStringLiteral("Zentrav"), this)),
      versionLabel_(new QLabel(versionText(), this)),
      copyrightLabel_(new QLabel(localizedText("copyright"), this)),
      linkButton_(new FlatButton(this)) {
    setWindowTitle(localizedText("menu_about"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::CustomizeWindowHint);
    setFixedSize(windowWidth, windowHeight);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, grey(0.039));
    setPalette(background);

    iconLabel_->setObjectName(QStringLiteral("aboutIcon"));
    iconLabel_->setFixedSize(80, 80);
    iconLabel_->setPixmap(appIconPixmap(80, devicePixelRatioF()));

    nameLabel_->setObjectName(QStringLiteral("aboutName"));
    styleLabel(*nameLabel_, Theme::systemFont(18, QFont::Bold), Qt::white);
    versionLabel_->setObjectName(QStringLiteral("aboutVersion"));
    styleLabel(*versionLabel_, Theme::systemFont(11), grey(0.55));
    copyrightLabel_->setObjectName(QStringLiteral("aboutCopyright"));
    styleLabel(*copyrightLabel_, Theme::systemFont(11), grey(0.45));
    for (QLabel* label : {nameLabel_, versionLabel_, copyrightLabel_}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
    }

    FlatButton* link = linkButton_;
    link->setObjectName(QStringLiteral("aboutLink"));
    FlatButtonLook linkLook;
    linkLook.text = QColor::fromRgbF(0.04f, 0.52f, 1.0f);
    linkLook.font = Theme::systemFont(12);
    linkLook.font.setUnderline(true);
    linkLook.horizontalPadding = 4;
    link->setLook(websiteUrl().host(), linkLook);
    link->setCursor(Qt::PointingHandCursor);
    connect(link, &QPushButton::clicked, this, [this] { Q_EMIT websiteRequested(websiteUrl()); });

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 24, 16, 0);
    column->setSpacing(0);
    column->addWidget(iconLabel_, 0, Qt::AlignHCenter);
    column->addSpacing(12);
    column->addWidget(nameLabel_);
    column->addSpacing(4);
    column->addWidget(versionLabel_);
    column->addSpacing(16);
    column->addWidget(copyrightLabel_);
    column->addSpacing(8);
    column->addWidget(linkButton_, 0, Qt::AlignHCenter);
    column->addStretch();
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
