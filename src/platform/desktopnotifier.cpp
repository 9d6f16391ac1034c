#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDesktopServices>
#include <QDir>
#include <QHash>
#include <QUrl>

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
    }

    void notify(const QString &file)
    {
        if (!m_bus.isConnected())
            return;
        QDBusMessage call =
            QDBusMessage::createMethodCall(Service, ObjectPath, Service, QStringLiteral("Notify"));
        const QString open = QStringLiteral("Άνοιγμα");
        call << QStringLiteral("Βελμόρα") << 0u << AppId << QStringLiteral("Εκτύπωση σε αρχείο PDF")
             << QStringLiteral("Η εκτύπωση αποθηκεύτηκε στο αρχείο %1").arg(QDir::toNativeSeparators(file))
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
    void actionInvoked(uint id, const QString &, const QDBusMessage &signal)
    {
        const QString file = signal.service() == m_server ? m_files.value(id) : QString();
        if (!file.isEmpty())
            QDesktopServices::openUrl(QUrl::fromLocalFile(file));
    }

    void closed(uint id, uint, const QDBusMessage &signal)
    {
        if (signal.service() == m_server)
            m_files.remove(id);
    }

private:
    QDBusConnection m_bus;
    QString m_server; // the unique name of the service that took the notifications
    QHash<uint, QString> m_files;
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
