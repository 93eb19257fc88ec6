#include "helpbrowser.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextCursor>

HelpBrowser::HelpBrowser(QWidget *parent)
    : QTextBrowser(parent)
{
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::onAnchorClicked);
}

void HelpBrowser::mousePressEvent(QMouseEvent *event)
{
    m_pressedAnchor = anchorAt(event->position().toPoint());
    QTextBrowser::mousePressEvent(event);
}

void HelpBrowser::mouseReleaseEvent(QMouseEvent *event)
{
    // The base class activates the link from inside this call.
    m_activatedAnchor = m_pressedAnchor;
    QTextBrowser::mouseReleaseEvent(event);
    m_activatedAnchor.clear();
}

void HelpBrowser::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        m_activatedAnchor = textCursor().charFormat().anchorHref();
    QTextBrowser::keyPressEvent(event);
    m_activatedAnchor.clear();
}

void HelpBrowser::onAnchorClicked(const QUrl &url)
{
    emit linkClicked(m_activatedAnchor.isEmpty() ? url.toString() : m_activatedAnchor);
}
