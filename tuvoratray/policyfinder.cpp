#include "policyfinder.h"

#include "commandrunner.h"
#include "defaultgateway.h"
#include "enginework.h"
#include "networkdir.h"
#include "networkpolicies.h"
#include "paths.h"
#include "policy.h"
#include "policyconfig.h"
#include "privileges.h"
#include "traymodecontrol.h"

#include <QDir>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextStream>
#include <QTimer>

#include <climits>

namespace {

// Tries and waits of the server's HTTP paths: the probe two tries of the probe wait,
// the stamps one try of a second. Downloads end when the server stays silent this long.
constexpr int ProbeTries = 2;
constexpr int StampWaitMs = 1000;
constexpr int DownloadWaitMs = 30000;
// What the server may send at the most: a stamp is one line, a policy a few kilobytes.
constexpr qint64 StampLimit = 64 * 1024;
constexpr qint64 PolicyLimit = 16 * 1024 * 1024;
// How often a change waiting for the tray's own engine work looks again.
constexpr int TrayIdleRetryMs = 200;

using NetworkPolicies::Outcome;

} // namespace

PolicyFinder::PolicyFinder(TrayModeControl *tray)
    : tray(tray)
    , m_network(new QNetworkAccessManager(this))
{
    // The server is on the local network; no proxy of the environment stands between.
    m_network->setProxy(QNetworkProxy::NoProxy);
    // Nothing is held yet, so whatever the server publishes is fetched again: stamps
    // left by an earlier session (one that crashed, or the machine went off) would keep
    // its school policy away.
    NetworkDir::writeFile(Paths::SchoolStamp, {});
    NetworkDir::writeFile(Paths::ParentStamp, {});
    // Nor is a policy held: one left by an earlier session would be put back into force
    // by the schedule's runs over the local policy that the tray puts into force now.
    NetworkDir::removeFile(Paths::HeldPolicy);
    if (readType() == 3) {
        checkTimer = new QTimer(this);
        connect(checkTimer, &QTimer::timeout, this, &PolicyFinder::onTimeout);
        resetCheckInterval();
        checkTimer->start();
    }
}

PolicyFinder::~PolicyFinder()
{
    finishWork();
}

void PolicyFinder::resetCheckInterval()
{
    const qint64 ms = qint64(readGatewayTimeout()) * 1000;
    checkTimer->setInterval(ms > 0 ? int(qMin<qint64>(ms, INT_MAX)) : 60000);
}

int PolicyFinder::probeWaitSeconds() const
{
    return readType() == 3 ? 120 : 2;
}

QString PolicyFinder::findServer() const
{
    QString address = readServerIP();
    if (address.isEmpty()) {
        QString gateway;
        if (readDefaultGateway(Paths::path(Paths::RouteTable), gateway) == 0)
            address = gateway;
    }
    return address;
}

void PolicyFinder::onTimeout()
{
    if (checkTimer)
        resetCheckInterval();
    if (m_checking || tray->isBusy())
        return;
    m_checking = true;
    serverAddress = findServer();
    if (serverAddress.isEmpty()) {
        serverGone();
        return;
    }
    // Exactly one rule at the head of the nat OUTPUT chain keeps the traffic to the
    // server away from the web redirect.
    const QString address = serverAddress;
    runInOrder(
        [address] {
            RootStretch stretch;
            const QString iptables = Paths::path(Paths::Iptables);
            runCommand(fillCommand(QStringLiteral("%1 -D OUTPUT -t nat -d %2 -j RETURN"), { iptables, address }));
            runCommand(fillCommand(QStringLiteral("%1 -I OUTPUT 1 -t nat -d %2 -j RETURN"), { iptables, address }));
        },
        [this, address] { probeServer(address, 1); });
}

QNetworkReply *PolicyFinder::get(const QString &path, int timeoutMs, qint64 maxBytes)
{
    QNetworkRequest request(QUrl(QStringLiteral("http://") + serverAddress + path));
    request.setTransferTimeout(timeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply *reply = m_network->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply, maxBytes](qint64 received, qint64) {
        if (received > maxBytes)
            reply->abort();
    });
    return reply;
}

