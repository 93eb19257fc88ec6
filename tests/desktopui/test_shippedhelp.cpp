#include "helpopener.h"

#include <QDirIterator>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

// The help that ships: an index per language whose topics all have pages, and a page
// for every page name that a Help button asks for.
namespace {

const QString helpDir = QStringLiteral(SOURCE_DIR "/data/help/");

void collectTopics(const QDomElement &element, QList<QDomElement> &topics)
{
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        topics.append(child);
        collectTopics(child, topics);
    }
}

} // namespace

class TestShippedHelp : public QObject
{
    Q_OBJECT

private slots:
    void language_data()
    {
        QTest::addColumn<QString>("code");
        QTest::newRow("en_US") << QStringLiteral("en_US");
        QTest::newRow("pt_BR") << QStringLiteral("pt_BR");
    }

    void language()
    {
        QFETCH(QString, code);
        const QString base = helpDir + code + QLatin1Char('/');
        QFile index(base + QStringLiteral("TUHelp.xml"));
        QVERIFY(index.open(QIODevice::ReadOnly));
        QDomDocument document;
        QVERIFY(document.setContent(&index));
        QList<QDomElement> topics;
        collectTopics(document.documentElement(), topics);
        QVERIFY(topics.size() >= 10);
        QSet<QString> indexed;
        for (const QDomElement &topic : topics) {
            const QString page = topic.attribute(QStringLiteral("arquivo"));
            QVERIFY2(!topic.attribute(QStringLiteral("nome")).isEmpty(), qPrintable(page));
            QVERIFY2(QFileInfo::exists(base + page), qPrintable(base + page));
            indexed.insert(page);
        }

        const QStringList callers = { QStringLiteral("PolicySelection.html"), QStringLiteral("PolicyCreation.html"),
            QStringLiteral("InternetBlock.html"), QStringLiteral("ApplicationsBlock.html"),
            QStringLiteral("InternetSchedule.html"), QStringLiteral("ApplicationSchedule.html"),
            QStringLiteral("MainTopic.html"), QStringLiteral("Snapshots.html"), QStringLiteral("ViewLog.html"),
            QStringLiteral("GeneralSettings.html"), QStringLiteral("LogConfiguration.html") };
        for (const QString &caller : callers) {
            const QString page = localizedHelpPage(base, code, caller);
            QVERIFY2(QFileInfo::exists(base + page), qPrintable(base + page));
            QVERIFY2(indexed.contains(page), qPrintable(page + QStringLiteral(" is not in the index")));
        }

        // Pages are whole documents. Every link of a page goes to the outside browser
        // as it is written, so a link to a neighbouring page would be lost there: pages
        // link only to full addresses.
        static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
        // Every picture a page shows is shipped beside it, and every shipped one is shown.
        static const QRegularExpression img(QStringLiteral("<img src=\"([^\"]+)\""));
        QSet<QString> shown;
        for (const QString &page : std::as_const(indexed)) {
            QFile file(base + page);
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString html = QString::fromUtf8(file.readAll());
            QVERIFY2(
                html.contains(QStringLiteral("<title>")) && html.contains(QStringLiteral("</html>")), qPrintable(page));
            for (auto match = img.globalMatch(html); match.hasNext();) {
                const QString picture = match.next().captured(1);
                QVERIFY2(QFileInfo(base + picture).isFile(), qPrintable(page + QStringLiteral(" -> ") + picture));
                shown.insert(QFileInfo(base + picture).canonicalFilePath());
            }
            for (auto match = href.globalMatch(html); match.hasNext();) {
                const QString target = match.next().captured(1);
                QVERIFY2(target.contains(QStringLiteral("://")) || target.startsWith(QLatin1String("mailto:")),
                    qPrintable(page + QStringLiteral(" -> ") + target));
            }
        }
        QDirIterator pictures(base, { QStringLiteral("*.png") }, QDir::Files, QDirIterator::Subdirectories);
        while (pictures.hasNext()) {
            const QString picture = QFileInfo(pictures.next()).canonicalFilePath();
            QVERIFY2(shown.contains(picture), qPrintable(picture + QStringLiteral(" is shown by no page")));
        }
    }
};

QTEST_MAIN(TestShippedHelp)
#include "test_shippedhelp.moc"
