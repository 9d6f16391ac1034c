// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QHash>
#include <QProcess>
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
    NotificationsClient(const QString &opener, const std::function<void(const QString &)> &tell)
        : m_bus(QDBusConnection::sessionBus()), m_opener(opener), m_tell(tell)
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

    ~NotificationsClient() override
    {
        // An opener still running is the viewer's wait (a desktop without a launcher of its
        // own runs the viewer through it): ended without a word, the viewer stays open.
        for (QProcess *opener : findChildren<QProcess *>()) {
            opener->disconnect(this);
            opener->kill();
            opener->waitForFinished();
        }
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
            open(file);
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
    // Through the opener rather than QDesktopServices, which only tells whether a launcher
    // could be started: the opener's status tells whether a viewer took the file (xdg-open:
    // 0 it did, 3 there is none, 4 the viewer failed).
    void open(const QString &file)
    {
        auto *opener = new QProcess(this);
        opener->setProcessChannelMode(QProcess::ForwardedChannels);
        opener->setStandardInputFile(QProcess::nullDevice());
        connect(opener, &QProcess::errorOccurred, this, [this, opener, file](QProcess::ProcessError error) {
            if (error != QProcess::FailedToStart)
                return; // it ended, and says how
            notOpened(file, true);
            opener->deleteLater();
        });
        connect(opener, &QProcess::finished, this,
                [this, opener, file](int status, QProcess::ExitStatus how) {
                    if (how != QProcess::NormalExit || status != 0)
                        notOpened(file, how == QProcess::NormalExit && status == NoViewer);
                    opener->deleteLater();
                });
        opener->start(m_opener, {QString::fromLatin1(QUrl::fromLocalFile(file).toEncoded())});
    }

    static constexpr int NoViewer = 3;

    void notOpened(const QString &file, bool noViewer)
    {
        if (!m_tell)
            return;
        const QString shown = QDir::toNativeSeparators(file);
        m_tell(noViewer ? QStringLiteral("Δεν βρέθηκε πρόγραμμα προβολής PDF για να ανοίξει το %1").arg(shown)
                        : QStringLiteral("Το πρόγραμμα προβολής PDF δεν άνοιξε το %1").arg(shown));
    }

    QDBusConnection m_bus;
    QString m_opener;
    const std::function<void(const QString &)> &m_tell; // the notifier's, which outlives this
    QString m_server; // the unique name of the service that took the notifications
    QHash<uint, QString> m_files;
    std::optional<QStringList> m_capabilities; // of the service, once it answered
    bool m_asking = false;
    QStringList m_waiting; // files to tell once the capabilities are known
};

DesktopNotifier::DesktopNotifier(QString opener) : m_opener(std::move(opener)) {}
DesktopNotifier::~DesktopNotifier() = default;

void DesktopNotifier::printedTo(const QString &file)
{
    if (!m_client)
        m_client = std::make_unique<NotificationsClient>(m_opener, m_tell);
    m_client->notify(file);
}

void DesktopNotifier::whenNotOpened(std::function<void(const QString &)> tell)
{
    m_tell = std::move(tell);
}

} // namespace velmora

#include "desktopnotifier.moc"
