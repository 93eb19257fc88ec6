#include "folder.h"

Folder::Folder(Folder *parent, const QString &title, const QString &fileName)
    : QObject(parent)
    , m_parent(parent)
    , m_title(title)
    , m_fileName(fileName)
{
    if (parent)
        parent->m_children.append(this);
}
