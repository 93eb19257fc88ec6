#include "prepolicyedit.h"

#include "applicationchoice.h"
#include "domaincheck.h"
#include "helpopener.h"
#include "importfiledialog.h"
#include "listimport.h"
#include "menutree.h"
#include "messagebox.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "policyeditsave.h"
#include "preapplicationitem.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

namespace {

// Above this many selected entries a list is rebuilt rather than thinned row by row.
constexpr int RebuildThreshold = 200;

bool allCellsSet(const WeekGrid &grid)
{
    for (int cell = 0; cell < WeekGrid::Cells; ++cell) {
        if (!grid.isRestricted(cell))
            return false;
    }
    return true;
}

} // namespace

prePolicyEdit::prePolicyEdit(Policy &policy, const PolicyNameCheck *listWindow, QWidget *parent)
    : prePolicyEditBase(parent)
    , m_policy(policy)
    , m_listWindow(listWindow)
{
    fillFromPolicy();
    buildApplicationTree();

    btnRemoveUrl->setEnabled(false);
    btnRemoveUrlWhite->setEnabled(false);
    btnRemoveContent->setEnabled(false);
    // The category and age-range tab is not offered; its age options still carry the
    // policy's value through a save.
    tabInternet->removeTab(tabInternet->indexOf(tabGeneral));
    lstOptions->setCurrentItem(lstOptions->topLevelItem(0));
    onOptionSelected(lstOptions->topLevelItem(0));
    connect(lstUrls, &QListWidget::itemSelectionChanged, this, &prePolicyEdit::onLstUrlSelectionChanged);
    connect(lstUrlsWhite, &QListWidget::itemSelectionChanged, this, &prePolicyEdit::onLstUrlWhiteSelectionChanged);
    connect(lstContent, &QListWidget::itemSelectionChanged, this, &prePolicyEdit::onLstContentSelectionChanged);
    resize(sizeHint().expandedTo(minimumSize()));
}

QString prePolicyEdit::helpPage(int page)
{
    static const char *const pages[] = { "PolicyCreation.html", "InternetBlock.html", "ApplicationsBlock.html",
        "InternetSchedule.html", "ApplicationSchedule.html" };
    return QString::fromLatin1(pages[std::clamp(page, 0, int(std::size(pages)) - 1)]);
}

prePolicyEdit::ListColumn prePolicyEdit::blackColumn() const
{
    return { txtUrl, btnInsUrl, lstUrls, chkSelectUrl, btnImportUrl, btnRemoveUrl };
}

prePolicyEdit::ListColumn prePolicyEdit::whiteColumn() const
{
    return { txtUrlWhite, btnInsUrlWhite, lstUrlsWhite, chkSelectUrlWhite, btnImportUrlWhite, btnRemoveUrlWhite };
}

prePolicyEdit::ListColumn prePolicyEdit::contentColumn() const
{
    return { txtContent, btnInsContent_2, lstContent, chkSelectContents, btnImportContent, btnRemoveContent };
}

void prePolicyEdit::fillFromPolicy()
{
    m_openingName = m_policy.name;
    txtName->setText(m_policy.name);
    txtDescription->setText(m_policy.description);
    const QList<QRadioButton *> ageOptions { optAgeRange0, optAgeRange1, optAgeRange2 };
    if (m_policy.internet.ageRange >= 0 && m_policy.internet.ageRange < ageOptions.size())
        ageOptions.at(m_policy.internet.ageRange)->setChecked(true);
    if (m_policy.internet.listType == 0) {
        optBlacklist->setChecked(true);
        onOptBlackClicked();
    } else if (m_policy.internet.listType == 1) {
        optWhitelist->setChecked(true);
        onOptWhiteClicked();
    }
    showInStoredOrder(lstContent, m_policy.internet.content);
    showInStoredOrder(lstUrls, m_policy.internet.urls);
    showInStoredOrder(lstUrlsWhite, m_policy.internet.urlsWhite);

    if (readType() == 1) {
        // A type the selector does not offer leaves it on its first entry.
        if (m_policy.type == Policy::ServerDefinedLocal || m_policy.type == Policy::Network)
            cmbType->setCurrentIndex(m_policy.type - 1);
    } else {
        lblType->hide();
        cmbType->hide();
    }

    fillSchedule(tblHorariosInt, m_policy.internetGrid);
    fillSchedule(tblHorariosApp, m_policy.applicationGrid);
    chkSelectInternet->setChecked(allCellsSet(m_policy.internetGrid));
    chkSelectApps->setChecked(allCellsSet(m_policy.applicationGrid));
}

