#pragma once

#include <QObject>
#include <QString>

#include <memory>

class Policy;
class QTimer;
class TrayModeControl;

// Follows a policy server on the local network: finds it (configured address or default
// gateway), lets traffic to it bypass the web redirect, probes it, fetches the school and
// parent policies whose version stamps changed and puts them into force, and returns the
// machine to its local policy when the server is gone. It also holds the teacher policy
// that the tray takes from the incoming folder.
//
// Nothing here waits on the network: probes, stamps and downloads run on the event loop.
class PolicyFinder : public QObject
{
    Q_OBJECT

public:
    explicit PolicyFinder(TrayModeControl *tray);
    ~PolicyFinder() override;

    // The server answered the last probe.
    bool online = false;
    // The server address used by the last check, and its URL path word once probed.
    QString serverAddress;
    QString serverPath;
    // The school or teacher policy currently held (and owned); null when none.
    std::unique_ptr<Policy> networkPolicy;

public slots:
    void backToParentPolicy();
    // Drops the held network or teacher policy and puts the local one back into force.
    void backToParentPolicy(bool resetSchoolStamp);
    // One network check.
    void onTimeout();

private:
    TrayModeControl *tray;
    QTimer *checkTimer = nullptr;
};

// The one finder of the process: created on first need with the tray, never deleted.
PolicyFinder *sharedPolicyFinder(TrayModeControl *tray);
