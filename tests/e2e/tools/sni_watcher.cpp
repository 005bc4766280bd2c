// A minimal StatusNotifierWatcher, the registry that KDE's and GNOME's
// AppIndicator trays keep on the session bus: it owns
// org.kde.StatusNotifierWatcher, says that a tray host is present, and
// writes "ready" once it owns the name, then one line "registered SERVICE"
// per item that registers with it. Point DBUS_SESSION_BUS_ADDRESS at a
// private bus.
//
//   sni_watcher LOG
#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusError>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

class Watcher : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)
public:
    Watcher(QObject* object, QFile& log) : QDBusAbstractAdaptor(object), log_(log) {}

    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList registeredItems() const { return items_; }

public slots:
    void RegisterStatusNotifierItem(const QString& service) {
        items_.push_back(service);
        log_.write(("registered " + service + "\n").toUtf8());
        emit StatusNotifierItemRegistered(service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

signals:
    void StatusNotifierItemRegistered(const QString& service);
    void StatusNotifierItemUnregistered(const QString& service);
    void StatusNotifierHostRegistered();

private:
    QFile& log_;
    QStringList items_;
};

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: sni_watcher LOG\n", stderr);
        return 2;
    }
    QFile log(QString::fromLocal8Bit(argv[1]));
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        std::fprintf(stderr, "sni_watcher: cannot write %s\n", argv[1]);
        return 1;
    }
    QObject watcher;
    new Watcher(&watcher, log);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "sni_watcher: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    log.write("ready\n");
    return QCoreApplication::exec();
}

#include "sni_watcher.moc"
