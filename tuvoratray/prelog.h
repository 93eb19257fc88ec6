#pragma once

#include "filteredlist.h"
#include "prelogbase.h"

#include <QByteArray>
#include <QPixmap>
#include <QTimer>

#include <memory>

class SlideClock;

// The tray's "View Log" window: the snapshots the tray takes, one at a time, and the
// applications, files and web addresses logs, each with a search line. The logs are
// read when the window opens; a search filters what was read as the administrator
// types, and once typing pauses, reads its log again (for the files log after the
// clean-up, for the internet log after a new report) so that the list stays current.
class preLog : public preLogBase
{
    Q_OBJECT

public:
    explicit preLog(QWidget *parent = nullptr);
    ~preLog() override;

    // How long typing pauses before a search reads its log again.
    static constexpr int SearchPauseMilliseconds = 600;
    static constexpr int SlideMilliseconds = 2000;

    // 0 for the snapshot viewer, 1 for the log viewer.
    int currentPage() const { return m_page; }

    // Test seam: the slide show's beat (the window makes a timer of its own).
    void setSlideClock(std::unique_ptr<SlideClock> clock);
    SlideClock *slideClock() const { return m_slideClock.get(); }

public slots:
    void onOptionSelected(QTreeWidgetItem *item) override;
    void onChkSlideClicked() override;
    void onSliderChanged(int position) override;
    void previousImage() override;
    void onSearchAppChanged(const QString &text) override;
    void onSearchFileChanged(const QString &text) override;
    void onSearchInternetChanged(const QString &text) override;
    void onHelpClicked() override;
    void languageChange() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Each reads its log and brings its rows up to it.
    void loadApplications();
    void loadFiles();
    void loadInternet();
    void showSnapshot();
    void refreshInternetLog();

    int m_page = 0;
    std::unique_ptr<SlideClock> m_slideClock;
    QPixmap m_snapshot;

    QByteArray m_applicationsContent;
    QByteArray m_filesContent;
    QByteArray m_internetContent;
    FilteredList m_applicationRows;
    FilteredList m_fileRows;
    FilteredList m_webRows;

    QTimer m_applicationPause;
    QTimer m_filePause;
    QTimer m_internetPause;
    bool m_reportRunning = false;
};
