#include "defaultgateway.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray Header = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

} // namespace

class TestDefaultGateway : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void defaultRouteOnTheSecondDataLineGivesItsGateway()
    {
        const QString table = m_dir.filePath(QStringLiteral("route"));
        QVERIFY(writeFileBytes(table,
            Header
                + "eth1\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                  "eth0\t00000000\t0101A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                  "eth2\t00000000\t FE0A0A0A\t0003\t0\t0\t200\t00000000\t0\t0\t0\n"));
        QString gateway = QStringLiteral("untouched");
        QCOMPARE(readDefaultGateway(table, gateway), 0);
        QCOMPARE(gateway, QStringLiteral("192.168.1.1"));
    }

    void noDefaultRouteOrNoTableGivesNoGateway()
    {
        const QString table = m_dir.filePath(QStringLiteral("route"));
        // A destination that only starts like the default one is no default route.
        QVERIFY(writeFileBytes(table,
            Header
                + "eth0\t0000A8C0\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                  "eth0\t000000001\t0101A8C0\t0003\t0\t0\t0\t00000000\t0\t0\t0\n"
                  "garbage line\n"));
        QString gateway = QStringLiteral("untouched");
        QCOMPARE(readDefaultGateway(table, gateway), 1);
        QCOMPARE(readDefaultGateway(m_dir.filePath(QStringLiteral("missing")), gateway), -1);
        // A folder is a file that cannot be read as a table either.
        QCOMPARE(readDefaultGateway(m_dir.path(), gateway), -1);
        QCOMPARE(gateway, QStringLiteral("untouched"));
    }

    void kernelTableIsReadLikeACopyOfIt()
    {
        // /proc files report a size of 0 and are read all the same.
        QFile kernel(QStringLiteral("/proc/net/route"));
        QVERIFY(kernel.open(QIODevice::ReadOnly));
        const QString copy = m_dir.filePath(QStringLiteral("copy"));
        QVERIFY(writeFileBytes(copy, kernel.readAll()));
        QString fromKernel, fromCopy;
        QCOMPARE(readDefaultGateway(kernel.fileName(), fromKernel), readDefaultGateway(copy, fromCopy));
        QCOMPARE(fromKernel, fromCopy);
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestDefaultGateway)
#include "test_defaultgateway.moc"
