#include "helpdlg.h"

#include "folder.h"
#include "folderlistitem.h"
#include "helpbrowser.h"
#include "helpicons.h"
#include "privileges.h"
#include "setuidstart.h"
#include "userprocess.h"

#include <QDebug>
#include <QDomDocument>
#include <QFile>
#include <QHeaderView>
#include <QStandardPaths>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUrl>

HelpDlg::HelpDlg(const QString &baseDirectory, const QString &indexFile, QWidget *parent, const char *name)
    : QSplitter(Qt::Horizontal, parent)
    , m_baseDirectory(baseDirectory)
{
    setObjectName(QString::fromLatin1(name ? name : "HelpDlg"));

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("lstFolders"));
    m_tree->setColumnCount(1);
    m_tree->setHeaderLabels({ QString() });
    m_tree->header()->hide();
    m_tree->setSortingEnabled(false);
    m_tree->setRootIsDecorated(true);
    // Long titles scroll sideways rather than being cut short.
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->header()->setStretchLastSection(false);
    m_tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    auto *rightPane = new QSplitter(Qt::Vertical, this);
    m_browser = new HelpBrowser(rightPane);
    m_browser->setObjectName(QStringLiteral("browser"));

    // The tree keeps its width when the viewer is resized; the pane takes the rest.
    setStretchFactor(indexOf(m_tree), 0);
    setStretchFactor(indexOf(rightPane), 1);

    loadIndex(indexFile);
    fillTree();

    // The selection, not the current row: the tree makes its first row current when it
    // gets the focus, which must not replace the page the help was opened on.
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this,
        [this] { slotFolderChanged(m_tree->selectedItems().value(0)); });
    connect(m_tree, &QTreeWidget::itemExpanded, this, &HelpDlg::slotOpenFolder);
    connect(m_tree, &QTreeWidget::itemCollapsed, this, &HelpDlg::slotCloseFolder);
    connect(m_browser, &HelpBrowser::linkClicked, this, &HelpDlg::slotLinkClicked);

    setSizes({ 180, 615 });
}

void HelpDlg::widenTreeToTitles()
{
    // 180 pixels, or as much more (up to a third of the viewer) as the titles of the
    // fully opened tree need, so that no title is cut off.
    const int icon = m_tree->iconSize().isValid() ? m_tree->iconSize().width()
                                                  : m_tree->style()->pixelMetric(QStyle::PM_SmallIconSize);
    int needed = 0;
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem *up = (*it)->parent(); up; up = up->parent())
            ++depth;
        const QRect text = m_tree->fontMetrics().boundingRect((*it)->text(0));
        needed = qMax(needed, (depth + 1) * m_tree->indentation() + icon + text.width() + 24);
    }
    needed += 2 * m_tree->frameWidth();
    const int width = qBound(180, needed, qMax(180, this->width() / 3));
    const int total = qMax(this->width(), 795);
    setSizes({ width, total - width });
}

void HelpDlg::showEvent(QShowEvent *event)
{
    QSplitter::showEvent(event);
    if (!m_widened) {
        m_widened = true;
        widenTreeToTitles();
    }
    // The page opens with the focus; the tree would otherwise make its first row
    // current and scroll sideways to it.
    if (!m_tree->currentItem())
        m_browser->setFocus();
}

HelpDlg::~HelpDlg()
{
    // The rows refer to the topics: take the rows down first.
    m_tree->clear();
    qDeleteAll(m_folders);
}

void HelpDlg::loadIndex(const QString &indexFile)
{
    QDomDocument document(QStringLiteral("conteudo"));
    const bool parsed = asRoot([&] {
        QFile file(indexFile);
        return file.open(QIODevice::ReadOnly) && bool(document.setContent(&file));
    });
    if (!parsed)
        return;
    readTopics(document.documentElement(), nullptr);
}

void HelpDlg::readTopics(const QDomElement &element, Folder *parent)
{
    for (QDomElement child = element.firstChildElement(); !child.isNull(); child = child.nextSiblingElement()) {
        auto *folder
            = new Folder(parent, child.attribute(QStringLiteral("nome")), child.attribute(QStringLiteral("arquivo")));
        if (!parent)
            m_folders.append(folder);
        readTopics(child, folder);
    }
}

void HelpDlg::fillTree()
{
    for (Folder *folder : std::as_const(m_folders)) {
        auto *row = new FolderListItem(m_tree, folder);
        row->insertSubFolders();
    }
}

void HelpDlg::showPage(const QString &pageName)
{
    m_browser->setSource(QUrl::fromLocalFile(m_baseDirectory + pageName));
}

void HelpDlg::slotFolderChanged(QTreeWidgetItem *row)
{
    auto *item = static_cast<FolderListItem *>(row);
    if (!item)
        return;
    m_browser->clear();
    showPage(item->folder()->fileName());
}

void HelpDlg::slotRMB(QTreeWidgetItem *, const QPoint &, int)
{ }

// Only folders change: the tree also reports leaves as expanded when a whole branch is
// expanded at once (the "*" key), and a page must keep its document icon.
void HelpDlg::slotOpenFolder(QTreeWidgetItem *row)
{
    if (row && row->childCount() > 0)
        row->setIcon(0, HelpIcons::openFolder());
}

void HelpDlg::slotCloseFolder(QTreeWidgetItem *row)
{
    if (row && row->childCount() > 0)
        row->setIcon(0, HelpIcons::closedFolder());
}

QString HelpDlg::webBrowserProgram()
{
    return QStandardPaths::findExecutable(
        QStringLiteral("firefox"), QString::fromLatin1(SetuidStart::searchPath).split(QLatin1Char(':')));
}

void HelpDlg::slotLinkClicked(const QString &link)
{
    const QString program = webBrowserProgram();
    if (program.isEmpty() || !startDetachedAsUser(program, { link }))
        qDebug("Failed to start firefox");
    m_browser->reload();
}
