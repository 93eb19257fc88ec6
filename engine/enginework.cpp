#include "enginework.h"

#include <QEventLoop>
#include <QObject>
#include <QThread>

void runEngineWork(QObject *context, std::function<void()> work, std::function<void()> done)
{
    QThread *worker = QThread::create(std::move(work));
    QObject::connect(worker, &QThread::finished, worker, &QObject::deleteLater);
    QObject::connect(worker, &QThread::finished, context, std::move(done));
    worker->start();
}

void runEngineWorkAndWait(std::function<void()> work)
{
    QEventLoop loop;
    runEngineWork(&loop, std::move(work), [&loop] { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
