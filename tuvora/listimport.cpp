#include "listimport.h"

#include "domaincheck.h"

#include <QSet>
#include <QVarLengthArray>

#include <functional>

namespace {

// The address at the start of a hosts-file line: IPv4 digits and dots, or an IPv6
// address (hexadecimal digits and colons, perhaps a dotted tail or a %zone).
bool isAddress(QStringView field)
{
    const qsizetype zone = field.indexOf(QLatin1Char('%'));
    const QStringView address = zone < 0 ? field : field.left(zone);
    bool colon = false;
    bool hexLetter = false;
    int dots = 0;
    for (const QChar c : address) {
        const char16_t u = c.unicode();
        if (u == ':')
            colon = true;
        else if (u == '.')
            ++dots;
        else if ((u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'))
            hexLetter = true;
        else if (u < '0' || u > '9')
            return false;
    }
    return colon || (!hexLetter && dots == 3 && zone < 0);
}

void refuse(ListImport &result, QStringView line)
{
    ++result.refused;
    if (result.firstRefused.size() < ListImport::RefusedLinesKept)
        result.firstRefused.append(line.toString());
}

// Calls readLine for every line that is neither blank nor a comment, trimmed.
void forEachLine(const QByteArray &fileContent, const std::function<void(QStringView)> &readLine)
{
    QString text = QString::fromUtf8(fileContent);
    if (text.startsWith(QChar(0xfeff)))
        text.remove(0, 1);
    for (const QStringView rawLine : QStringView(text).tokenize(QLatin1Char('\n'))) {
        const QStringView line = rawLine.trimmed();
        if (!line.isEmpty() && !line.startsWith(QLatin1Char('#')))
            readLine(line);
    }
}

class Collector
{
public:
    explicit Collector(const QStringList &listed)
    {
        m_seen.reserve(2 * listed.size() + 1024);
        for (const QString &entry : listed)
            m_seen.insert(entry);
    }

    void offer(ListImport &result, const QString &entry)
    {
        if (m_seen.contains(entry)) {
            ++result.alreadyListed;
            return;
        }
        m_seen.insert(entry);
        result.added.append(entry);
    }

private:
    QSet<QString> m_seen;
};

} // namespace

ListImport importDomains(const QByteArray &fileContent, const QStringList &listed)
{
    ListImport result;
    Collector collector(listed);
    forEachLine(fileContent, [&](QStringView line) {
        const qsizetype comment = line.indexOf(QLatin1Char('#'));
        const QStringView content = comment < 0 ? line : line.left(comment).trimmed();
        QVarLengthArray<QStringView, 4> fields;
        for (const QStringView field : content.tokenize(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            for (const QStringView part : field.tokenize(QLatin1Char('\t'), Qt::SkipEmptyParts))
                fields.append(part);
        }
        if (fields.size() > 1 && isAddress(fields.first()))
            fields.erase(fields.begin());
        else if (fields.size() != 1)
            return refuse(result, line);
        QVarLengthArray<QString, 4> domains;
        for (const QStringView field : fields) {
            const DomainInput input = readDomain(field.toString());
            if (input.verdict != DomainInput::Valid)
                return refuse(result, line);
            domains.append(input.domain);
        }
        for (const QString &domain : std::as_const(domains))
            collector.offer(result, domain);
    });
    return result;
}

ListImport importWords(const QByteArray &fileContent, const QStringList &listed)
{
    ListImport result;
    Collector collector(listed);
    forEachLine(fileContent, [&](QStringView line) { collector.offer(result, line.toString()); });
    return result;
}
