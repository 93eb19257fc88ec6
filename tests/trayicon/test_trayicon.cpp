// The tray icon without an X server: the library must load and behave on any platform,
// the docking itself is left out there.
#include "trayicon.h"
#include "trayiconfreedesktop.h"

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

QPixmap square(int size, const QColor &color)
{
    QPixmap pixmap(size, size);
    pixmap.fill(color);
    return pixmap;
}

void sendMouse(QWidget *window, QEvent::Type type, Qt::MouseButton button, const QPoint &globalPos)
{
    QMouseEvent event(type, QPointF(11, 11), QPointF(globalPos), button, button, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

} // namespace

class TestTrayIcon : public QObject
{
    Q_OBJECT

private slots:
    void nullImageGivesA16x16Icon()
    {
        TrayIcon icon(QPixmap(), QStringLiteral("Tuvora"));
        QCOMPARE(icon.icon().size(), QSize(16, 16));
        icon.show();
        QVERIFY(icon.window());
        QCOMPARE(icon.window()->pixmap().size(), QSize(16, 16));
    }

    void iconIsDrawnCentredAndFollowsSetIcon()
    {
        TrayIcon icon(square(10, Qt::red), QString());
        icon.show();
        QImage shot = icon.window()->grab().toImage();
        QCOMPARE(shot.pixelColor(6, 6), QColor(Qt::red));
        QCOMPARE(shot.pixelColor(15, 15), QColor(Qt::red));
        QVERIFY(shot.pixelColor(5, 5) != QColor(Qt::red));
        QVERIFY(shot.pixelColor(16, 16) != QColor(Qt::red));

        // A new image reaches the window that is already in the tray.
        icon.setIcon(square(4, Qt::blue));
        QCOMPARE(icon.window()->pixmap().size(), QSize(4, 4));
        shot = icon.window()->grab().toImage();
        QCOMPARE(shot.pixelColor(9, 9), QColor(Qt::blue));
        QVERIFY(shot.pixelColor(6, 6) != QColor(Qt::red));
    }

    void toolTipReachesTheWindowAndEmptyTextRemovesIt()
    {
        TrayIcon icon(square(16, Qt::green), QStringLiteral("Under Control Mode"));
        icon.show();
        QCOMPARE(icon.window()->toolTip(), QStringLiteral("Under Control Mode"));
        icon.setToolTip(QString());
        QVERIFY(icon.window()->toolTip().isEmpty());
        QVERIFY(icon.toolTip().isEmpty());

        // A text set while not installed is there when the icon is shown again.
        icon.hide();
        icon.setToolTip(QStringLiteral("Free of Control Mode"));
        icon.show();
        QCOMPARE(icon.window()->toolTip(), QStringLiteral("Free of Control Mode"));
    }

    void showTwiceKeepsOneWindowAndNewTrayOwnerMakesAFreshOne()
    {
        TrayIcon icon(square(16, Qt::green), QString());
        QVERIFY(!icon.window());
        icon.show();
        QPointer<TrayIconPrivate> first = icon.window();
        icon.show();
        QCOMPARE(icon.window(), first.data());

        icon.newTrayOwner();
        QVERIFY(icon.window());
        QVERIFY(icon.window() != first.data());
        QTRY_VERIFY(first.isNull());
        QPointer<TrayIconPrivate> second = icon.window();

        icon.hide();
        QVERIFY(!icon.window());
        QTRY_VERIFY(second.isNull());

        // Without an X server no dock request is ever sent.
        icon.show();
        QVERIFY(!static_cast<TrayIconFreeDesktop *>(icon.window())->dockRequestSent());
        QPointer<TrayIconPrivate> third = icon.window();
        {
            TrayIcon other(square(16, Qt::green), QString());
            other.show();
            third = other.window();
        }
        QVERIFY2(third.isNull(), "the destructor removes the icon");
    }

    void buttonsOfTheWindowReachTheIcon()
    {
        TrayIcon icon(square(16, Qt::green), QString());
        icon.show();
        QSignalSpy clicked(&icon, &TrayIcon::clicked);
        QSignalSpy doubleClicked(&icon, &TrayIcon::doubleClicked);
        const QPoint at(40, 7);

        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::LeftButton, at);
        sendMouse(icon.window(), QEvent::MouseButtonRelease, Qt::LeftButton, at);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(clicked.at(0).at(0).toPoint(), at);
        QCOMPARE(clicked.at(0).at(1).toInt(), 1);

        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::MiddleButton, at);
        QCOMPARE(clicked.count(), 2);
        QCOMPARE(clicked.at(1).at(1).toInt(), 4);

        sendMouse(icon.window(), QEvent::MouseButtonDblClick, Qt::LeftButton, at);
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).toPoint(), at);
        sendMouse(icon.window(), QEvent::MouseButtonDblClick, Qt::RightButton, at);
        QCOMPARE(doubleClicked.count(), 1);

        // The right button opens the menu, and nothing at all without one.
        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::RightButton, at);
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!QApplication::activePopupWidget());

        auto *menu = new QMenu;
        menu->addAction(QStringLiteral("Policy Configuration"));
        icon.setPopup(menu);
        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::RightButton, at);
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), at);
        QCOMPARE(clicked.count(), 2);
        menu->close();

        // The menu belongs to the caller, who may delete it.
        delete menu;
        QVERIFY(!icon.popup());
        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::RightButton, at);
        QVERIFY(!QApplication::activePopupWidget());
    }

    void slotsMayRemoveTheIconFromWithinItsOwnEvents()
    {
        TrayIcon icon(square(16, Qt::green), QString());
        connect(&icon, &TrayIcon::clicked, &icon, &TrayIcon::newTrayOwner);
        connect(&icon, &TrayIcon::doubleClicked, &icon, &TrayIcon::hide);
        connect(&icon, &TrayIcon::closed, &icon, &TrayIcon::newTrayOwner);
        icon.show();
        QPointer<TrayIconPrivate> first = icon.window();

        sendMouse(icon.window(), QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 3));
        QTRY_VERIFY(first.isNull());
        QVERIFY(icon.window());

        QPointer<TrayIconPrivate> second = icon.window();
        icon.window()->close();
        QTRY_VERIFY(second.isNull());
        QVERIFY(icon.window());

        sendMouse(icon.window(), QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(3, 3));
        QVERIFY(!icon.window());
    }

    void closedWindowEmitsClosedAndDocksAgainUnlessHidden()
    {
        TrayIcon kept(square(16, Qt::green), QString());
        TrayIcon removed(square(16, Qt::green), QString());
        QSignalSpy keptClosed(&kept, &TrayIcon::closed);
        QSignalSpy removedClosed(&removed, &TrayIcon::closed);
        kept.show();
        removed.show();
        QPointer<TrayIconPrivate> keptWindow = kept.window();

        kept.window()->close();
        removed.window()->close();
        QCOMPARE(keptClosed.count(), 1);
        QCOMPARE(removedClosed.count(), 1);
        removed.hide();

        // The first of the re-dock attempts comes after five seconds.
        QTest::qWait(4000);
        QCOMPARE(kept.window(), keptWindow.data());
        QTRY_VERIFY_WITH_TIMEOUT(keptWindow.isNull(), 3000);
        QVERIFY(kept.window());
        QVERIFY(!removed.window());
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestTrayIcon test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_trayicon.moc"
