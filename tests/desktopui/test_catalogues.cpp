#include <QDir>
#include <QDomDocument>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

// The shipped catalogues: complete, compiled as written, and in step with the sources.
namespace {

struct Message
{
    QString context;
    QString source;
    QString comment;
    QString translation;
    bool finished = true;
};

QList<Message> readCatalogue(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    QDomDocument document;
    if (!file.open(QIODevice::ReadOnly) || !document.setContent(&file))
        return messages;
    for (QDomElement context = document.documentElement().firstChildElement(QStringLiteral("context"));
         !context.isNull(); context = context.nextSiblingElement(QStringLiteral("context"))) {
        const QString name = context.firstChildElement(QStringLiteral("name")).text();
        for (QDomElement message = context.firstChildElement(QStringLiteral("message")); !message.isNull();
             message = message.nextSiblingElement(QStringLiteral("message"))) {
            const QDomElement translation = message.firstChildElement(QStringLiteral("translation"));
            if (translation.attribute(QStringLiteral("type")) == QLatin1String("obsolete")
                || translation.attribute(QStringLiteral("type")) == QLatin1String("vanished"))
                continue;
            messages.append({ name, message.firstChildElement(QStringLiteral("source")).text(),
                message.firstChildElement(QStringLiteral("comment")).text(), translation.text(),
                !translation.hasAttribute(QStringLiteral("type")) });
        }
    }
    return messages;
}

// The sources whose texts a catalogue holds: the shared dialogs' folder for desktopui,
// each program's own folder for the others, and for tuvora the engine's reasons why a
// program cannot be blocked, which its policy editor shows.
QStringList sourcesOf(const QString &catalogue)
{
    QStringList files;
    const QDir dir(QStringLiteral(SOURCE_DIR "/") + catalogue);
    for (const QString &name :
        dir.entryList({ QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui") }, QDir::Files))
        files.append(dir.filePath(name));
    if (catalogue == QLatin1String("tuvora") && !files.isEmpty())
        files.append(QStringLiteral(SOURCE_DIR "/engine/blockrefusal.cpp"));
    return files;
}

QString tsFile(const QString &catalogue)
{
    return QStringLiteral(SOURCE_DIR "/data/translations/%1_pt_BR.ts").arg(catalogue);
}

QString key(const Message &message)
{
    return message.context + QLatin1Char('\x1f') + message.source + QLatin1Char('\x1f') + message.comment;
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void catalogue_data()
    {
        QTest::addColumn<QString>("catalogue");
        for (const char *catalogue : { "desktopui", "appstop", "tuvora", "tuvoratray" })
            QTest::newRow(catalogue) << QString::fromLatin1(catalogue);
    }

    void catalogue()
    {
        QFETCH(QString, catalogue);
        QVERIFY2(QFile::exists(tsFile(catalogue)), qPrintable(tsFile(catalogue)));
        const QList<Message> messages = readCatalogue(tsFile(catalogue));

        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral("%1_pt_BR.qm").arg(catalogue), QStringLiteral(QM_DIR)));
        for (const Message &message : messages) {
            const QString where = message.context + QStringLiteral(": ") + message.source;
            QVERIFY2(message.finished && !message.translation.isEmpty(),
                qPrintable(where + QStringLiteral(" is not translated")));
            // The same text in two places of one form is told apart by a comment.
            QCOMPARE(translator.translate(message.context.toUtf8().constData(), message.source.toUtf8().constData(),
                         message.comment.isEmpty() ? nullptr : message.comment.toUtf8().constData()),
                message.translation);
            // Accelerators and the blank that the about box relies on survive translation.
            QCOMPARE(message.translation.contains(QLatin1Char('&')), message.source.contains(QLatin1Char('&')));
        }
    }

    void sharedTextsAreTranslatedOnlyInTheSharedCatalogue()
    {
        QSet<QString> shared;
        for (const Message &message : readCatalogue(tsFile(QStringLiteral("desktopui"))))
            shared.insert(message.context);
        QVERIFY(!shared.isEmpty());
        for (const char *program : { "appstop", "tuvora", "tuvoratray" }) {
            for (const Message &message : readCatalogue(tsFile(QString::fromLatin1(program))))
                QVERIFY2(!shared.contains(message.context),
                    qPrintable(message.context + QStringLiteral(" in ") + QString::fromLatin1(program)));
        }
    }

    void catalogueKnowsEveryTextOfItsSources_data() { catalogue_data(); }

    void catalogueKnowsEveryTextOfItsSources()
    {
        QFETCH(QString, catalogue);
        const QStringList sources = sourcesOf(catalogue);
        if (sources.isEmpty())
            QSKIP("no sources of this program yet");
        QTemporaryDir dir;
        const QString fresh = dir.filePath(QStringLiteral("fresh_pt_BR.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral(LUPDATE),
            QStringList { QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none") } + sources
                + QStringList { QStringLiteral("-ts"), fresh });
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);

        QSet<QString> shipped;
        for (const Message &message : readCatalogue(tsFile(catalogue)))
            shipped.insert(key(message));
        for (const Message &message : readCatalogue(fresh))
            QVERIFY2(
                shipped.contains(key(message)), qPrintable(message.context + QStringLiteral(": ") + message.source));
    }
};

QTEST_MAIN(TestCatalogues)
#include "test_catalogues.moc"
