#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QString>

class QMenu;
class QMouseEvent;
class QPoint;
class TrayIconPrivate;

// An icon with a tool tip and a popup menu in the system tray of the X11 panel. This
// object holds what the icon shows and emits the clicks; the window that the tray
// embeds is a TrayIconPrivate, created by show() and deleted by hide().
class TrayIcon : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QPixmap icon READ icon WRITE setIcon)
    Q_PROPERTY(QString toolTip READ toolTip WRITE setToolTip)

public:
    explicit TrayIcon(QObject *parent = nullptr, const QString &name = QString());
    TrayIcon(const QPixmap &icon, const QString &toolTip, QMenu *popup = nullptr, QObject *parent = nullptr,
        const QString &name = QString());
    ~TrayIcon() override;

    void setPopup(QMenu *menu);
    QMenu *popup() const;

    QPixmap icon() const;
    QString toolTip() const;

    // The window in the tray, null while the icon is not installed.
    TrayIconPrivate *window() const;

public slots:
    void setIcon(const QPixmap &icon);
    void setToolTip(const QString &toolTip);
    void show();
    void hide();
    void newTrayOwner();

signals:
    void clicked(const QPoint &globalPos, int button);
    void doubleClicked(const QPoint &globalPos);
    void closed();

protected:
    bool event(QEvent *event) override;

    virtual void mouseMoveEvent(QMouseEvent *event);
    virtual void mousePressEvent(QMouseEvent *event);
    virtual void mouseReleaseEvent(QMouseEvent *event);
    virtual void mouseDoubleClickEvent(QMouseEvent *event);

private slots:
    void redockAfterClose();

private:
    friend class TrayIconPrivate;

    void updateToolTip();
    // Called by the window when the tray let go of it.
    void windowClosed();

    // The menu belongs to the caller; a guard keeps a deleted menu from being shown.
    QPointer<QMenu> m_popup;
    QPixmap m_icon;
    QString m_toolTip;
    TrayIconPrivate *m_window = nullptr;
};
