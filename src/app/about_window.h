#pragma once

#include <QUrl>
#include <QWidget>

class FlatButton;
class QLabel;

// The small window with the icon, name, version, copyright and the link to the website.
// Closing it only hides it, so it can be shown again as it was.
class AboutWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int windowWidth = 300;
    static constexpr int windowHeight = 260;
    static const QUrl& websiteUrl();

    explicit AboutWindow(QWidget* parent = nullptr);

Q_SIGNALS:
    void websiteRequested(const QUrl& url);

protected:
    // Escape closes it, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* iconLabel_;
    QLabel* nameLabel_;
    QLabel* versionLabel_;
    QLabel* copyrightLabel_;
    FlatButton* linkButton_;
};
