#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

// The name of the first visible label or control of a shown window that is cut off by
// the window's edges or squeezed below the size its content needs; empty when every
// one shows whole.
inline QString firstCutOffChild(const QWidget &window)
{
    for (const QWidget *child : window.findChildren<QWidget *>()) {
        if (!child->isVisible() || child->isWindow())
            continue;
        if (!qobject_cast<const QLabel *>(child) && !child->focusPolicy())
            continue;
        const QRect inWindow(child->mapTo(&window, QPoint(0, 0)), child->size());
        // A picture scaled into its label shows whole at any size.
        const auto *label = qobject_cast<const QLabel *>(child);
        const QSize needed = label && label->hasScaledContents() ? QSize() : child->minimumSizeHint();
        if (!window.rect().contains(inWindow) || child->width() < needed.width() || child->height() < needed.height())
            return child->objectName();
    }
    return QString();
}
