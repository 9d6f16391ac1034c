// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The door to the file system through its table of system calls: whom it trusts, how it walks,
// writes whole, removes, locks and syncs, and what a failed, interrupted or lying call does.

#include "atomicfile.h"
#include "filelock.h"
#include "fileops.h"
#include "terminaltext.h"
#include "testfiles.h"
#include "trust.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr uid_t User = 1000, Keeper = 3000, Nobody = 2000, Unknown = 4000;
constexpr gid_t Keepers = 50;
constexpr Fault Done = Fault(-1);
const QByteArray Gone = "(unreadable)";

// A folder with a file "f" ("old", open for writing as `opened`) and a folder "sub" (0700).
struct Fixture
{
    QTemporaryDir dir;
    FileDescriptor opened;
    FileDescriptor other; // a second opening of "f", for a lock of another
    int savedStandardError = -1;

    Fixture()
    {
        writeBytes(at("f"), "old");
        ::mkdir(native("sub").constData(), 0700);
        opened = std::move(*openRegularFile(native("f"), O_RDWR));
    }
    ~Fixture()
    {
        if (savedStandardError >= 0)
            ::dup2(savedStandardError, STDERR_FILENO), ::close(savedStandardError);
    }
    QString at(const QString &name) const { return dir.filePath(name); }
    QByteArray native(const QString &name) const { return QFile::encodeName(at(name)); }
};

using Setup = std::function<void(Fixture &)>;

