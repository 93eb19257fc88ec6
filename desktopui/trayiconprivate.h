#pragma once

#include <QPixmap>
#include <QWidget>

class TrayIcon;

// The small top-level window that the system tray embeds. It draws the icon and hands
// every mouse event to its TrayIcon.
class TrayIconPrivate : public QWidget
{
    Q_OBJECT

public:
    TrayIconPrivate(TrayIcon *owner, int size);

    virtual void setPixmap(const QPixmap &pixmap);
    QPixmap pixmap() const;
    // Null once the icon has let go of this window.
    TrayIcon *owner() const;
    void detach();

protected:
    // Where the pixmap goes: centred in the window.
    QPoint pixmapOrigin() const;

    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void forward(QMouseEvent *event);

    TrayIcon *m_owner;
    QPixmap m_pixmap;
};