void prePolicyEdit::showInStoredOrder(QListWidget *list, const QStringList &texts)
{
    list->addItems(texts);
    if (!std::is_sorted(texts.cbegin(), texts.cend()))
        m_unsortedLists.insert(list);
}

void prePolicyEdit::buildApplicationTree()
{
    QList<MenuRow> menu = readMenuFile(Paths::path(Paths::MenuFile));
    menu += rowsForApplicationsNotInMenu(menu, m_policy.applications);
    lstApplications->setUpdatesEnabled(false);
    addMenuRows(menu, nullptr);
    lstApplications->setUpdatesEnabled(true);
}

void prePolicyEdit::addMenuRows(const QList<MenuRow> &rows, QTreeWidgetItem *folder)
{
    // The built-in images for entries whose icon the theme does not have.
    const QIcon folderIcon(QStringLiteral(":/tuvora/images/folder-closed.png"));
    const QIcon applicationIcon(QStringLiteral(":/tuvora/editor/application-generic.png"));
    for (const MenuRow &row : rows) {
        if (row.isFolder) {
            auto *item = folder ? new QTreeWidgetItem(folder, { row.text })
                                : new QTreeWidgetItem(lstApplications, { row.text });
            item->setIcon(0, menuIcon(row.icon, folderIcon));
            addMenuRows(row.children, item);
            continue;
        }
        auto *item = folder ? new preApplicationItem(folder, row.text, row.application)
                            : new preApplicationItem(lstApplications, row.text, row.application);
        item->setIcon(0, menuIcon(row.icon, applicationIcon));
        if (m_policy.applications.contains(row.application.desktopFile)) {
            item->setOn(true);
            // What the policy blocks is in view without opening every folder.
            for (QTreeWidgetItem *parent = folder; parent; parent = parent->parent())
                parent->setExpanded(true);
        }
        const ApplicationChoice choice = applicationChoice(row.application);
        if (!choice.allowed)
            item->setEnabled(false, choice.reason);
        m_applicationRows.append(item);
    }
}

QIcon prePolicyEdit::menuIcon(const QString &name, const QIcon &fallback)
{
    const auto cached = m_icons.constFind(name);
    if (cached != m_icons.constEnd())
        return cached->isNull() ? fallback : *cached;
    QIcon icon;
    if (QDir::isAbsolutePath(name)) {
        if (QFile::exists(name))
            icon = QIcon(name);
    } else if (!name.isEmpty()) {
        // Older menu entries name the icon file rather than the icon.
        static const QRegularExpression extension(QStringLiteral("\\.(png|svg|xpm)$"));
        icon = QIcon::fromTheme(QString(name).remove(extension));
    }
    // The tree draws icons at 20 by 20 pixels at most: a larger image is scaled down
    // smoothly when it is drawn, a smaller one is drawn as it is.
    m_icons.insert(name, icon);
    return icon.isNull() ? fallback : icon;
}

void prePolicyEdit::onSaveClicked()
{
    switch (checkNameAndDescription(txtName->text(), m_openingName, txtDescription->text(), m_listWindow)) {
    case NameProblem::NameTaken:
        return warn(tr("There is another policy using this name."));
    case NameProblem::NoName:
        return warn(tr("Please, inform the Policy Name."));
    case NameProblem::NoDescription:
        return warn(tr("Please, inform the Policy Description."));
    case NameProblem::None:
        break;
    }
    storePolicyEdit(m_policy, shownValues(), readType());
    accept();
}

PolicyEditValues prePolicyEdit::shownValues() const
{
    PolicyEditValues values;
    values.name = txtName->text();
    values.description = txtDescription->text();
    values.content = entries(lstContent);
    values.urls = entries(lstUrls);
    values.urlsWhite = entries(lstUrlsWhite);
    values.internetGrid = readSchedule(tblHorariosInt);
    values.applicationGrid = readSchedule(tblHorariosApp);
    for (const preApplicationItem *row : m_applicationRows) {
        if (row->isOn())
            values.applications.append(row->application());
    }
    values.whiteList = optWhitelist->isChecked();
    values.ageRange = optAgeRange0->isChecked() ? 0 : optAgeRange1->isChecked() ? 1 : 2;
    values.typeIndex = std::max(cmbType->currentIndex(), 0);
    return values;
}

void prePolicyEdit::onInsertUrlClicked()
{
    addDomain(blackColumn());
}

void prePolicyEdit::onInsUrlWhiteClicked()
{
    addDomain(whiteColumn());
}

