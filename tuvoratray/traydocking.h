#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

class QMenu;
class QSystemTrayIcon;
class TrayIcon;

// Puts the tray's icon, tool tip and menu on the panel. Today's Plasma, and GNOME with
// the AppIndicator extension, show tray icons through a status notifier on the session
// bus, and the newest have no X11 system tray at all: when such a notifier with a host
// runs, the icon goes there (the toolkit's own tray icon speaks that protocol);
// otherwise it docks into the X11 system tray as a TrayIcon. Same icon, same menu.
class TrayDocking : public QObject
{
    Q_OBJECT

public:
    TrayDocking(const QIcon &icon, const QString &toolTip, QMenu *menu, QObject *parent = nullptr);
    ~TrayDocking() override;

    void show();
    // Docks again, for a panel that came up after the program; a status notifier that
    // has appeared meanwhile takes the icon over.
    void newTrayOwner();

    bool usesStatusNotifier() const { return m_statusItem != nullptr; }
    // The X11 system tray icon, null while the status notifier shows the icon.
    TrayIcon *trayIcon() const { return m_trayIcon; }

signals:
    // The X11 system tray let go of the icon.
    void closed();

private:
    void dock();

    QIcon m_icon;
    QString m_toolTip;
    QMenu *m_menu;
    TrayIcon *m_trayIcon = nullptr;
    QSystemTrayIcon *m_statusItem = nullptr;
};

// True when a status notifier watcher runs on the session bus and has a host that
// shows the items.
bool statusNotifierHostAvailable();