Setup failing(Call call, int error)
{
    return
        [=](Fixture &) { beforeCall = [=](const CallSite &site) { return site.call == call ? error : 0; }; };
}
Setup interrupted(Call call)
{
    return [=](Fixture &) {
        beforeCall = [=, once = true](const CallSite &site) mutable {
            return site.call == call && std::exchange(once, false) ? EINTR : 0;
        };
    };
}
Setup linked(const char *name, const char *target, uid_t owner = ::geteuid(), mode_t folder = 0700)
{
    return [=](Fixture &f) {
        ::symlink(target, f.native(QString::fromLatin1(name)).constData());
        ::chmod(f.native(".").constData(), folder);
        makeUpOwner(f.at(QString::fromLatin1(name)), owner);
    };
}
Setup ownedBy(const char *name, uid_t owner, mode_t mode)
{
    return [=](Fixture &f) {
        ::chmod(f.native(QString::fromLatin1(name)).constData(), mode);
        makeUpOwner(f.at(QString::fromLatin1(name)), owner);
    };
}
Setup replacedBy(const char *what)
{
    return [=](Fixture &f) {
        writeBytes(f.at("new"), what);
        ::rename(f.native("new").constData(), f.native("f").constData());
    };
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class tst_fileio : public QObject
{
    Q_OBJECT

private slots:
    // Each rule by its name, for the user 1000 (in the group of the keepers, 50), the keeper
    // 3000 (in it too), a stranger 2000 and 4000, whom the account database does not know.
    void trust_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<uint>("owner"); // of the folder, the file
        QTest::addColumn<uint>("mode");
        QTest::addColumn<uint>("other"); // the link's owner; the user who would write
        QTest::addColumn<bool>("holds");
        const auto row = [](const char *name, const char *rule, uid_t owner, mode_t mode, uid_t other,
                            bool holds) {
            QTest::newRow(name) << QString::fromLatin1(rule) << uint(owner) << uint(mode) << uint(other)
                                << holds;
        };
        row("own link, own folder", "follow", User, 0755, User, true);
        row("root's link, root's folder", "follow", 0, 0755, 0, true);
        row("a stranger's link", "follow", User, 0755, Nobody, false);
        row("own link, a stranger's folder", "follow", Nobody, 0755, User, false);
        row("own link, a folder the group writes", "follow", User, 0775, User, false);
        row("own link, sticky folder", "follow", 0, 01777, User, true);
        row("root's link, sticky folder", "follow", 0, 01777, 0, false);
        row("sticky root's folder is steady", "steady", 0, 01777, 0, true);
        row("a stranger's folder is not steady", "steady", Nobody, 0755, 0, false);
        row("own file nobody else writes", "steady file", User, 0644, 0, true);
        row("root's file the group writes", "steady file", 0, 0664, 0, false);
        row("a stranger's file", "steady file", Nobody, 0644, 0, false);
        row("nobody adds to a sticky folder nobody writes", "add", User, 01755, 0, false);
        row("others replace in a folder all write", "replace", User, 0757, 0, true);
        row("its owner writes", "write", User, 0644, User, true);
        row("its owner without the write bit", "write", User, 0446, User, false);
        row("a keeper of its group", "write", User, 0664, Keeper, true);
        row("a keeper, the group may not write", "write", User, 0646, Keeper, false);
        row("a stranger whose file has the keepers' group", "write", User, 0664, Nobody, false);
        row("a stranger where everybody writes", "write", User, 0666, Nobody, true);
        row("a user the database does not know", "write", User, 0664, Unknown, false);
        row("root", "write", User, 0444, 0, true);
    }
    void trust()
    {
        QFETCH(QString, rule);
        QFETCH(uint, owner);
        QFETCH(uint, mode);
        QFETCH(uint, other);
        QFETCH(bool, holds);
        InterceptedCalls calls;
        madeUpUser = User;
        madeUpGroups = [](uid_t user) -> std::optional<std::vector<gid_t>> {
            if (user == Unknown)
                return std::nullopt;
            return user == Nobody ? std::vector<gid_t>{Nobody} : std::vector<gid_t>{gid_t(user), Keepers};
        };
        struct stat st = {};
        st.st_uid = owner;
        st.st_gid = Keepers;
        st.st_mode = mode;
        struct stat link = {};
        link.st_uid = other;
        const std::map<QString, std::function<bool()>> rules{
            {QStringLiteral("follow"), [&] { return mayFollowLink(link, st); }},
            {QStringLiteral("steady"), [&] { return isSteadyFolder(st); }},
            {QStringLiteral("steady file"), [&] { return isSteadyFile(st); }},
            {QStringLiteral("add"), [&] { return othersMayAddNames(st); }},
            {QStringLiteral("replace"), [&] { return othersMayReplaceNames(st); }},
            {QStringLiteral("write"), [&] { return mayWrite(other, st); }},
        };
        QCOMPARE(rules.at(rule)(), holds);
    }

    // A job after the row's setup: its result, what is left at `landed`, and no temporary file.
    void jobs_data()
    {
        QTest::addColumn<QString>("job");
        QTest::addColumn<QString>("path");
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<int>("fault");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("landed");
        QTest::addColumn<QByteArray>("bytes");
        const auto row = [](const char *name, const char *job, const char *path, const Setup &setup,
                            Fault fault, int error = 0, const char *landed = "f",
                            const QByteArray &bytes = "old") {
            QTest::newRow(name) << QString::fromLatin1(job) << QString::fromLatin1(path) << setup
                                << int(fault) << error << QString::fromLatin1(landed) << bytes;
        };
        constexpr Fault System = Fault::System;
        // The walk
        row("through an own link", "atomic", "l/g", linked("l", "sub"), Done, 0, "sub/g", "new");
        row("a stranger's link", "atomic", "l/g", linked("l", "sub", Stranger), Fault::SharedFolder, 0,
            "sub/g", Gone);
        row("own link, others replace names", "atomic", "l/g", linked("l", "sub", ::geteuid(), 0777),
            Fault::SharedFolder, 0, "sub/g", Gone);
        row("own link, sticky folder", "atomic", "l/g", linked("l", "sub", ::geteuid(), 01777), Done, 0,
            "sub/g", "new");
        row(
            "up from where a link leads", "still at", "l/../../f",
            [](Fixture &f) { ::mkdir(f.native("sub/in").constData(), 0700), linked("l", "sub/in")(f); },
            Done);
        row(
            "a loop of links", "atomic", "a/g", [](Fixture &f) { linked("a", "b")(f), linked("b", "a")(f); },
            System, ELOOP, "g", Gone);
        row(
            "a folder swapped meanwhile", "atomic", "sub/g",
            [](Fixture &f) {
                afterCall = [&f, once = true](const CallSite &site, long) mutable {
                    if (site.call == Call::Openat && QByteArrayView(site.name) == "sub" &&
                        std::exchange(once, false))
                        ::rename(f.native("sub").constData(), f.native("moved").constData()),
                            ::mkdir(f.native("sub").constData(), 0700);
                };
            },
            Done, 0, "moved/g", "new");
        // The file written whole
        row("written whole", "atomic", "f", {}, Done, 0, "f", "new");
        row(
            "a link at the name", "atomic", "f",
            [](Fixture &f) {
                ::rename(f.native("f").constData(), f.native("victim").constData()), linked("f", "victim")(f);
            },
            Fault::Link, 0, "victim", "old");
        row("another user's file at the name", "atomic", "f", ownedBy("f", Stranger, 0644), Fault::NotOwn);
        row("full medium", "atomic", "f", failing(Call::Write, ENOSPC), System, ENOSPC);
        row("failed sync", "atomic", "f", failing(Call::Fsync, EIO), System, EIO);
        row("failed rename", "atomic", "f", failing(Call::Renameat, EIO), System, EIO);
        row("failed permissions", "atomic", "f", failing(Call::Fchmod, EPERM), System, EPERM);
        row(
            "given standard error's number", "atomic", "f",
            [](Fixture &f) {
                beforeCall = [&f](const CallSite &site) {
                    if (site.call == Call::Openat && (site.flags & O_CREAT) && f.savedStandardError < 0)
                        f.savedStandardError = ::dup(STDERR_FILENO), ::close(STDERR_FILENO);
                    return 0;
                };
            },
            Fault::StandardStream);
        // Removal and the same file
        row("removed", "remove", "f", {}, Done, 0, "f", Gone);
        row("replaced before the removal", "remove", "f", replacedBy("other"), Fault::Replaced, 0, "f",
            "other");
        row("own file removed", "remove own", "f", {}, Done, 0, "f", Gone);
        row("another user's file not removed", "remove own", "f", ownedBy("f", Stranger, 0644),
            Fault::NotOwn);
        row("replaced while open", "still at", "f", replacedBy("other"), Fault::Replaced, 0, "f", "other");
        row(
            "removed while open", "still at", "f", [](Fixture &f) { ::unlink(f.native("f").constData()); },
            Fault::Removed, 0, "f", Gone);
        // The data folder
        row("own folder", "own folder", "sub", {}, Done);
        row("own folder the group writes", "own folder", "sub", ownedBy("sub", ::geteuid(), 0770),
            Fault::OthersCanWrite);
        row("own folder everybody writes", "own folder", "sub", ownedBy("sub", ::geteuid(), 0707),
            Fault::OthersCanWrite);
        row("a stranger's folder", "own folder", "sub", ownedBy("sub", Stranger, 0750), Fault::NotOwn);
        row(
            "in a folder others rename in", "own folder", "sub",
            [](Fixture &f) { ::chmod(f.native(".").constData(), 0777); }, Fault::OthersCanWrite);
        // The lock
        for (const int error : {EAGAIN, EACCES})
            row(qPrintable(QStringLiteral("lock refused: %1").arg(error)), "lock", "f",
                failing(Call::FcntlLock, error), Fault::Locked, error);
        for (const int error : {ENOLCK, EOPNOTSUPP, ENOSYS, EINVAL})
            row(qPrintable(QStringLiteral("cannot lock: %1").arg(error)), "lock", "f",
                failing(Call::FcntlLock, error), Fault::CannotLock, error);
        row("lock failing otherwise", "lock", "f", failing(Call::FcntlLock, EIO), System, EIO);
        row("no lock found", "probe", "f", {}, Done);
        row(
            "another's lock found", "probe", "f",
            [](Fixture &f) {
                f.other = std::move(*openRegularFile(f.native("f"), O_RDWR)),
                (void)lockWholeFile(f.other.get(), {});
            },
            Fault::Locked);
        // A call the system interrupts is made again
        row("interrupted pread", "read", "f", interrupted(Call::Pread), Done);
        row("interrupted write", "write", "f", interrupted(Call::Write), Done, 0, "f", "new");
        row("interrupted pwrite", "write at", "f", interrupted(Call::Pwrite), Done, 0, "f", "new");
        row("interrupted ftruncate", "truncate", "f", interrupted(Call::Ftruncate), Done, 0, "f", "");
        row("interrupted fdatasync", "sync data", "f", interrupted(Call::Fdatasync), Done);
        row("interrupted fsync", "sync all", "f", interrupted(Call::Fsync), Done);
        row("interrupted lock", "lock", "f", interrupted(Call::FcntlLock), Done);
    }
    void jobs()
    {
        QFETCH(QString, job);
        QFETCH(QString, path);
        QFETCH(Setup, setup);
        QFETCH(int, fault);
        QFETCH(int, error);
        QFETCH(QString, landed);
        QFETCH(QByteArray, bytes);
        Fixture f;
        const int fd = f.opened.get();
        const QString at = f.at(path);
        const std::map<QString, std::function<Result<void>()>> run{
            {QStringLiteral("atomic"),
             [&] {
                 Result<AtomicFile> file = AtomicFile::create(at, 0640, AtomicFile::Replacing::OwnFileOnly);
                 Result<void> written = file ? file->write("new", 3) : tl::unexpected(file.error());
                 return written ? file->commit() : written;
             }},
            {QStringLiteral("read"),
             [&] {
                 return readWhole(fd, 10).and_then(
                     [](const QByteArray &b) { return b == "old" ? Result<void>() : systemFailure(EIO); });
             }},
            {QStringLiteral("write"), [&] { return writeAll(fd, "new", 3); }},
            {QStringLiteral("write at"), [&] { return writeAt(fd, 0, "new", 3); }},
            {QStringLiteral("truncate"), [&] { return truncateTo(fd, 0); }},
            {QStringLiteral("sync data"), [&] { return syncData(fd); }},
            {QStringLiteral("sync all"), [&] { return syncAll(fd); }},
            {QStringLiteral("lock"), [&] { return lockWholeFile(fd, at); }},
            {QStringLiteral("probe"),
             [&] { return lockedByAnother(fd) ? failure(Fault::Locked) : Result<void>(); }},
            {QStringLiteral("still at"), [&] { return stillAt(fd, at); }},
            {QStringLiteral("remove"), [&] { return removeFile(at, *identityOf(fd)); }},
            {QStringLiteral("remove own"), [&] { return removeOwnFile(at); }},
            {QStringLiteral("own folder"), [&] { return checkOwnFolder(at); }},
        };
        Result<void> done;
        {
            InterceptedCalls calls;
            if (setup)
                setup(f);
            done = run.at(job)();
        }
        QCOMPARE(int(done ? Done : done.error().fault), fault);
        QCOMPARE(done ? 0 : done.error().error, error);
        QCOMPARE(fileBytes(f.at(landed)), bytes);
        QDirIterator temporary(f.dir.path(), {".*"}, QDir::Hidden | QDir::Files,
                               QDirIterator::Subdirectories);
        QVERIFY2(!temporary.hasNext(), qPrintable(temporary.hasNext() ? temporary.next() : QString()));
    }

    void terminal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Greek as it is") << QStringLiteral("ΙΣΤΟΡΙΑ ά") << QStringLiteral("ΙΣΤΟΡΙΑ ά");
        QTest::newRow("escape") << QStringLiteral("\x1B[2J") << QStringLiteral("\\x1B[2J");
        QTest::newRow("line break and tab") << QStringLiteral("a\nb\t") << QStringLiteral("a\\x0Ab\\x09");
        QTest::newRow("DEL") << QStringLiteral("\x7F") << QStringLiteral("\\x7F");
        QTest::newRow("C1 CSI and OSC") << QString(QChar(0x9B)) + QChar(0x9D) << QStringLiteral("\\x9B\\x9D");
        QTest::newRow("NEL, the last C1")
            << QString(QChar(0x9F)) + QChar(0xA0) << QStringLiteral("\\x9F") + QChar(0xA0);
        QTest::newRow("right-to-left override") << QString(QChar(0x202E)) << QStringLiteral("\\u202E");
        QTest::newRow("line separator") << QString(QChar(0x2028)) << QStringLiteral("\\u2028");
    }
    void terminal()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(shownOnTerminal(text), shown);
    }
};

QTEST_GUILESS_MAIN(tst_fileio)
#include "tst_fileio.moc"
