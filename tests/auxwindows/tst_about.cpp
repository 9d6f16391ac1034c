// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "frmabout.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

using Value = FakeSettingsStore::Value;
using ValueType = SettingsStore::ValueType;

namespace {

const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString LocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString Unavailable = QStringLiteral("System Information Is Unavailable At This Time");

} // namespace

class AboutTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        TestPlatform tp;
        Run()
        {
            tp.forms.registerForm(FormName::frmAbout, [this]() -> QWidget * {
                auto *w = new frmAbout(tp.platform(), tp.forms);
                w->Form_Load();
                return w;
            });
        }
        ~Run()
        {
            tp.forms.unload(FormName::frmAbout);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        frmAbout *open()
        {
            tp.forms.show(FormName::frmAbout);
            return tp.forms.form<frmAbout>(FormName::frmAbout);
        }
        bool loaded() const { return tp.forms.isLoaded(FormName::frmAbout); }
    };

private slots:
    void cardCountFromTheFileLength_data()
    {
        QTest::addColumn<qint64>("length"); // -1: no card file
        QTest::addColumn<QString>("biblio");
        QTest::newRow("missing") << qint64(-1) << QStringLiteral("Έκδοση Βιβλιογραφίας :  0");
        QTest::newRow("empty") << qint64(0) << QStringLiteral("Έκδοση Βιβλιογραφίας :  0");
        QTest::newRow("97 bytes") << qint64(97) << QStringLiteral("Έκδοση Βιβλιογραφίας :  0");
        QTest::newRow("98 bytes") << qint64(98) << QStringLiteral("Έκδοση Βιβλιογραφίας :  1");
        QTest::newRow("292 bytes") << qint64(292) << QStringLiteral("Έκδοση Βιβλιογραφίας :  1");
        QTest::newRow("293 bytes") << qint64(293) << QStringLiteral("Έκδοση Βιβλιογραφίας :  2");
        QTest::newRow("1234 cards") << qint64(1234 * 195) << QStringLiteral("Έκδοση Βιβλιογραφίας :  1234");
    }
    void cardCountFromTheFileLength()
    {
        QFETCH(qint64, length);
        QFETCH(QString, biblio);
        Run run;
        QByteArray bytes;
        if (length >= 0) {
            bytes = QByteArray(length, 'A');
            QFile f(run.tp.cardFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        frmAbout *about = run.open();
        QCOMPARE(about->lblBiblio->text(), biblio);
        // Only the length is read: a missing file is not created, an existing one is unchanged.
        QCOMPARE(QFile::exists(run.tp.cardFile()), length >= 0);
        if (length >= 0)
            QCOMPARE(run.tp.cardFileBytes(), bytes);
    }

    void everyOpeningCountsAfresh()
    {
        Run run;
        run.tp.writeCards({card(QStringLiteral("1"))});
        QCOMPARE(run.open()->lblBiblio->text(), QStringLiteral("Έκδοση Βιβλιογραφίας :  1"));
        run.tp.forms.unload(FormName::frmAbout);
        run.tp.writeCards({card(QStringLiteral("1")), card(QStringLiteral("2")), card(QStringLiteral("3"))});
        QCOMPARE(run.open()->lblBiblio->text(), QStringLiteral("Έκδοση Βιβλιογραφίας :  3"));
    }

    void labelsAfterLoad()
    {
        Run run;
        frmAbout *a = run.open();
        QCOMPARE(a->windowTitle(), QStringLiteral("Περί του ..."));
        QCOMPARE(a->lblVersion->text(), QStringLiteral("Έκδοση Προγράμματος:  3.0.0"));

        const QStringList title = a->lblTitle->text().split(QStringLiteral("\r\n"));
        QCOMPARE(title.size(), 2);
        QCOMPARE(title[0], QStringLiteral("Βελμόρα - Σερβαλίνη"));
        QVERIFY(!title[1].isEmpty());

        QCOMPARE(a->lblDescription->text(), QStringLiteral("Σερβαλίνη\r\n"
                                                           "Πολιτική, Οικονομική, Πολιτιστική Ιστορία\r\n"
                                                           "και Αρχαιολογία (Βιβλία και Ψηφιακοί Δίσκοι)"));

        const QStringList disclaimer = a->lblDisclaimer->text().split(QStringLiteral("\r\n"));
        QCOMPARE(disclaimer.size(), 3);
        QCOMPARE(disclaimer[0], QStringLiteral("Η Βιβλιογραφία Βελμόρα διατίθεται ΔΩΡΕΑΝ. Πληροφορίες:"));
        QVERIFY(disclaimer[1].startsWith(QStringLiteral("E-mail: ")));
        QVERIFY(disclaimer[1].size() > 8);
        QVERIFY(disclaimer[2].startsWith(QStringLiteral("URL: ")));
        QVERIFY(disclaimer[2].size() > 5);

        // Every line break is CR LF: no bare line feed anywhere.
        for (QLabel *l : {a->lblTitle, a->lblDescription, a->lblDisclaimer})
            QCOMPARE(l->text().count(QLatin1Char('\n')), l->text().count(QStringLiteral("\r\n")));

        QCOMPARE(a->cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(a->cmdSysInfo->text(), QStringLiteral("&System Info..."));
        QCOMPARE(a->palette().color(QPalette::Window), QColor(255, 192, 128));
        QVERIFY(!a->picIcon->pixmap().isNull());
        for (const char *name : {"picIcon", "lblTitle", "lblVersion", "lblBiblio", "lblDescription",
                                 "lblDisclaimer", "cmdOK", "cmdSysInfo", "Line1", "Line2"})
            QVERIFY2(a->findChild<QWidget *>(QString::fromLatin1(name)), name);
    }

    void designCaptionsBeforeLoad()
    {
        TestPlatform tp;
        frmAbout a(tp.platform(), tp.forms);
        QCOMPARE(a.lblTitle->text(), QStringLiteral("Application Title"));
        QCOMPARE(a.lblVersion->text(), QStringLiteral("Version"));
        QCOMPARE(a.lblBiblio->text(), QStringLiteral("Bibliography Version"));
        QCOMPARE(a.lblDescription->text(), QStringLiteral("App Description"));
        QCOMPARE(a.lblDisclaimer->text(), QStringLiteral("Warning: ..."));
    }

    void okIsDefaultAndCancel_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }
    void okIsDefaultAndCancel()
    {
        QFETCH(int, key);
        Run run;
        frmAbout *a = run.open();
        QVERIFY(QTest::qWaitForWindowActive(a));
        QVERIFY(a->cmdOK->isDefault());
        QSignalSpy clicked(a->cmdOK, &QPushButton::clicked);
        QTest::keyClick(a, Qt::Key(key));
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!run.loaded());
    }

    void okUnloads()
    {
        Run run;
        QPointer<frmAbout> a = run.open();
        QTest::mouseClick(a->cmdOK, Qt::LeftButton);
        QVERIFY(!run.loaded());
        QVERIFY(!a->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(a.isNull());
    }

    void getKeyValue_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<bool>("valueExists");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QString>("text");
        const int text = int(ValueType::String);
        QTest::newRow("ends in NUL") << true << true << QByteArray("/usr/bin/hardinfo\0", 18) << text << true
                                     << QStringLiteral("/usr/bin/hardinfo");
        QTest::newRow("no NUL") << true << true << QByteArray("/usr/bin/hardinfo") << text << true
                                << QStringLiteral("/usr/bin/hardinfo");
        QTest::newRow("only one NUL dropped")
            << true << true << QByteArray("ab\0\0", 4) << text << true << QString::fromLatin1("ab\0", 3);
        QTest::newRow("just a NUL") << true << true << QByteArray("\0", 1) << text << true << QString();
        QTest::newRow("empty") << true << true << QByteArray() << text << true << QString();
        QTest::newRow("UTF-8 path") << true << true << QByteArray("/opt/Βελμόρα\0") << text << true
                                    << QStringLiteral("/opt/Βελμόρα");
        QTest::newRow("not text") << true << true << QByteArray("\x01\0\0\0", 4) << int(ValueType::Other)
                                  << true << QString();
        QTest::newRow("1024 bytes") << true << true << QByteArray(1024, 'x') << text << true
                                    << QString(1024, QLatin1Char('x'));
        QTest::newRow("too long") << true << true << QByteArray(1025, 'x') << text << false << QString();
        QTest::newRow("no value") << true << false << QByteArray() << text << false << QString();
        QTest::newRow("no key") << false << false << QByteArray() << text << false << QString();
    }
    void getKeyValue()
    {
        QFETCH(bool, keyExists);
        QFETCH(bool, valueExists);
        QFETCH(QByteArray, stored);
        QFETCH(int, type);
        QFETCH(bool, result);
        QFETCH(QString, text);
        TestPlatform tp;
        if (keyExists)
            tp.settings.keys[SysInfoKey];
        if (valueExists)
            tp.settings.keys[SysInfoKey][QStringLiteral("PATH")] = Value{stored, ValueType(type)};
        frmAbout a(tp.platform(), tp.forms);
        QString KeyVal = QStringLiteral("left over");
        QCOMPARE(a.GetKeyValue(SettingsStore::LocalMachine, SysInfoKey, QStringLiteral("PATH"), KeyVal),
                 result);
        QCOMPARE(KeyVal, text);
        QCOMPARE(tp.settings.accessMasks, QList<quint32>{0x2003F});
        // Every key opened is closed again, whatever happened after the open.
        QCOMPARE(tp.settings.closed, tp.settings.openKeys.size());
        QCOMPARE(tp.settings.openKeys.size(), keyExists ? 1 : 0);
    }

    void startSysInfo_data()
    {
        QTest::addColumn<QByteArray>("path");     // PATH of the MSINFO key; null: no key
        QTest::addColumn<QByteArray>("location"); // MSINFO of the location key; null: no key
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QStringList>("started");
        QTest::addColumn<bool>("unavailable");
        const QString exe = QStringLiteral("C:\\Tools\\MSINFO32.EXE");
        QTest::newRow("store empty") << QByteArray() << QByteArray() << QStringList() << true << QStringList()
                                     << true;
        QTest::newRow("PATH") << QByteArray("/usr/bin/hardinfo\0", 18) << QByteArray() << QStringList()
                              << true << QStringList{QStringLiteral("/usr/bin/hardinfo")} << false;
        QTest::newRow("PATH before location")
            << QByteArray("/usr/bin/hardinfo") << QByteArray("C:\\Tools\0", 9) << QStringList{exe} << true
            << QStringList{QStringLiteral("/usr/bin/hardinfo")} << false;
        QTest::newRow("location, program there") << QByteArray() << QByteArray("C:\\Tools\0", 9)
                                                 << QStringList{exe} << true << QStringList{exe} << false;
        QTest::newRow("location, no program")
            << QByteArray() << QByteArray("C:\\Tools\0", 9) << QStringList() << true << QStringList() << true;
        QTest::newRow("start fails") << QByteArray("/usr/bin/hardinfo") << QByteArray() << QStringList()
                                     << false << QStringList{QStringLiteral("/usr/bin/hardinfo")} << true;
        QTest::newRow("location start fails") << QByteArray() << QByteArray("C:\\Tools") << QStringList{exe}
                                              << false << QStringList{exe} << true;
    }
    void startSysInfo()
    {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, location);
        QFETCH(QStringList, existing);
        QFETCH(bool, startSucceeds);
        QFETCH(QStringList, started);
        QFETCH(bool, unavailable);
        Run run;
        if (!path.isNull())
            run.tp.settings.keys[SysInfoKey][QStringLiteral("PATH")] = Value{path, ValueType::String};
        if (!location.isNull())
            run.tp.settings.keys[LocationKey][QStringLiteral("MSINFO")] = Value{location, ValueType::String};
        run.tp.launcher.existing = existing;
        run.tp.launcher.startSucceeds = startSucceeds;

        frmAbout *a = run.open();
        QTest::mouseClick(a->cmdSysInfo, Qt::LeftButton);

        QCOMPARE(run.tp.launcher.started, started);
        QCOMPARE(run.tp.messages.calls.size(), unavailable ? 1 : 0);
        if (unavailable) {
            const MessageCall &m = run.tp.messages.calls.first();
            QCOMPARE(m.prompt, Unavailable);
            QCOMPARE(m.title, QStringLiteral("Βελμόρα 3.0"));
            QCOMPARE(m.buttons, Buttons::Ok);
            QCOMPARE(m.icon, Icon::None);
        }
        QCOMPARE(run.tp.settings.closed, run.tp.settings.openKeys.size());
        QVERIFY(run.loaded()); // the About window stays open
    }
};

QTEST_MAIN(AboutTest)
#include "tst_about.moc"
