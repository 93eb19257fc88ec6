#include "prelog.h"

#include "filelogcleanup.h"
#include "helpopener.h"
#include "logentries.h"
#include "loglines.h"
#include "logsettings.h"
#include "pagelist.h"
#include "paths.h"
#include "privileges.h"
#include "slideclock.h"
#include "snapshotlist.h"
#include "webreport.h"

#include <QFile>
#include <QImage>

namespace {

QString actionText(FileAction action)
{
    switch (action) {
    case FileAction::Viewed:
        return preLog::tr("Viewed");
    case FileAction::Created:
        return preLog::tr("Created");
    case FileAction::Edited:
        return preLog::tr("Edited");
    case FileAction::Deleted:
        return preLog::tr("Deleted");
    }
    return {};
}

// One row per entry, with the entry's texts and the key its search looks in.
template <typename Entry, typename Texts, typename Key>
ListRows rowsOf(const QList<Entry> &entries, Texts texts, Key key)
{
    ListRows rows;
    rows.items.reserve(entries.size());
    rows.keys.reserve(entries.size());
    for (const Entry &entry : entries) {
        rows.items.append(new QTreeWidgetItem(texts(entry)));
        rows.keys.append(key(entry));
    }
    return rows;
}

ListRows applicationRows(const QByteArray &content)
{
    return rowsOf(
        parseApplicationsLog(content),
        [](const ApplicationLogEntry &entry) {
            return QStringList { entry.application, entry.when };
        },
        [](const ApplicationLogEntry &entry) { return entry.application; });
}

ListRows fileRows(const QByteArray &content)
{
    return rowsOf(
        parseFilesLog(content),
        [](const FileLogEntry &entry) {
            return QStringList { entry.path, actionText(entry.action), entry.when };
        },
        [](const FileLogEntry &entry) { return entry.path; });
}

ListRows webRows(const QByteArray &content)
{
    return rowsOf(
        parseInternetLog(content),
        [](const WebLogEntry &entry) {
            return QStringList { entry.hits, entry.url };
        },
        [](const WebLogEntry &entry) { return entry.url; });
}

// Brings the list up to the log as it reads now: nothing to do when it reads as
// before, only the new lines' rows when it has grown, all rows anew otherwise.
void updateRows(FilteredList &list, QByteArray &shown, const QByteArray &now, ListRows (*rows)(const QByteArray &))
{
    switch (logChange(shown, now)) {
    case LogChange::Same:
        return;
    case LogChange::Grown:
        list.appendRows(rows(now.sliced(shown.size())));
        break;
    case LogChange::Replaced:
        list.setRows(rows(now));
        break;
    }
    shown = now;
}

} // namespace

preLog::preLog(QWidget *parent)
    : preLogBase(parent, "preLog")
    , m_applicationRows(lstAppLog)
    , m_fileRows(lstFileLog)
    , m_webRows(lstInternetLog)
{
    setSlideClock(std::make_unique<TimerSlideClock>());
    setUpPageList(lstOptions);
    m_page = 0;

    lstAppLog->setColumnWidth(0, 250);
    lstAppLog->sortByColumn(0, Qt::AscendingOrder);
    lstFileLog->setColumnWidth(0, 300);
    lstFileLog->setColumnWidth(1, 100);
    lstInternetLog->setColumnWidth(0, 80);

    for (QTimer *pause : { &m_applicationPause, &m_filePause, &m_internetPause }) {
        pause->setSingleShot(true);
        pause->setInterval(SearchPauseMilliseconds);
    }
    connect(&m_applicationPause, &QTimer::timeout, this, [this] { loadApplications(); });
    connect(&m_filePause, &QTimer::timeout, this, [this] { loadFiles(); });
    connect(&m_internetPause, &QTimer::timeout, this, &preLog::refreshInternetLog);

    loadApplications();
    loadFiles();
    // The report is written afresh whenever the web log is kept.
    if (readLogSettings().internetLog)
        writeWebReport();
    loadInternet();

    m_page = 0;
    wstack->setCurrentIndex(0);
    // The newest snapshot is on show as the window opens.
    onSliderChanged(sldSlider->value());
    onChkSlideClicked();
    btnCancel->setFocus();
}

