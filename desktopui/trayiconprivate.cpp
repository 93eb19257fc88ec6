#include "trayiconprivate.h"

#include "trayicon.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>

TrayIconPrivate::TrayIconPrivate(TrayIcon *owner, int size)
    : QWidget(nullptr, Qt::Window)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("psidock"));
    // paintEvent covers every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    // The embedded window never becomes active, and Qt shows tool tips only for
    // active windows unless told otherwise.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setFixedSize(size, size);
}

void TrayIconPrivate::setPixmap(const QPixmap &pixmap)
{
    m_pixmap = pixmap;
    setWindowIcon(QIcon(m_pixmap));
    update();
}

QPixmap TrayIconPrivate::pixmap() const
{
    return m_pixmap;
}

TrayIcon *TrayIconPrivate::owner() const
{
    return m_owner;
}

QPoint TrayIconPrivate::pixmapOrigin() const
{
    return QPoint((width() - m_pixmap.width()) / 2, (height() - m_pixmap.height()) / 2);
}

void TrayIconPrivate::detach()
{
    m_owner = nullptr;
}

void TrayIconPrivate::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(pixmapOrigin(), m_pixmap);
}

void TrayIconPrivate::closeEvent(QCloseEvent *event)
{
    if (m_owner)
        m_owner->windowClosed();
    event->accept();
}

void TrayIconPrivate::mousePressEvent(QMouseEvent *event)
{
    forward(event);
}

void TrayIconPrivate::mouseReleaseEvent(QMouseEvent *event)
{
    forward(event);
}

void TrayIconPrivate::mouseDoubleClickEvent(QMouseEvent *event)
{
    forward(event);
}

void TrayIconPrivate::mouseMoveEvent(QMouseEvent *event)
{
    forward(event);
}

void TrayIconPrivate::forward(QMouseEvent *event)
{
    if (m_owner)
        QCoreApplication::sendEvent(m_owner, event);
}
