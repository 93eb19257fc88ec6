#include "desktopentry.h"

#include <QFile>

namespace {

// Values may carry the escapes \s \n \t \r and \\ of the desktop entry format.
QString unescape(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's':
            out += QLatin1Char(' ');
            break;
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        default:
            out += next;
            break; // \\ and \; among others
        }
    }
    return out;
}

bool isTrue(const QString &value)
{
    return value.trimmed() == QLatin1String("true");
}

} // namespace

DesktopEntry DesktopEntry::read(const QString &path)
{
    DesktopEntry entry;
    entry.path = path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return entry;

    bool inMainGroup = false;
    bool hidden = false;
    QString type;
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (const QByteArray &rawLine : lines) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMainGroup)
            continue;
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = unescape(line.mid(equals + 1).trimmed());
        if (key == QLatin1String("Name"))
            entry.name = value;
        else if (key == QLatin1String("Comment"))
            entry.comment = value;
        else if (key == QLatin1String("Icon"))
            entry.icon = value;
        else if (key == QLatin1String("Exec"))
            entry.exec = value;
        else if (key == QLatin1String("Type"))
            type = value;
        else if (key == QLatin1String("Categories"))
            entry.categories = value.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        else if (key == QLatin1String("NoDisplay") || key == QLatin1String("Hidden"))
            hidden = hidden || isTrue(value);
    }
    entry.listed = !hidden && type == QLatin1String("Application") && !entry.name.isEmpty() && !entry.exec.isEmpty();
    return entry;
}
