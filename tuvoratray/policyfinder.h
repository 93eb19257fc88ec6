#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <deque>
#include <functional>
#include <memory>

class Policy;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class TrayModeControl;

// Follows a policy server on the local network: finds it (configured address or default
// gateway), lets traffic to it bypass the web redirect, probes it, fetches the school and
// parent policies whose version stamps changed and puts them into force, and returns the
// machine to its local policy when the server is gone. It also holds the teacher policy
// that the tray takes from the incoming folder.
//
// Nothing here waits on the network: probes, stamps and downloads run on the event loop.
// What changes policies takes seconds (services restart) and runs on a work queue of its
// own, one piece after the other on a worker thread; networkPolicy is changed only by
// that work, so the tray reads or changes it through runInOrder() as well.
class PolicyFinder : public QObject
{
    Q_OBJECT

public:
    explicit PolicyFinder(TrayModeControl *tray);
    ~PolicyFinder() override;

    // The downloads of the last check, while they run.
    QNetworkReply *schoolDownload = nullptr;
    QNetworkReply *parentDownload = nullptr;
    // The server answered the last probe.
    bool online = false;
    // The server address used by the last check, and its URL path word once probed.
    QString serverAddress;
    QString serverPath;
    // The school or teacher policy currently held (and owned); null when none.
    std::unique_ptr<Policy> networkPolicy;

    // Engine work in order, after all work queued before it: `work` on a worker thread
    // (its root stretches raise only that thread), then `done` on this object's thread.
    void runInOrder(std::function<void()> work, std::function<void()> done = {});
    // Returns once the queued work has ended, keeping events going meanwhile: the tray
    // calls it before it lifts the policy in force at exit.
    void finishWork();

    // The teacher policies of the incoming folder (the tray's checkIncoming): taken on
    // the work queue; `done` gets the teacher mode afterwards, at once when the folder
    // holds no policy.
    void takeIncoming(bool teacherMode, std::function<void(bool teacherMode)> done);

    // A network check is under way (probe, stamps, downloads or their policies).
    bool checking() const { return m_checking; }

public slots:
    void backToParentPolicy();
    // Drops the held network or teacher policy and puts the local one back into force.
    void backToParentPolicy(bool resetSchoolStamp);
    // One network check; a tick that comes while one is still under way is left out.
    void onTimeout();
    // A download has ended.
    void finished(QNetworkReply *reply);

signals:
    // The check started by onTimeout() has ended, with whatever it put into force.
    void checkFinished();

private:
    struct Download
    {
        QNetworkReply *reply = nullptr;
        QByteArray stamp;
        QByteArray content;
        bool ok = false;
        bool wanted = false;
    };

    QString findServer() const;
    int probeWaitSeconds() const;
    void resetCheckInterval();
    QNetworkReply *get(const QString &path, int timeoutMs, qint64 maxBytes);
    void probeServer(const QString &address, int tryNumber);
    void serverGone();
    void serverAnswered();
    void stampsFetched();
    void applyDownloads();
    void backToParentPolicy(bool resetSchoolStamp, std::function<void()> then);
    void endCheck();
    void runNextWork();
    // Runs the step once the tray's own engine work is over.
    void whenTrayIdle(std::function<void()> step);

    TrayModeControl *tray;
    QTimer *checkTimer = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    bool m_checking = false;
    QNetworkReply *m_schoolStamp = nullptr;
    QNetworkReply *m_parentStamp = nullptr;
    Download m_school;
    Download m_parent;

    struct Work
    {
        std::function<void()> work;
        std::function<void()> done;
    };
    std::deque<Work> m_queue;
    bool m_working = false;
};

// The one finder of the process: created on first need with the tray, never deleted.
PolicyFinder *sharedPolicyFinder(TrayModeControl *tray);
