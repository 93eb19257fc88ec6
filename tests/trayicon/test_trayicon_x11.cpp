// The tray icon against a real freedesktop system tray (trayer) on a private Xvfb.
#include "trayicon.h"
#include "trayiconfreedesktop.h"
#include "trayiconx11.h"
#include "xsession.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

#include <cstdio>

namespace {

// A shield drawn here, so that the screenshot shows something recognisable.
QPixmap testIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 40, 120), 1.5));
    painter.setBrush(QColor(240, 180, 30));
    const QPointF shield[] = { { 8, 1 }, { 15, 3 }, { 14, 10 }, { 8, 15 }, { 2, 10 }, { 1, 3 } };
    painter.drawPolygon(shield, 6);
    painter.setBrush(QColor(20, 40, 120));
    painter.drawEllipse(QPointF(8, 7), 2.5, 2.5);
    return pixmap;
}

quintptr windowId(const TrayIcon &icon)
{
    return icon.window() ? icon.window()->internalWinId() : 0;
}

// Reparented into the tray's window and mapped there.
bool dockedInTrayer(quintptr window)
{
    return window != 0 && XProbe::parentOf(window) != XProbe::rootWindow() && XProbe::isViewable(window)
        && XProbe::topLevelClassOf(window).contains(QLatin1String("trayer"), Qt::CaseInsensitive);
}

// Docked as far as both the X server and Qt are concerned.
bool docked(const TrayIcon &icon)
{
    return dockedInTrayer(windowId(icon)) && icon.window()->isVisible();
}

QPoint centreOf(quintptr window)
{
    return XProbe::rootGeometry(window).center();
}

} // namespace

