#include "desktop_entry.h"

#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <utility>

namespace {
// Programs that run another one: their processes are not the application's.
const QStringList shells = {QStringLiteral("sh"), QStringLiteral("bash"), QStringLiteral("dash"),
                            QStringLiteral("zsh")};

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

QString programOf(const QStringList& arguments) {
    qsizetype i = 0;
    if (QFileInfo(arguments.value(i)).fileName() == u"env") {
        ++i;
        while (i < arguments.size() &&
               (arguments[i].startsWith(u'-') || arguments[i].contains(u'=')))
            ++i;
    }
    const QString program = QFileInfo(arguments.value(i)).fileName();
    if (program == u"flatpak") {
        for (const QString& argument : arguments.sliced(i)) {
            if (argument.startsWith(u"--command="))
                return QFileInfo(argument.sliced(10)).fileName();
        }
        return {};
    }
    return shells.contains(program) ? QString() : program;
}
} // namespace

QStringList nameKeys(const QString& languageCode) {
    const QString locale = QLocale(languageCode).name();
    const QString language = locale.section(u'_', 0, 0);
    return {QStringLiteral("Name[%1]").arg(locale), QStringLiteral("Name[%1]").arg(language),
            QStringLiteral("Name")};
}

std::optional<DesktopEntry> parseDesktopEntry(QByteArrayView content, const QStringList& nameKeys) {
    if (!content.isValidUtf8())
        return std::nullopt;
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
    entry.program = programOf(execArguments(unescaped(values.value(QStringLiteral("Exec")))));
    entry.startupWMClass = unescaped(values.value(QStringLiteral("StartupWMClass")));
    entry.isShown = values.value(QStringLiteral("NoDisplay")) != u"true" &&
                    values.value(QStringLiteral("Hidden")) != u"true";
    return entry;
}
