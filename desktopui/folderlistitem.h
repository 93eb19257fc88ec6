#pragma once

#include <QTreeWidgetItem>

class Folder;

// A row of the help topic tree showing one Folder. Rows for the sub-topics are made
// with insertSubFolders.
class FolderListItem : public QTreeWidgetItem
{
public:
    FolderListItem(QTreeWidget *parent, Folder *folder);
    FolderListItem(FolderListItem *parent, Folder *folder);

    Folder *folder() const { return m_folder; }
    void insertSubFolders();

private:
    Folder *m_folder;
};
