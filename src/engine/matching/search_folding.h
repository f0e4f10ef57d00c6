#pragma once

#include <QLocale>
#include <QString>

// Texts made comparable for a match that ignores case, the one rule of every such match: a fuzzy
// watch-list entry and a search of the browser or the history fold alike, so an entry matches
// what a search for it finds. Lower-cased by the locale (the Turkish dotted and dotless i) and in
// canonical composition, so a name typed decomposed still matches.
class SearchFolding {
public:
    explicit SearchFolding(const QLocale& locale = QLocale());

    QString fold(const QString& text) const;

private:
    QLocale locale_;
    bool isAsciiFoldingPlain_;
};
