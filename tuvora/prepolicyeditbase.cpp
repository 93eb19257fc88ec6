#include "prepolicyeditbase.h"

#include "schedulecelldelegate.h"
#include "weekgrid.h"

#include <QEvent>
#include <QHeaderView>

#include <algorithm>

// The form's images live in a static library; whoever links it must load them. The
// resource macro declares a function and so stays outside any namespace.
static void loadEditorImages()
{
    Q_INIT_RESOURCE(prepolicyedit);
}

namespace {

constexpr int HourColumnWidth = 30;

} // namespace

prePolicyEditBase::prePolicyEditBase(QWidget *parent, const char *name, bool modal, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
    setObjectName(QString::fromLatin1(name ? name : "prePolicyEditBase"));
    loadEditorImages();
    setupUi(this);
    setModal(modal);
    lstOptions->hideColumn(1);
    lstOptions->sortItems(1, Qt::AscendingOrder);
    setUpScheduleTable(tblHorariosInt);
    setUpScheduleTable(tblHorariosApp);
    languageChange();
}

void prePolicyEditBase::setUpScheduleTable(QTableWidget *table)
{
    table->setRowCount(WeekGrid::Days);
    table->setColumnCount(WeekGrid::Hours);
    QStringList hours;
    for (int hour = 0; hour < WeekGrid::Hours; ++hour)
        hours.append(QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
    table->setHorizontalHeaderLabels(hours);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->horizontalHeader()->setDefaultSectionSize(HourColumnWidth);
    table->horizontalHeader()->setMinimumSectionSize(HourColumnWidth);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setItemDelegate(new ScheduleCellDelegate(table));
    // The arrow keys move between the cells; Tab leaves the table, as everywhere else in
    // the dialog, rather than walking its 168 cells with no way out for the keyboard.
    table->setTabKeyNavigation(false);
    for (int day = 0; day < WeekGrid::Days; ++day) {
        for (int hour = 0; hour < WeekGrid::Hours; ++hour) {
            auto *cell = new QTableWidgetItem;
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            cell->setCheckState(Qt::Unchecked);
            table->setItem(day, hour, cell);
        }
    }
}

void prePolicyEditBase::labelDays(QTableWidget *table)
{
    table->setVerticalHeaderLabels(
        { tr("Sunday"), tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"), tr("Friday"), tr("Saturday") });
    // Every hour in view at once: the table is as wide as its columns and day labels.
    table->setMinimumSize(
        table->verticalHeader()->sizeHint().width() + WeekGrid::Hours * HourColumnWidth + 2 * table->frameWidth(),
        table->horizontalHeader()->sizeHint().height() + WeekGrid::Days * table->verticalHeader()->defaultSectionSize()
            + 2 * table->frameWidth());
}

void prePolicyEditBase::languageChange()
{
    retranslateUi(this);
    labelDays(tblHorariosInt);
    labelDays(tblHorariosApp);
    // The navigation list is as wide as its longest row, and at least 140 pixels.
    lstOptions->resizeColumnToContents(0);
    const int widest = std::max(lstOptions->columnWidth(0), lstOptions->header()->sectionSizeHint(0));
    lstOptions->setFixedWidth(std::max(140, widest + 2 * lstOptions->frameWidth() + 8));
}

void prePolicyEditBase::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        languageChange();
    QDialog::changeEvent(event);
}