void prePolicyEdit::addDomain(const ListColumn &column)
{
    const DomainInput input = readDomain(column.edit->text());
    if (input.verdict == DomainInput::Empty)
        return warn(tr("Please, inform a Domain."));
    column.edit->setText(input.stripped);
    if (input.prefixRemoved)
        inform(tr("It's not necessary to inform the protocol and www.\nSystem will change it to a valid URL."));
    if (isListed(column.list, input.listedForm()))
        return warn(tr("This domain is already listed."));
    if (input.verdict != DomainInput::Valid)
        return warn(tr("Please, insert a valid domain."));
    insertSorted(column.list, input.domain);
    column.edit->clear();
    updateSelectAllBox(column);
}

void prePolicyEdit::onInsertContentClicked()
{
    const QString text = txtContent->text();
    if (text.trimmed().isEmpty())
        return warn(tr("Please, inform a Content."));
    insertSorted(lstContent, text);
    txtContent->clear();
    chkSelectContents->setChecked(false);
}

int prePolicyEdit::sortedPosition(const QListWidget *list, const QString &text)
{
    int low = 0;
    int high = list->count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (list->item(middle)->text() < text)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

bool prePolicyEdit::isListed(const QListWidget *list, const QString &text) const
{
    if (m_unsortedLists.contains(list))
        return !list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty();
    const int row = sortedPosition(list, text);
    return row < list->count() && list->item(row)->text() == text;
}

void prePolicyEdit::insertSorted(QListWidget *list, const QString &text)
{
    // A list shown in its stored order is sorted whole once; after that a binary
    // search finds the place, so that a long list takes no full sort.
    if (m_unsortedLists.contains(list))
        return showSorted(list, entries(list) << text);
    list->insertItem(sortedPosition(list, text), text);
}

void prePolicyEdit::showSorted(QListWidget *list, QStringList texts)
{
    m_unsortedLists.remove(list);
    // The list's own sort compares the rows through their item data, which takes
    // seconds for 100,000 rows; the texts sort in a few milliseconds.
    if (!std::is_sorted(texts.cbegin(), texts.cend()))
        std::sort(texts.begin(), texts.end());
    list->clear();
    list->addItems(texts);
}

void prePolicyEdit::onRemoveUrlClicked()
{
    removeSelected(lstUrls);
}

void prePolicyEdit::onRemoveUrlWhiteClicked()
{
    removeSelected(lstUrlsWhite);
}

void prePolicyEdit::onRemoveContentClicked()
{
    removeSelected(lstContent);
}

void prePolicyEdit::removeSelected(QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    if (selected.size() <= RebuildThreshold) {
        qDeleteAll(selected);
        return;
    }
    // Taking many rows out one by one moves the rest each time.
    QStringList kept;
    for (int row = 0; row < list->count(); ++row) {
        if (!list->item(row)->isSelected())
            kept.append(list->item(row)->text());
    }
    list->clear();
    list->addItems(kept);
}

void prePolicyEdit::onChkUrlClicked()
{
    selectAllFromBox(blackColumn());
}

void prePolicyEdit::onChkUrlWhiteClicked()
{
    selectAllFromBox(whiteColumn());
}

void prePolicyEdit::onChkContentsClicked()
{
    selectAllFromBox(contentColumn());
}

void prePolicyEdit::selectAllFromBox(const ListColumn &column)
{
    if (column.selectAll->isChecked())
        column.list->selectAll();
    else
        column.list->clearSelection();
}

void prePolicyEdit::onLstUrlClicked()
{
    updateRemoveButton(blackColumn());
}

void prePolicyEdit::onLstUrlWhiteClicked()
{
    updateRemoveButton(whiteColumn());
}

void prePolicyEdit::onLstContentClicked()
{
    updateRemoveButton(contentColumn());
}

void prePolicyEdit::updateRemoveButton(const ListColumn &column)
{
    column.remove->setEnabled(column.list->selectionModel()->hasSelection());
}

void prePolicyEdit::onLstUrlSelectionChanged()
{
    updateSelectAllBox(blackColumn());
}

void prePolicyEdit::onLstUrlWhiteSelectionChanged()
{
    updateSelectAllBox(whiteColumn());
}

void prePolicyEdit::onLstContentSelectionChanged()
{
    updateSelectAllBox(contentColumn());
}

void prePolicyEdit::updateSelectAllBox(const ListColumn &column)
{
    const int count = column.list->count();
    column.selectAll->setChecked(count > 0 && column.list->selectionModel()->selectedRows().size() == count);
}

void prePolicyEdit::onOptBlackClicked()
{
    setColumnEnabled(blackColumn(), true);
    setColumnEnabled(whiteColumn(), false);
}

void prePolicyEdit::onOptWhiteClicked()
{
    setColumnEnabled(blackColumn(), false);
    setColumnEnabled(whiteColumn(), true);
}

void prePolicyEdit::setColumnEnabled(const ListColumn &column, bool enabled)
{
    for (QWidget *widget : std::initializer_list<QWidget *> {
             column.edit, column.add, column.remove, column.selectAll, column.list, column.import })
        widget->setEnabled(enabled);
}

void prePolicyEdit::onImportUrlClicked()
{
    importList(blackColumn(), true);
}

void prePolicyEdit::onImportUrlWhiteClicked()
{
    importList(whiteColumn(), true);
}

void prePolicyEdit::onImportContentClicked()
{
    importList(contentColumn(), false);
}

void prePolicyEdit::importList(const ListColumn &column, bool domains)
{
    const QString fileName = ImportFileDialog::getOpenFileName(
        this, tr("Import list"), QDir::homePath(), tr("Text files (*.txt *.list *.hosts);;All files (*)"));
    if (fileName.isEmpty())
        return;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return warn(tr("The file \"%1\" could not be read.").arg(fileName));
    const QByteArray content = file.readAll();
    const QStringList listed = entries(column.list);
    const ListImport result = domains ? importDomains(content, listed) : importWords(content, listed);
    if (!result.added.isEmpty()) {
        QStringList added = result.added;
        std::sort(added.begin(), added.end());
        if (m_unsortedLists.contains(column.list)) {
            showSorted(column.list, listed + added);
        } else {
            // Two sorted runs: merged rather than sorted again.
            QStringList merged;
            merged.reserve(listed.size() + added.size());
            std::merge(listed.cbegin(), listed.cend(), added.cbegin(), added.cend(), std::back_inserter(merged));
            showSorted(column.list, merged);
        }
        updateSelectAllBox(column);
    }
    QString report = tr("Added: %1\nAlready listed: %2\nRefused: %3")
                         .arg(result.added.size())
                         .arg(result.alreadyListed)
                         .arg(result.refused);
    if (!result.firstRefused.isEmpty())
        report += QLatin1String("\n\n") + tr("First refused lines:") + QLatin1Char('\n')
            + result.firstRefused.join(QLatin1Char('\n'));
    inform(report);
}

QStringList prePolicyEdit::entries(const QListWidget *list)
{
    QStringList texts;
    texts.reserve(list->count());
    for (int row = 0; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void prePolicyEdit::onChkInternetClicked()
{
    if (chkSelectInternet->isChecked())
        onIntCheckAllClicked();
    else
        onIntUncheckAllClicked();
}

void prePolicyEdit::onChkApplicationClicked()
{
    if (chkSelectApps->isChecked())
        onAppCheckAllClicked();
    else
        onAppUncheckAllClicked();
}

void prePolicyEdit::onIntCheckAllClicked()
{
    checkAllCells(tblHorariosInt, true);
}

void prePolicyEdit::onIntUncheckAllClicked()
{
    checkAllCells(tblHorariosInt, false);
}

void prePolicyEdit::onAppCheckAllClicked()
{
    checkAllCells(tblHorariosApp, true);
}

void prePolicyEdit::onAppUncheckAllClicked()
{
    checkAllCells(tblHorariosApp, false);
}

void prePolicyEdit::fillSchedule(QTableWidget *table, const WeekGrid &grid)
{
    for (int day = 0; day < WeekGrid::Days; ++day) {
        for (int hour = 0; hour < WeekGrid::Hours; ++hour)
            table->item(day, hour)->setCheckState(
                grid.isRestricted(WeekGrid::cellIndex(day, hour)) ? Qt::Checked : Qt::Unchecked);
    }
}

WeekGrid prePolicyEdit::readSchedule(const QTableWidget *table)
{
    WeekGrid grid;
    for (int day = 0; day < WeekGrid::Days; ++day) {
        for (int hour = 0; hour < WeekGrid::Hours; ++hour)
            grid[WeekGrid::cellIndex(day, hour)] = table->item(day, hour)->checkState() == Qt::Checked ? 1 : 0;
    }
    return grid;
}

void prePolicyEdit::checkAllCells(QTableWidget *table, bool checked)
{
    WeekGrid grid;
    grid.fill(checked ? 1 : 0);
    fillSchedule(table, grid);
}

void prePolicyEdit::onOptionSelected(QTreeWidgetItem *row)
{
    if (!row)
        return;
    m_page = lstOptions->indexOfTopLevelItem(row);
    wstack->setCurrentIndex(m_page);
}

void prePolicyEdit::onHelpClicked()
{
    openHelpPage(this, helpPage(m_page));
}

void prePolicyEdit::warn(const QString &text)
{
    MessageBox::warning(this, tr("Tuvora - Alert"), text, { tr("OK") });
}

void prePolicyEdit::inform(const QString &text)
{
    MessageBox::information(this, tr("Tuvora - Information"), text, { tr("OK") });
}