void PolicyFinder::probeServer(const QString &address, int tryNumber)
{
    QNetworkReply *reply = get(QStringLiteral("/tuvss/isTuvss"), probeWaitSeconds() * 1000, StampLimit);
    connect(reply, &QNetworkReply::finished, this, [this, reply, address, tryNumber] {
        reply->deleteLater();
        if (reply->error() == QNetworkReply::NoError)
            serverAnswered();
        else if (tryNumber < ProbeTries)
            probeServer(address, tryNumber + 1);
        else
            serverGone();
    });
}

void PolicyFinder::serverGone()
{
    if (online) {
        QTextStream(stderr) << "Policy server " << serverAddress << " is gone, back to the local policy\n";
        whenTrayIdle([this] { backToParentPolicy(true, [this] { endCheck(); }); });
        return;
    }
    endCheck();
}

void PolicyFinder::serverAnswered()
{
    serverPath = QStringLiteral("tuvss");
    m_parent = {};
    m_school = {};
    m_parent.reply = get(QStringLiteral("/tuvss/parentpv"), StampWaitMs, StampLimit);
    m_school.reply = get(QStringLiteral("/tuvss/schoolpv"), StampWaitMs, StampLimit);
    for (QNetworkReply *reply : { m_parent.reply, m_school.reply }) {
        connect(reply, &QNetworkReply::finished, this, [this, reply] {
            reply->deleteLater();
            Download &stamp = reply == m_school.reply ? m_school : m_parent;
            stamp.reply = nullptr;
            if (reply->error() == QNetworkReply::NoError)
                stamp.stamp = reply->readAll();
            stamp.ok = reply->error() == QNetworkReply::NoError;
            if (!m_school.reply && !m_parent.reply)
                stampsFetched();
        });
    }
}

void PolicyFinder::stampsFetched()
{
    online = true;
    // A stamp that could not be fetched counts as unchanged.
    m_school.wanted = m_school.ok && m_school.stamp != NetworkDir::readFile(Paths::SchoolStamp);
    m_parent.wanted = m_parent.ok && m_parent.stamp != NetworkDir::readFile(Paths::ParentStamp);
    const QString folder = QLatin1Char('/') + serverPath + QLatin1Char('/');
    if (m_school.wanted) {
        schoolDownload = m_school.reply = get(folder + QStringLiteral("school.xml"), DownloadWaitMs, PolicyLimit);
        connect(schoolDownload, &QNetworkReply::finished, this, [this, reply = schoolDownload] { finished(reply); });
    }
    if (m_parent.wanted) {
        parentDownload = m_parent.reply = get(folder + QStringLiteral("parent.xml"), DownloadWaitMs, PolicyLimit);
        connect(parentDownload, &QNetworkReply::finished, this, [this, reply = parentDownload] { finished(reply); });
    }
    if (!m_school.wanted && !m_parent.wanted)
        endCheck();
}

void PolicyFinder::finished(QNetworkReply *reply)
{
    Download *download = reply == m_school.reply ? &m_school : reply == m_parent.reply ? &m_parent : nullptr;
    if (!download || !reply)
        return;
    reply->deleteLater();
    download->reply = nullptr;
    download->ok = reply->error() == QNetworkReply::NoError;
    if (download->ok)
        download->content = reply->readAll();
    // What came from the server, for whoever looks after the network.
    QTextStream(stderr) << "Policy server " << serverAddress << ": " << reply->url().path() << ' '
                        << (download->ok ? QString::number(download->content.size()) + QStringLiteral(" bytes")
                                         : reply->errorString())
                        << '\n';
    if (reply == schoolDownload)
        schoolDownload = nullptr;
    if (reply == parentDownload)
        parentDownload = nullptr;
    if (!m_school.reply && !m_parent.reply)
        applyDownloads();
}

