#pragma once

#include <QProxyStyle>

// The Fusion style, except for the menu bar's overflow button, which it draws instead of reading
// an image file: reading one loads every image plugin, before the first frame.
class AppStyle : public QProxyStyle {
    Q_OBJECT
public:
    AppStyle();

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
