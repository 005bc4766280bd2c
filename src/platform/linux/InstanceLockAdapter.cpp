#include "InstanceLockAdapter.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>

#include <unistd.h>

namespace cursovia::qtx11 {
namespace {

// A window on another X display is another screen's business: one copy per display.
QString sessionName() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    QString display = qEnvironmentVariable("DISPLAY");
    display.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QStringLiteral("/cursovia-%1-%2").arg(::getuid()).arg(display);
}

} // namespace

LocalSocketInstanceLock::LocalSocketInstanceLock() : name_(sessionName()), lock_(name_ + QStringLiteral(".lock")) {}

bool LocalSocketInstanceLock::claim() {
    if (!lock_.tryLock(0)) return lock_.error() != QLockFile::LockFailedError; // unwritable folder: run unguarded
    const QString socket = name_ + QStringLiteral(".socket");
    QLocalServer::removeServer(socket); // left by a copy that was killed
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    server_.listen(socket);
    return true;
}

bool LocalSocketInstanceLock::askHolderToShow() {
    for (int attempt = 0; attempt < 30; ++attempt) { // a copy still starting listens within moments
        QLocalSocket socket;
        socket.connectToServer(name_ + QStringLiteral(".socket"));
        if (socket.waitForConnected(200)) {
            socket.write("show\n");
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void LocalSocketInstanceLock::onShowAsked(std::function<void()> show) {
    const auto answer = [this, show] {
        while (QLocalSocket* asking = server_.nextPendingConnection()) {
            asking->deleteLater();
            show();
        }
    };
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, answer);
    QTimer::singleShot(0, &server_, answer); // the copies that asked while this one was starting

}

} // namespace cursovia::qtx11