void PolicyFinder::applyDownloads()
{
    struct Result
    {
        Outcome school = Outcome::Unchanged;
        bool listChanged = false;
    };
    auto result = std::make_shared<Result>();
    // The stamp copy is only updated once its policy is here: a failed download is
    // tried again at the next check.
    const Download school = m_school.wanted && m_school.ok ? m_school : Download {};
    const Download parent = m_parent.wanted && m_parent.ok ? m_parent : Download {};
    whenTrayIdle([=, this] {
        runInOrder(
            [this, school, parent, result] {
                if (school.ok && NetworkDir::writeFile(Paths::SchoolDownload, school.content)) {
                    result->school
                        = NetworkPolicies::applySchoolPolicy(networkPolicy, Paths::path(Paths::SchoolDownload));
                    NetworkDir::removeFile(Paths::SchoolDownload);
                    NetworkDir::writeFile(Paths::SchoolStamp, school.stamp);
                }
                if (parent.ok && NetworkDir::writeFile(Paths::ParentDownload, parent.content)) {
                    result->listChanged
                        = NetworkPolicies::applyParentPolicy(networkPolicy, Paths::path(Paths::ParentDownload));
                    NetworkDir::removeFile(Paths::ParentDownload);
                    NetworkDir::writeFile(Paths::ParentStamp, parent.stamp);
                }
            },
            [this, result] {
                if (result->school == Outcome::NetworkMode) {
                    tray->showNetworkMode();
                } else if (result->school == Outcome::LocalMode) {
                    online = false;
                    tray->showLocalModeAgain();
                }
                if (result->listChanged)
                    tray->restartAdminProgram();
                endCheck();
            });
    });
}

void PolicyFinder::whenTrayIdle(std::function<void()> step)
{
    if (!tray->isBusy()) {
        step();
        return;
    }
    QTimer::singleShot(TrayIdleRetryMs, this, [this, step = std::move(step)] { whenTrayIdle(step); });
}

void PolicyFinder::endCheck()
{
    m_checking = false;
    emit checkFinished();
}

void PolicyFinder::backToParentPolicy()
{
    backToParentPolicy(true);
}

void PolicyFinder::backToParentPolicy(bool resetSchoolStamp)
{
    backToParentPolicy(resetSchoolStamp, {});
}

void PolicyFinder::backToParentPolicy(bool resetSchoolStamp, std::function<void()> then)
{
    online = false;
    runInOrder(
        [this, resetSchoolStamp] {
            NetworkPolicies::returnToLocalPolicy(networkPolicy);
            // So that the next check that reaches the server fetches its school policy again.
            if (resetSchoolStamp)
                NetworkDir::writeFile(Paths::SchoolStamp, {});
        },
        [this, then = std::move(then)] {
            tray->showLocalModeAgain();
            if (then)
                then();
        });
}

void PolicyFinder::takeIncoming(bool teacherMode, std::function<void(bool teacherMode)> done)
{
    const bool anyPolicy = asRoot([] {
        return !QDir(Paths::path(Paths::IncomingDir))
                    .entryList({ QStringLiteral("policy_*.xml") },
                        QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive)
                    .isEmpty();
    });
    if (!anyPolicy) {
        done(teacherMode);
        return;
    }
    auto result = std::make_shared<NetworkPolicies::IncomingResult>();
    runInOrder(
        [this, teacherMode, result] {
            *result = NetworkPolicies::takeIncomingPolicies(networkPolicy, teacherMode);
            if (result->outcome == Outcome::LocalMode)
                NetworkDir::writeFile(Paths::SchoolStamp, {});
        },
        [this, result, done = std::move(done)] {
            if (result->outcome == Outcome::TeacherMode) {
                tray->showTeacherMode();
            } else if (result->outcome == Outcome::LocalMode) {
                online = false;
                tray->showLocalModeAgain();
            }
            done(result->teacherMode);
        });
}

void PolicyFinder::runInOrder(std::function<void()> work, std::function<void()> done)
{
    m_queue.push_back({ std::move(work), std::move(done) });
    if (!m_working)
        runNextWork();
}

void PolicyFinder::runNextWork()
{
    if (m_queue.empty()) {
        m_working = false;
        return;
    }
    m_working = true;
    Work next = std::move(m_queue.front());
    m_queue.pop_front();
    runEngineWork(this, std::move(next.work), [this, done = std::move(next.done)] {
        if (done)
            done();
        runNextWork();
    });
}

void PolicyFinder::finishWork()
{
    QEventLoop loop;
    while (m_working)
        loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::ExcludeUserInputEvents);
}

PolicyFinder *sharedPolicyFinder(TrayModeControl *tray)
{
    static PolicyFinder *finder = new PolicyFinder(tray);
    return finder;
}
