#include "folderlistitem.h"

#include "folder.h"
#include "helpicons.h"

FolderListItem::FolderListItem(QTreeWidget *parent, Folder *folder)
    : QTreeWidgetItem(parent)
    , m_folder(folder)
{
    setText(0, folder->title());
    // A top-level topic without sub-topics has no icon.
    if (!folder->children().isEmpty())
        setIcon(0, HelpIcons::closedFolder());
}

FolderListItem::FolderListItem(FolderListItem *parent, Folder *folder)
    : QTreeWidgetItem(parent)
    , m_folder(folder)
{
    setText(0, folder->title());
    setIcon(0, folder->children().isEmpty() ? HelpIcons::document() : HelpIcons::closedFolder());
}

void FolderListItem::insertSubFolders()
{
    for (Folder *child : m_folder->children()) {
        auto *row = new FolderListItem(this, child);
        row->insertSubFolders();
    }
}
