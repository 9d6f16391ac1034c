// The PDF's notice on a session bus of the test's own, with notification services played
// by connections of the test: what the body says, and what «Άνοιγμα» opens.

#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDesktopServices>
#include <QProcess>
#include <QTest>
#include <QUrl>

using namespace velmora;

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString ObjectPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

// One owner of the service: numbers its notifications from 1, as a freshly started one does.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    FakeNotifications(const QString &address, const QString &name, QStringList capabilities)
        : m_bus(QDBusConnection::connectToBus(address, name)), m_capabilities(std::move(capabilities))
    {
        m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAllSlots);
    }
    ~FakeNotifications() override
    {
        const QString name = m_bus.name();
        m_bus = QDBusConnection(QString());
        QDBusConnection::disconnectFromBus(name);
    }
    bool take() { return m_bus.registerService(Service); }
    void leave() { m_bus.unregisterService(Service); }
    void click(uint id, const QString &action)
    {
        QDBusMessage signal =
            QDBusMessage::createSignal(ObjectPath, Service, QStringLiteral("ActionInvoked"));
        signal << id << action;
        m_bus.send(signal);
    }

    QStringList bodies;

public slots:
    QStringList GetCapabilities() { return m_capabilities; }
    uint Notify(const QString &, uint, const QString &, const QString &, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        bodies << body;
        return uint(bodies.size());
    }

private:
    QDBusConnection m_bus;
    QStringList m_capabilities;
};

class tst_desktopnotifier : public QObject
{
    Q_OBJECT

public slots:
    void opened(const QUrl &url) { m_opened << url.toLocalFile(); }

private slots:
    void initTestCase()
    {
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--session"), QStringLiteral("--nofork"),
                        QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
        if (!m_daemon.waitForStarted() || !m_daemon.waitForReadyRead(10000))
            QSKIP("no dbus-daemon to give the test a session bus");
        m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
        // Before the program's side first asks for the session bus.
        qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
        QVERIFY(QDBusConnection::sessionBus().isConnected());
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "opened");
    }
    void cleanupTestCase()
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        m_daemon.kill();
        m_daemon.waitForFinished();
    }

    void theBodyIsMarkupOnlyWhereTheServiceReadsItSo_data()
    {
        QTest::addColumn<QStringList>("capabilities");
        QTest::addColumn<QString>("body");
        const QString file = QStringLiteral("/home/a&b/<Έγγραφα>/x.pdf");
        QTest::newRow("body-markup") << QStringList{QStringLiteral("body"), QStringLiteral("body-markup")}
                                     << QStringLiteral("Η εκτύπωση αποθηκεύτηκε στο αρχείο /home/a&amp;b/"
                                                       "&lt;Έγγραφα&gt;/x.pdf");
        QTest::newRow("plain") << QStringList{QStringLiteral("body")}
                               << QStringLiteral("Η εκτύπωση αποθηκεύτηκε στο αρχείο ") + file;
    }
    void theBodyIsMarkupOnlyWhereTheServiceReadsItSo()
    {
        QFETCH(QStringList, capabilities);
        QFETCH(QString, body);
        FakeNotifications service(m_address, QStringLiteral("markup"), capabilities);
        QVERIFY(service.take());
        {
            DesktopNotifier notifier;
            notifier.printedTo(QStringLiteral("/home/a&b/<Έγγραφα>/x.pdf"));
            QTRY_COMPARE(service.bodies, QStringList{body});
        }
        service.leave();
    }

    // «Άνοιγμα» opens the PDF of that notice: not on another program's action key, and
    // not on a number a new owner of the service gave another program's notice.
    void openOnlyThePdfOfThatNotice()
    {
        m_opened.clear();
        DesktopNotifier notifier;
        auto first = std::make_unique<FakeNotifications>(m_address, QStringLiteral("first"), QStringList());
        QVERIFY(first->take());
        notifier.printedTo(QStringLiteral("/tmp/one.pdf"));
        notifier.printedTo(QStringLiteral("/tmp/two.pdf"));
        QTRY_COMPARE(first->bodies.size(), 2);
        QTest::qWait(100); // the answers reach the notifier

        first->click(2, QStringLiteral("reply"));
        first->click(1, QStringLiteral("default"));
        QTRY_COMPARE(m_opened, QStringList{QStringLiteral("/tmp/one.pdf")});

        first->leave();
        FakeNotifications second(m_address, QStringLiteral("second"), QStringList());
        QVERIFY(second.take());
        notifier.printedTo(QStringLiteral("/tmp/three.pdf"));
        QTRY_COMPARE(second.bodies.size(), 1);
        QTest::qWait(100);
        second.click(2, QStringLiteral("default")); // another program's notice, numbered 2 anew
        second.click(1, QStringLiteral("open"));
        QTRY_COMPARE(m_opened,
                     (QStringList{QStringLiteral("/tmp/one.pdf"), QStringLiteral("/tmp/three.pdf")}));
        QTest::qWait(100);
        QCOMPARE(m_opened.size(), 2);
        second.leave();
    }

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_opened;
};

QTEST_MAIN(tst_desktopnotifier)
#include "tst_desktopnotifier.moc"
