#include "engine/desktop/desktop_entry.h"

#include <QFileInfo>
#include <QHash>
#include <utility>

namespace {
// The escapes of a string value: \s, \n, \t, \r and \\. Any other stays as written, for the
// quoting rules of Exec= to read.
QString unescaped(const QString& value) {
    constexpr QStringView escapes = u"sntr\\";
    constexpr QStringView meanings = u" \n\t\r\\";
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const qsizetype escape =
            value[i] == u'\\' && i + 1 < value.size() ? escapes.indexOf(value[i + 1]) : -1;
        if (escape < 0) {
            text += value[i];
            continue;
        }
        text += meanings[escape];
        ++i;
    }
    return text;
}

// The words of an Exec= line: blanks separate them, double quotes group them, and inside quotes
// a backslash keeps the next " ` $ or \. Nothing for unbalanced quotes.
QStringList execArguments(const QString& exec) {
    QStringList arguments;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (quoted) {
            if (c == u'\\' && i + 1 < exec.size() && QStringView(u"\"`$\\").contains(exec[i + 1]))
                word += exec[++i];
            else if (c == u'"')
                quoted = false;
            else
                word += c;
        } else if (c == u'"') {
            quoted = inWord = true;
        } else if (c == u' ' || c == u'\t') {
            if (inWord)
                arguments.append(std::exchange(word, QString()));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        return {};
    if (inWord)
        arguments.append(word);
    return arguments;
}

// A word of Exec= with a field code (%f, %U, ...) is the launcher's to fill in; %% is a "%".
bool withoutFieldCode(QString& word) {
    for (qsizetype i = word.indexOf(u'%'); i >= 0; i = word.indexOf(u'%', i + 1)) {
        if (i + 1 == word.size() || word[i + 1] != u'%')
            return false;
        word.remove(i, 1);
    }
    return true;
}

// Exec= is the program and its arguments, up to the first field code; "env" and its settings
// before the program only change the environment.
void readExec(const QStringList& words, DesktopEntry& entry) {
    qsizetype i = 0;
    if (QFileInfo(words.value(i)).fileName() == u"env") {
        ++i;
        const QStringList takingValues = {QStringLiteral("-u"), QStringLiteral("-C"),
                                          QStringLiteral("--unset"), QStringLiteral("--chdir")};
        while (i < words.size() && (words[i].startsWith(u'-') || words[i].contains(u'=')))
            i += takingValues.contains(words[i]) ? 2 : 1;
    }
    entry.program = words.value(i);
    for (QString word : words.sliced(qMin(i + 1, words.size()))) {
        if (!withoutFieldCode(word)) {
            entry.takesMoreArguments = true;
            break;
        }
        entry.arguments.append(word);
    }
    if (QFileInfo(entry.program).fileName() == u"flatpak" && entry.arguments.value(0) == u"run") {
        for (const QString& word : words) {
            if (word.startsWith(u"--command="))
                entry.sandboxCommand = QFileInfo(word.sliced(10)).fileName();
        }
    }
}
} // namespace

QString messagesLocale(const QProcessEnvironment& environment) {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString locale = environment.value(QLatin1String(variable));
        if (!locale.isEmpty())
            return locale;
    }
    return {};
}

QStringList nameKeys(const QString& locale) {
    // language[_COUNTRY][.ENCODING][@MODIFIER]; the encoding plays no part.
    const qsizetype at = locale.indexOf(u'@');
    const QString modifier = at < 0 ? QString() : locale.sliced(at);
    const QString languageAndCountry =
        locale.first(at < 0 ? locale.size() : at).section(u'.', 0, 0);
    const QString language = languageAndCountry.section(u'_', 0, 0);
    QStringList keys;
    if (!language.isEmpty() && language != u"C" && language != u"POSIX") {
        for (const QString& tag :
             {languageAndCountry + modifier, languageAndCountry, language + modifier, language}) {
            const QString key = QStringLiteral("Name[%1]").arg(tag);
            if (!keys.contains(key))
                keys.append(key);
        }
    }
    keys.append(QStringLiteral("Name"));
    return keys;
}

QHash<QString, QString> desktopEntryGroup(QByteArrayView content) {
    QHash<QString, QString> values;
    bool inEntryGroup = false;
    for (const QStringView line : QString::fromUtf8(content).split(u'\n')) {
        const QStringView text = line.trimmed();
        if (text.isEmpty() || text.startsWith(u'#'))
            continue;
        if (text.startsWith(u'[')) {
            inEntryGroup = text == u"[Desktop Entry]";
            continue;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (!inEntryGroup || equals < 0)
            continue;
        values.insert(text.first(equals).trimmed().toString(),
                      text.sliced(equals + 1).trimmed().toString());
    }
    return values;
}

std::optional<DesktopEntry> parseDesktopEntry(QByteArrayView content, const QStringList& nameKeys) {
    if (!content.isValidUtf8())
        return std::nullopt;
    const QHash<QString, QString> values = desktopEntryGroup(content);
    if (values.value(QStringLiteral("Type")) != u"Application")
        return std::nullopt;

    DesktopEntry entry;
    for (const QString& key : nameKeys) {
        entry.name = unescaped(values.value(key));
        if (!entry.name.isEmpty())
            break;
    }
    if (entry.name.isEmpty())
        return std::nullopt;
    readExec(execArguments(unescaped(values.value(QStringLiteral("Exec")))), entry);
    entry.isHidden = values.value(QStringLiteral("Hidden")) == u"true";
    entry.isNoDisplay = values.value(QStringLiteral("NoDisplay")) == u"true";
    return entry;
}
