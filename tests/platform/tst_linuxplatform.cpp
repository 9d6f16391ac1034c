// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linuxsettingsstore.h"
#include "localfilesystem.h"
#include "qtplatform.h"
#include "qtprogramlauncher.h"
#include "testfiles.h"
#include "x11keyboardstate.h"
#include "xdgpaths.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;

namespace {

const QString MsInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
constexpr quint32 AccessMask = 0x2003F;

void makeProgram(const QString &path, bool executable = true)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\n");
    f.close();
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (executable)
        p |= QFile::ExeOwner;
    QVERIFY(f.setPermissions(p));
}

} // namespace

class tst_linuxplatform : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void theStoreNamesTheFirstInstalledProgram()
    {
        QTemporaryDir bin;
        makeProgram(bin.filePath(QStringLiteral("hardinfo")), false); // not a program
        makeProgram(bin.filePath(QStringLiteral("gnome-system-monitor")));
        makeProgram(bin.filePath(QStringLiteral("kinfocenter")));
        LinuxSettingsStore store(LinuxSettingsStore::defaultPrograms(), {bin.path()});

        const quintptr key = store.openKey(SettingsStore::LocalMachine, MsInfoKey, AccessMask);
        QVERIFY(key != 0);
        QByteArray data;
        SettingsStore::ValueType type = SettingsStore::ValueType::Other;
        QVERIFY(store.queryValue(key, QStringLiteral("PATH"), 1024, &data, &type));
        QCOMPARE(type, SettingsStore::ValueType::String);
        QCOMPARE(data, QFile::encodeName(bin.filePath(QStringLiteral("kinfocenter"))) + '\0');

        // The value must fit the buffer, its NUL included.
        QVERIFY(!store.queryValue(key, QStringLiteral("PATH"), int(data.size()) - 1, &data, &type));
        QVERIFY(store.queryValue(key, QStringLiteral("PATH"), int(data.size()), &data, &type));

        store.closeKey(key);
        QVERIFY(!store.queryValue(key, QStringLiteral("PATH"), 1024, &data, &type));
    }

    void everythingElseIsMissing_data()
    {
        QTest::addColumn<quintptr>("root");
        QTest::addColumn<QString>("keyName");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<bool>("opens");
        const quintptr hklm = SettingsStore::LocalMachine;
        QTest::newRow("current user") << quintptr(0x80000001) << MsInfoKey << QStringLiteral("PATH") << false;
        QTest::newRow("location key") << hklm << QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location")
                                      << QStringLiteral("MSINFO") << false;
        QTest::newRow("parent key") << hklm << QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools")
                                    << QStringLiteral("PATH") << false;
        QTest::newRow("other value") << hklm << MsInfoKey << QStringLiteral("MSINFO") << true;
        QTest::newRow("empty value name") << hklm << MsInfoKey << QString() << true;
    }
    void everythingElseIsMissing()
    {
        QFETCH(quintptr, root);
        QFETCH(QString, keyName);
        QFETCH(QString, valueName);
        QFETCH(bool, opens);
        QTemporaryDir bin;
        makeProgram(bin.filePath(QStringLiteral("hardinfo")));
        LinuxSettingsStore store(LinuxSettingsStore::defaultPrograms(), {bin.path()});
        const quintptr key = store.openKey(root, keyName, AccessMask);
        QCOMPARE(key != 0, opens);
        QByteArray data;
        SettingsStore::ValueType type;
        QVERIFY(!store.queryValue(key, valueName, 1024, &data, &type));
        store.closeKey(key);
    }

    void noProgramInstalledMeansNoValue()
    {
        QTemporaryDir empty;
        LinuxSettingsStore store(LinuxSettingsStore::defaultPrograms(), {empty.path()});
        const quintptr key = store.openKey(SettingsStore::LocalMachine, MsInfoKey, AccessMask);
        QVERIFY(key != 0);
        QByteArray data;
        SettingsStore::ValueType type;
        QVERIFY(!store.queryValue(key, QStringLiteral("PATH"), 1024, &data, &type));
    }

    void theLauncherStartsProgramsWithoutAShell()
    {
        QtProgramLauncher launcher;
        QTemporaryDir dir;
        const QString marker = dir.filePath(QStringLiteral("started"));
        const QString program = dir.filePath(QStringLiteral("tool"));
        QFile f(program);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
        f.close();
        QVERIFY(f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));

        QVERIFY(launcher.fileExists(program));
        QVERIFY(!launcher.fileExists(dir.filePath(QStringLiteral("MSINFO32.EXE"))));
        QVERIFY(launcher.start(program));
        QTRY_VERIFY(QFile::exists(marker));
        QVERIFY(!launcher.start(dir.filePath(QStringLiteral("missing"))));
        // A name a shell would split and run is only a missing file here.
        QVERIFY(!launcher.start(program + QStringLiteral("; touch ") + marker + QStringLiteral("2")));
        QTest::qWait(200);
        QVERIFY(!QFile::exists(marker + QStringLiteral("2")));
    }

    void theWindowsFoldersMapOntoXdgFolders()
    {
        XdgPaths paths(QStringLiteral("/βιβλία/Κάρτες.dat"));
        QCOMPARE(paths.cardFile(), QStringLiteral("/βιβλία/Κάρτες.dat"));
        const QString share = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
        QVERIFY(!share.isEmpty());
        QCOMPARE(paths.programFiles(), share);
        QCOMPARE(paths.dataFolder(), share + QStringLiteral("/Velmora"));
        QCOMPARE(paths.exportFile(), share + QStringLiteral("/Velmora/MySearch.doc"));
    }

    void headlessKeyboardLightsReadOff()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
        X11KeyboardState keyboard;
        QVERIFY(!keyboard.isOn(KeyboardState::Light::CapsLock));
        QVERIFY(!keyboard.isOn(KeyboardState::Light::NumLock));
    }

    void thePlatformHoldsTheQtImplementations()
    {
        QtPlatform qt(QStringLiteral("/βιβλία/Κάρτες.dat"));
        Platform &p = qt.platform();
        QVERIFY(dynamic_cast<QtMessageBox *>(&p.messages));
        QVERIFY(dynamic_cast<QtInputBox *>(&p.input));
        QVERIFY(dynamic_cast<HelpBrowser *>(&p.help));
        QVERIFY(dynamic_cast<LinuxSettingsStore *>(&p.settings));
        QVERIFY(dynamic_cast<XdgPaths *>(&p.paths));
        QVERIFY(dynamic_cast<X11KeyboardState *>(&p.keyboard));
        QVERIFY(qAbs(p.clock.now().secsTo(QTime::currentTime())) < 5);
        QVERIFY(p.printer.endDoc()); // nothing printed: nothing rendered, nothing reported
    }

    // The export file is written only as a file of the user's own: a link put in its place
    // meanwhile, or a file of another user, is left alone and the reason told.
    void theExportFileIsWrittenOnlyAsTheUsersOwn_data()
    {
        QTest::addColumn<QString>("standing"); // what stands at the export file's name
        QTest::addColumn<bool>("written");
        QTest::newRow("the user's file") << QStringLiteral("own") << true;
        QTest::newRow("a link to the user's file") << QStringLiteral("link") << false;
        QTest::newRow("another user's file") << QStringLiteral("other") << false;
        QTest::newRow("a second name of the user's file") << QStringLiteral("hardlink") << false;
    }
    void theExportFileIsWrittenOnlyAsTheUsersOwn()
    {
        QFETCH(QString, standing);
        QFETCH(bool, written);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("MySearch.doc"));
        const QString victim = dir.filePath(QStringLiteral("private.txt"));
        const auto put = [](const QString &path, const QByteArray &bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        put(victim, "private");
        test::InterceptedCalls calls;
        if (standing == QLatin1String("link")) {
            QVERIFY(QFile::link(victim, file));
        } else if (standing == QLatin1String("hardlink")) {
            QCOMPARE(::link(QFile::encodeName(victim).constData(), QFile::encodeName(file).constData()), 0);
        } else {
            put(file, "old\r\n");
            if (standing == QLatin1String("other"))
                test::makeUpOwner(file, test::Stranger);
        }
        LocalFileSystem files;
        const Result<void> appended = files.appendLines(file, {"page"});
        const Result<void> emptied = files.createEmpty(file);
        QCOMPARE(appended.has_value(), written);
        QCOMPARE(emptied.has_value(), written);
        if (!written)
            QVERIFY(appended.error().fault != Fault::System);
        QFile back(victim);
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), QByteArray("private"));
    }

    // The user's data folder, made for the user alone whatever the umask, and refused when
    // another user could put names in it.
    void theDataFolderIsTheUsersAlone()
    {
        QTemporaryDir dir;
        const mode_t saved = ::umask(0);
        const Result<void> made =
            LocalFileSystem().createFolder(dir.filePath(QStringLiteral("local/share/Velmora")));
        ::umask(saved);
        QVERIFY(made);
        for (const QString &folder : {QStringLiteral("local"), QStringLiteral("local/share"),
                                      QStringLiteral("local/share/Velmora")}) {
            struct stat st = {};
            QCOMPARE(::stat(QFile::encodeName(dir.filePath(folder)).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0777, 0700u);
        }
        QVERIFY(QFile::setPermissions(dir.filePath(QStringLiteral("local/share")),
                                      QFile::permissions(dir.filePath(QStringLiteral("local/share"))) |
                                          QFile::WriteOther | QFile::ExeOther));
        const Result<void> refused =
            LocalFileSystem().createFolder(dir.filePath(QStringLiteral("local/share/Velmora")));
        QVERIFY(!refused);
        QCOMPARE(refused.error().fault, Fault::OthersCanWrite);
    }
};

QTEST_MAIN(tst_linuxplatform)
#include "tst_linuxplatform.moc"
