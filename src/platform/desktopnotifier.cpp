#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QDir>
#include <QHash>
#include <QUrl>

#include <optional>
#include <utility>

namespace velmora {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString ObjectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString AppId = QStringLiteral("org.velmora.Velmora");

} // namespace

class NotificationsClient : public QObject
{
    Q_OBJECT

public:
    NotificationsClient() : m_bus(QDBusConnection::sessionBus())
    {
        // From any sender: naming the service would have Qt ask the bus for its owner and
        // wait for the answer. The answer to Notify names the service that counts.
        m_bus.connect(QString(), ObjectPath, Service, QStringLiteral("ActionInvoked"), this,
                      SLOT(actionInvoked(uint, QString, QDBusMessage)));
        m_bus.connect(QString(), ObjectPath, Service, QStringLiteral("NotificationClosed"), this,
                      SLOT(closed(uint, uint, QDBusMessage)));
        // Another owner numbers its notifications anew: the ids of the last one would
        // stand for other programs' notifications.
        m_bus.connect(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameOwnerChanged"), {Service},
                      QString(), this, SLOT(ownerChanged(QString, QString, QString)));
    }

    // The body is markup for a service that says so, and plain text otherwise: the
    // notice waits for the service's capabilities, without the program waiting.
    void notify(const QString &file)
    {
        if (!m_bus.isConnected())
            return;
        m_waiting << file;
        if (m_capabilities)
            return sendWaiting();
        if (m_asking)
            return;
        m_asking = true;
        auto *watcher =
            new QDBusPendingCallWatcher(m_bus.asyncCall(QDBusMessage::createMethodCall(
                                            Service, ObjectPath, Service, QStringLiteral("GetCapabilities"))),
                                        this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
            const QDBusPendingReply<QStringList> reply = *w;
            m_asking = false;
            m_capabilities = reply.isError() ? QStringList() : reply.value();
            sendWaiting();
            w->deleteLater();
        });
    }

private:
    void sendWaiting()
    {
        const QStringList files = std::exchange(m_waiting, {});
        for (const QString &file : files)
            send(file);
    }

    void send(const QString &file)
    {
        QString body =
            QStringLiteral("Η εκτύπωση αποθηκεύτηκε στο αρχείο %1").arg(QDir::toNativeSeparators(file));
        if (m_capabilities && m_capabilities->contains(QStringLiteral("body-markup")))
            body = body.toHtmlEscaped();
        QDBusMessage call =
            QDBusMessage::createMethodCall(Service, ObjectPath, Service, QStringLiteral("Notify"));
        const QString open = QStringLiteral("Άνοιγμα");
        call << QStringLiteral("Βελμόρα") << 0u << AppId << QStringLiteral("Εκτύπωση σε αρχείο PDF") << body
             << QStringList{QStringLiteral("default"), open, QStringLiteral("open"), open}
             // Kept until the user dismisses it, and kept after «Άνοιγμα» too: once it
             // is gone, nothing in the program says where the PDF went.
             << QVariantMap{{QStringLiteral("desktop-entry"), AppId}, {QStringLiteral("resident"), true}}
             << 0;
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, file](QDBusPendingCallWatcher *w) {
            const QDBusPendingReply<uint> reply = *w;
            if (!reply.isError()) {
                m_server = reply.reply().service();
                m_files.insert(reply.value(), file);
            }
            w->deleteLater();
        });
    }

private slots:
    void actionInvoked(uint id, const QString &action, const QDBusMessage &signal)
    {
        // Only the keys this program gave: another program's action on a notification
        // of the same number is not a click on ours.
        if (action != QLatin1String("default") && action != QLatin1String("open"))
            return;
        const QString file = signal.service() == m_server ? m_files.value(id) : QString();
        if (!file.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    }

    void closed(uint id, uint, const QDBusMessage &signal)
    {
        if (signal.service() == m_server)
            m_files.remove(id);
    }

    void ownerChanged(const QString &, const QString &, const QString &)
    {
        m_server.clear();
        m_files.clear();
        m_capabilities.reset();
    }

private:
    QDBusConnection m_bus;
    QString m_server; // the unique name of the service that took the notifications
    QHash<uint, QString> m_files;
    std::optional<QStringList> m_capabilities; // of the service, once it answered
    bool m_asking = false;
    QStringList m_waiting; // files to tell once the capabilities are known
};

DesktopNotifier::DesktopNotifier() = default;
DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::printedTo(const QString &file)
{
    if (!m_client)
        m_client = std::make_unique<NotificationsClient>();
    m_client->notify(file);
}

} // namespace velmora

#include "desktopnotifier.moc"
