#pragma once

#include <QLocale>
#include <QString>

// Texts made comparable for a search that ignores case, the same way for every search of the
// window: a needle folded here is found in a text folded here when the user would call it a match.
class SearchFolding {
public:
    explicit SearchFolding(const QLocale& locale = QLocale());

    QString fold(const QString& text) const;

private:
    QLocale locale_;
    bool isAsciiFoldingPlain_;
};