preLog::~preLog() = default;

void preLog::setSlideClock(std::unique_ptr<SlideClock> clock)
{
    const bool running = m_slideClock && m_slideClock->isActive();
    m_slideClock = std::move(clock);
    m_slideClock->setBeat([this] { previousImage(); });
    if (running)
        m_slideClock->start(SlideMilliseconds);
}

void preLog::loadApplications()
{
    updateRows(
        m_applicationRows, m_applicationsContent, readLogAsRoot(Paths::path(Paths::ApplicationsLog)), applicationRows);
}

void preLog::loadFiles()
{
    const QByteArray content = asRoot([] { return cleanFilesLog(Paths::path(Paths::FilesLog)); });
    updateRows(m_fileRows, m_filesContent, content, fileRows);
}

void preLog::loadInternet()
{
    updateRows(m_webRows, m_internetContent, readLogAsRoot(Paths::path(Paths::InternetLog)), webRows);
}

void preLog::refreshInternetLog()
{
    // One report at a time; the one running reads the log with the search as it is then.
    if (m_reportRunning)
        return;
    m_reportRunning = true;
    startWebReport(this, [this](bool) {
        m_reportRunning = false;
        loadInternet();
    });
}

void preLog::onSearchAppChanged(const QString &text)
{
    m_applicationRows.filter(text);
    m_applicationPause.start();
}

void preLog::onSearchFileChanged(const QString &text)
{
    m_fileRows.filter(text);
    m_filePause.start();
}

void preLog::onSearchInternetChanged(const QString &text)
{
    m_webRows.filter(text);
    m_internetPause.start();
}

void preLog::onSliderChanged(int position)
{
    QStringList names;
    QByteArray image;
    const QString directory = Paths::path(Paths::SnapshotDir);
    asRoot([&] {
        names = snapshotsNewestFirst(directory);
        if (position >= 0 && position < names.size()) {
            QFile file(QStringLiteral("%1/%2").arg(directory, names.at(position)));
            if (file.open(QIODevice::ReadOnly))
                image = file.readAll();
        }
    });
    // The picture is decoded as the user, outside the root stretch.
    m_snapshot = QPixmap::fromImage(QImage::fromData(image));
    showSnapshot();
    sldSlider->setMaximum(qMax(0, int(names.size()) - 1));
}

void preLog::showSnapshot()
{
    if (m_snapshot.isNull()) {
        imgSnap->clear();
        return;
    }
    imgSnap->setPixmap(
        m_snapshot.scaled(imgSnap->contentsRect().size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void preLog::resizeEvent(QResizeEvent *event)
{
    preLogBase::resizeEvent(event);
    showSnapshot();
}

void preLog::previousImage()
{
    sldSlider->setValue(previousSlidePosition(sldSlider->value(), sldSlider->maximum()));
}

void preLog::onChkSlideClicked()
{
    if (chkSlide->isChecked())
        m_slideClock->start(SlideMilliseconds);
    else
        m_slideClock->stop();
}

void preLog::onOptionSelected(QTreeWidgetItem *item)
{
    const int page = raisePage(lstOptions, wstack, item);
    if (page < 0)
        return;
    m_page = page;
    if (page == 0) {
        // Back on the snapshots, the newest one is shown, with the folder read again.
        if (sldSlider->value() != 0)
            sldSlider->setValue(0);
        else
            onSliderChanged(0);
        onChkSlideClicked();
    } else {
        m_slideClock->stop();
    }
}

void preLog::onHelpClicked()
{
    openHelpPage(this, m_page == 0 ? QStringLiteral("Snapshots.html") : QStringLiteral("ViewLog.html"));
}

void preLog::languageChange()
{
    preLogBase::languageChange();
    // The action words of the files log are the window's own texts.
    if (!m_filesContent.isEmpty())
        m_fileRows.setRows(fileRows(m_filesContent));
}
