#include "contextfitler.h"

#include <QEvent>

contextFitler::contextFitler(QObject *parent)
    : QObject(parent)
{ }

bool contextFitler::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu)
        return true;
    return QObject::eventFilter(watched, event);
}