class TestTrayIconX11 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        QVERIFY(TrayIconX11::available());
        QVERIFY2(m_tray.start(), "trayer (package trayer) did not take the system tray selection");
    }

    void showDocksTheIconIntoTheTray()
    {
        TrayIcon icon(testIcon(), QStringLiteral("Tuvora"));
        icon.show();
        auto *window = static_cast<TrayIconFreeDesktop *>(icon.window());
        QVERIFY(window->dockRequestSent());
        QCOMPARE(window->dockRequestError(), 0);
        const quintptr id = windowId(icon);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);

        QCOMPARE(XProbe::classHintOf(id), QStringLiteral("psidock/Psi"));
        QVERIFY(XProbe::hasProperty(id, "KWM_DOCKWINDOW"));
        QVERIFY(XProbe::hasProperty(id, "_KDE_NET_WM_SYSTEM_TRAY_WINDOW_FOR"));

        icon.show();
        QCOMPARE(windowId(icon), id);

        if (const QByteArray dir = qgetenv("TUVORA_TRAY_SCREENSHOT_DIR"); !dir.isEmpty()) {
            QTest::qWait(500);
            QDir().mkpath(QString::fromLocal8Bit(dir));
            const QString file = QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("tray.png"));
            QCOMPARE(QProcess::execute(
                         QStringLiteral("import"), { QStringLiteral("-window"), QStringLiteral("root"), file }),
                0);
        }
    }

    void iconIsDrawnCentredOnThePanelsBackground()
    {
        QPixmap ring(10, 10);
        ring.fill(Qt::transparent);
        {
            QPainter painter(&ring);
            painter.fillRect(0, 0, 10, 10, Qt::red);
            painter.setCompositionMode(QPainter::CompositionMode_Clear);
            painter.fillRect(3, 3, 4, 4, Qt::transparent);
        }
        TrayIcon icon(ring, QString());
        icon.show();
        const quintptr id = windowId(icon);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);
        // The tray gives the window the size it likes; the icon stays in the middle
        // and the panel shows through around it and through its transparent middle.
        const QRect area = XProbe::rootGeometry(id);
        const QPoint origin = area.topLeft() + QPoint((area.width() - 10) / 2, (area.height() - 10) / 2);
        const QColor panel = XProbe::pixelAt(area.topLeft() + QPoint(60, 5));
        QTRY_COMPARE(XProbe::pixelAt(origin), QColor(Qt::red));
        QCOMPARE(XProbe::pixelAt(origin + QPoint(9, 9)), QColor(Qt::red));
        QCOMPARE(XProbe::pixelAt(origin + QPoint(-1, -1)), panel);
        QCOMPARE(XProbe::pixelAt(origin + QPoint(10, 10)), panel);
        QCOMPARE(XProbe::pixelAt(origin + QPoint(4, 4)), panel);
        QCOMPARE(XProbe::pixelAt(area.topLeft()), panel);
        QVERIFY(panel != QColor(Qt::red));

        // A new image replaces the old one in the tray.
        QPixmap blue(4, 4);
        blue.fill(Qt::blue);
        icon.setIcon(blue);
        QTRY_COMPARE(XProbe::pixelAt(origin + QPoint(3, 3)), QColor(Qt::blue));
        QCOMPARE(XProbe::pixelAt(origin), panel);
    }

    void mouseButtonsOnTheDockedIcon()
    {
        TrayIcon icon(testIcon(), QStringLiteral("Tuvora"));
        icon.show();
        const quintptr id = windowId(icon);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);
        const QPoint centre = centreOf(id);
        QSignalSpy clicked(&icon, &TrayIcon::clicked);
        QSignalSpy doubleClicked(&icon, &TrayIcon::doubleClicked);

        XProbe::click(centre, 1);
        QTRY_COMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toPoint(), centre);
        QCOMPARE(clicked.at(0).at(1).toInt(), 1);

        // Right button without a menu: no popup and no signal.
        XProbe::click(centre, 3);
        QTest::qWait(500);
        QVERIFY(!QApplication::activePopupWidget());
        QCOMPARE(clicked.count(), 1);

        QMenu menu;
        menu.addAction(QStringLiteral("Free of Control Mode"));
        icon.setPopup(&menu);
        XProbe::click(centre, 3);
        QTRY_VERIFY(menu.isVisible());
        QVERIFY(XProbe::isViewable(menu.internalWinId()));
        QCOMPARE(clicked.count(), 1);
        menu.close();
        QTRY_VERIFY(!menu.isVisible());
        clicked.clear();

        XProbe::click(centre, 1, 2);
        QTRY_COMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).toPoint(), centre);
    }

    void toolTipShowsOverTheDockedIconUntilRemoved()
    {
        TrayIcon icon(testIcon(), QStringLiteral("Under Control Mode"));
        icon.show();
        const quintptr id = windowId(icon);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);
        const QPoint centre = centreOf(id);

        XProbe::moveTo(QPoint(300, 200));
        XProbe::moveTo(centre);
        XProbe::moveTo(centre + QPoint(1, 1));
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 5000);
        QCOMPARE(QToolTip::text(), QStringLiteral("Under Control Mode"));

        XProbe::moveTo(QPoint(300, 200));
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        icon.setToolTip(QString());
        XProbe::moveTo(centre);
        XProbe::moveTo(centre + QPoint(1, 1));
        QTest::qWait(2000);
        QVERIFY(!QToolTip::isVisible());
        XProbe::moveTo(QPoint(300, 200));
    }

    void killedTrayEmitsClosedAndANewTrayGetsTheIconBack()
    {
        TrayIcon icon(testIcon(), QStringLiteral("Tuvora"));
        QSignalSpy closed(&icon, &TrayIcon::closed);
        icon.show();
        const quintptr first = windowId(icon);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);

        m_tray.kill();
        QTRY_COMPARE_WITH_TIMEOUT(closed.count(), 1, 3000);
        // Thrown back onto the root window, the old icon must not show up there.
        QTRY_COMPARE(XProbe::parentOf(first), XProbe::rootWindow());
        QTest::qWait(300);
        QVERIFY(!XProbe::isViewable(first));

        QVERIFY(m_tray.start());
        // The re-dock attempts come 5, 10 and 15 seconds after the close.
        QTRY_VERIFY_WITH_TIMEOUT(windowId(icon) != first && docked(icon), 16000);
        QCOMPARE(closed.count(), 1);
    }

    void noTrayAtShowSendsNothingAndNewTrayOwnerDocksLater()
    {
        m_tray.kill();
        QTRY_COMPARE(XProbe::trayOwner(), quintptr(0));

        TrayIcon icon(testIcon(), QStringLiteral("Tuvora"));
        QSignalSpy closed(&icon, &TrayIcon::closed);
        icon.show();
        auto *window = static_cast<TrayIconFreeDesktop *>(icon.window());
        QVERIFY(!window->dockRequestSent());
        const quintptr id = windowId(icon);
        QVERIFY(XProbe::hasProperty(id, "KWM_DOCKWINDOW"));
        QTest::qWait(300);
        QVERIFY(!XProbe::isViewable(id));
        QCOMPARE(closed.count(), 0);

        QVERIFY(m_tray.start());
        icon.newTrayOwner();
        QVERIFY(windowId(icon) != id);
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);
    }

    void trayWithoutSaveSetDestroysTheIconAndClosedStillComes()
    {
        m_tray.kill();
        QTRY_COMPARE(XProbe::trayOwner(), quintptr(0));
        BareTray tray;
        QVERIFY(tray.start());

        TrayIcon icon(testIcon(), QString());
        QSignalSpy closed(&icon, &TrayIcon::closed);
        icon.show();
        const quintptr first = windowId(icon);
        QTRY_VERIFY((tray.serve(), XProbe::parentOf(first) == tray.window()));
        QTRY_VERIFY(icon.window()->isVisible());

        tray.vanish();
        QTRY_COMPARE(closed.count(), 1);
        QTest::qWait(300);
        QCOMPARE(closed.count(), 1);

        QVERIFY(m_tray.start());
        QTRY_VERIFY_WITH_TIMEOUT(windowId(icon) != first && docked(icon), 9000);
    }

    void xErrorOfTheDockRequestIsTrappedNotFatal()
    {
        // A tray owner window that is gone by the time the request reaches it.
        const quintptr gone = XProbe::destroyedWindow();

        TrayIcon icon(testIcon(), QString());
        icon.show();
        const quintptr id = windowId(icon);
        QCOMPARE(TrayIconX11::sendDockRequest(gone, id), 3); // BadWindow

        // The program goes on, and later requests are not blamed for the error.
        QTRY_VERIFY_WITH_TIMEOUT(docked(icon), 5000);
        QCOMPARE(TrayIconX11::sendDockRequest(XProbe::trayOwner(), id), 0);
    }

private:
    TrayerProcess m_tray;
};

int main(int argc, char **argv)
{
    XvfbServer server;
    if (!server.start()) {
        std::fprintf(stderr, "cannot start Xvfb: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    qputenv("DISPLAY", server.display().toLatin1());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QApplication app(argc, argv);
        TestTrayIconX11 test;
        result = QTest::qExec(&test, argc, argv);
    }
    server.stop();
    return result;
}

#include "test_trayicon_x11.moc"
