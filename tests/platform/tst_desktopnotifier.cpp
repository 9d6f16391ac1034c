// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The PDF's notice on a session bus of the test's own, with notification services played
// by connections of the test: what the body says, and what «Άνοιγμα» opens.

#include "desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
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

    // The desktop's opener played by a script: it notes the file it is given, then ends
    // with `status` as xdg-open does (0 opened, 3 no viewer, 4 the viewer failed).
    QString opener(int status)
    {
        const QString path = m_dir.filePath(QStringLiteral("opener-%1").arg(status));
        QFile script(path);
        if (!script.exists() && script.open(QIODevice::WriteOnly)) {
            script.write(QStringLiteral("#!/bin/sh\nprintf '%s\\n' \"$1\" >> '%1'\nexit %2\n")
                             .arg(m_dir.filePath(QStringLiteral("opened")))
                             .arg(status)
                             .toUtf8());
            script.close();
            script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        return path;
    }
    QStringList opened() const
    {
        QFile log(m_dir.filePath(QStringLiteral("opened")));
        QStringList files;
        if (log.open(QIODevice::ReadOnly))
            for (const QByteArray &line : log.readAll().split('\n'))
                if (!line.isEmpty())
                    files << QUrl::fromEncoded(line).toLocalFile();
        return files;
    }

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
    }
    void init() { QFile::remove(m_dir.filePath(QStringLiteral("opened"))); }
    void cleanupTestCase()
    {
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
        DesktopNotifier notifier(opener(0));
        auto first = std::make_unique<FakeNotifications>(m_address, QStringLiteral("first"), QStringList());
        QVERIFY(first->take());
        notifier.printedTo(QStringLiteral("/tmp/one.pdf"));
        notifier.printedTo(QStringLiteral("/tmp/two.pdf"));
        QTRY_COMPARE(first->bodies.size(), 2);
        QTest::qWait(100); // the answers reach the notifier

        first->click(2, QStringLiteral("reply"));
        first->click(1, QStringLiteral("default"));
        QTRY_COMPARE(opened(), QStringList{QStringLiteral("/tmp/one.pdf")});

        first->leave();
        FakeNotifications second(m_address, QStringLiteral("second"), QStringList());
        QVERIFY(second.take());
        notifier.printedTo(QStringLiteral("/tmp/three.pdf"));
        QTRY_COMPARE(second.bodies.size(), 1);
        QTest::qWait(100);
        second.click(2, QStringLiteral("default")); // another program's notice, numbered 2 anew
        second.click(1, QStringLiteral("open"));
        QTRY_COMPARE(opened(),
                     (QStringList{QStringLiteral("/tmp/one.pdf"), QStringLiteral("/tmp/three.pdf")}));
        QTest::qWait(100);
        QCOMPARE(opened().size(), 2);
        second.leave();
    }

    // «Άνοιγμα» that no viewer answers is told in the program's words; one that opens the
    // file is not.
    void whatIsToldWhenThePdfDoesNotOpen_data()
    {
        QTest::addColumn<int>("status"); // the opener's; -1: there is no opener
        QTest::addColumn<QString>("told");
        QTest::newRow("opened") << 0 << QString();
        QTest::newRow("no viewer") << 3
                                   << QStringLiteral(
                                          "Δεν βρέθηκε πρόγραμμα προβολής PDF για να ανοίξει το /tmp/x.pdf");
        QTest::newRow("the viewer failed")
            << 4 << QStringLiteral("Το πρόγραμμα προβολής PDF δεν άνοιξε το /tmp/x.pdf");
        QTest::newRow("no opener installed")
            << -1 << QStringLiteral("Δεν βρέθηκε πρόγραμμα προβολής PDF για να ανοίξει το /tmp/x.pdf");
    }
    void whatIsToldWhenThePdfDoesNotOpen()
    {
        QFETCH(int, status);
        QFETCH(QString, told);
        FakeNotifications service(m_address, QStringLiteral("opening"), QStringList());
        QVERIFY(service.take());
        QStringList said;
        {
            DesktopNotifier notifier(status < 0 ? m_dir.filePath(QStringLiteral("none")) : opener(status));
            notifier.whenNotOpened([&said](const QString &text) { said << text; });
            notifier.printedTo(QStringLiteral("/tmp/x.pdf"));
            QTRY_COMPARE(service.bodies.size(), 1);
            QTest::qWait(100); // the answer reaches the notifier
            service.click(1, QStringLiteral("default"));
            if (status >= 0)
                QTRY_COMPARE(opened(), QStringList{QStringLiteral("/tmp/x.pdf")});
            QTRY_COMPARE(said, told.isEmpty() ? QStringList() : QStringList{told});
            QTest::qWait(100);
            QCOMPARE(said.size(), told.isEmpty() ? 0 : 1);
        }
        service.leave();
    }

private:
    QProcess m_daemon;
    QString m_address;
    QTemporaryDir m_dir;
};

QTEST_MAIN(tst_desktopnotifier)
#include "tst_desktopnotifier.moc"
