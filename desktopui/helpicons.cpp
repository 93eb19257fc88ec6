#include "helpicons.h"

#include <QString>

namespace HelpIcons {

const QIcon &closedFolder()
{
    static const QIcon icon(QStringLiteral(":/tuvora/images/folder-closed.png"));
    return icon;
}

const QIcon &openFolder()
{
    static const QIcon icon(QStringLiteral(":/tuvora/images/folder-open.png"));
    return icon;
}

const QIcon &document()
{
    static const QIcon icon(QStringLiteral(":/tuvora/images/document.png"));
    return icon;
}

} // namespace HelpIcons
