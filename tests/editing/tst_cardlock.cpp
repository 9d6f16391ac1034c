// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// One editor at a time, seen from other processes: whatever path they take to the card
// file, while the holder lives and not a moment after, and whatever lock a reader holds.

#include "cardfilelock.h"
#include "editablecardfile.h"
#include "failurewords.h"
#include "greekfailure.h"
#include "testfiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <spawn.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;

namespace {

enum Outcome { Locked, HeldByAnother, Failed };

int outcomeOf(const Result<void> &acquired)
{
    return acquired ? Locked : heldByAnother(acquired.error()) ? HeldByAnother : Failed;
}

// `work` in a child process: what it returns, or -1 when it has not ended by itself
// within 10 s.
int inChild(const std::function<int()> &work)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        ::_exit(work());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int acquiredInChild(const QString &path)
{
    return inChild([&] { return outcomeOf(CardFileLock().acquire(path)); });
}

void end(pid_t pid)
{
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

// What stands at the lock file's name when a keeper comes; from Own on, a file.
enum class Standing { Nothing, MadeInAnotherGroup, FolderShut, Own, Strangers, OtherGroups, TwoNames };
// Who else holds a lock then: an earlier version's editor holds the card file's write lock.
enum class Holder { Nobody, Reader, EarlierEditor, Keeper, ReaderAndKeeper };

struct Case
{
    Standing standing = Standing::Nothing;
    int lockMode = 0660; // of the lock file made, or of the one standing there
    Holder holder = Holder::Nobody;
    int cardMode = 0664;
    Outcome outcome = Locked;
    QString told = {};           // in the words; empty: nothing
    bool probeOpensLock = false; // a keeper browsing; a reader cannot
    bool editorSeen = true;
};

} // namespace

Q_DECLARE_METATYPE(Case)

class tst_cardlock : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;
    QString path;

private slots:
    void init() { path = dir.emplace().filePath(QStringLiteral("Filis.dat")); }
    void anotherEditorIsRefused_data()
    {
        QTest::addColumn<QString>("way"); // how the second editor reaches the file
        QTest::newRow("the same path") << QString();
        QTest::newRow("a symbolic link") << QStringLiteral("symlink");
        QTest::newRow("a hard link") << QStringLiteral("hardlink");
    }
    void anotherEditorIsRefused()
    {
        QFETCH(QString, way);
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path)), Locked);
        const QString other = way.isEmpty() ? path : dir->filePath(way);
        if (way == QLatin1String("symlink"))
            QVERIFY(QFile::link(path, other));
        if (way == QLatin1String("hardlink"))
            QCOMPARE(::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()), 0);
        QCOMPARE(acquiredInChild(other), HeldByAnother);
        CardFileLock second;
        const Result<void> acquired = second.acquire(other);
        QCOMPARE(outcomeOf(acquired), HeldByAnother);
        QCOMPARE(greekText(acquired.error()),
                 QStringLiteral("Το αρχείο καρτελλών διορθώνεται ήδη από άλλο πρόγραμμα ή άλλον "
                                "χρήστη. Μπορείτε να το διαβάζετε, αλλά όχι να το διορθώνετε "
                                "ταυτόχρονα."));
    }

    void readersAreNotHeldUp()
    {
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΑΝΑΓΝΩΣΗ"));
        QVERIFY(test::writeBytes(path, QByteArray(card.bytes().data(), RecordLength)));
        CardFile file;
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path)), Locked);
        QCOMPARE(inChild([&] { return int(openToEdit(file, path) && file.read(1) == card); }), 1);
    }

    void theLockGoesWithItsHolder()
    {
        int locked[2];
        QCOMPARE(::pipe(locked), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            CardFileLock lock;
            const char status = char(outcomeOf(lock.acquire(path)));
            [[maybe_unused]] const auto told = ::write(locked[1], &status, 1);
            ::alarm(10);
            for (;;)
                ::pause();
        }
        char status = -1;
        QCOMPARE(::read(locked[0], &status, 1), 1);
        QCOMPARE(int(status), Locked);
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path)), HeldByAnother);
        end(holder);
        QCOMPARE(outcomeOf(mine.acquire(path)), Locked);
    }

    // A help viewer the editor starts outlives a released lock without keeping it.
    void programsStartedByTheHolderDoNotKeepIt()
    {
        auto mine = std::make_unique<CardFileLock>();
        QCOMPARE(outcomeOf(mine->acquire(path)), Locked);
        pid_t viewer = -1;
        char sleep[] = "sleep", seconds[] = "30";
        char *argv[] = {sleep, seconds, nullptr};
        QCOMPARE(::posix_spawnp(&viewer, "sleep", nullptr, nullptr, argv, environ), 0);
        mine.reset();
        // The spawn returns as soon as the viewer execs, a moment before the system closes
        // the descriptors it must not keep.
        int next = HeldByAnother;
        for (int tries = 0; tries < 100 && next == HeldByAnother; ++tries, ::usleep(20000))
            next = acquiredInChild(path);
        end(viewer);
        QCOMPARE(next, Locked);
    }

    // A start that can only read the file takes no lock: the keeper's own editor after it
    // is let in.
    void aReaderTakesNoLock()
    {
        QVERIFY(QFile(path).open(QIODevice::WriteOnly));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        CardFileLock reader;
        {
            test::InterceptedCalls calls;
            test::beforeCall = [](const test::CallSite &site) {
                return test::opensForWriting(site, "Filis.dat") ? EACCES : 0;
            };
            QCOMPARE(outcomeOf(reader.acquire(path)), Failed);
        }
        QVERIFY(!reader.isLocked());
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        // An exclusive flock needs no more than reading: it keeps no editor out, and the
        // reader still sees the editor at work.
        const int readerFd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
        QCOMPARE(::flock(readerFd, LOCK_EX | LOCK_NB), 0);
        QCOMPARE(acquiredInChild(path), Locked);
        QVERIFY(!editorHolds(readerFd, path));
        CardFileLock editor;
        QVERIFY(editor.acquire(path));
        QVERIFY(editorHolds(readerFd, path));
        ::close(readerFd);
    }

    // The lock file made whole before it has its name, or judged by who could hold it: when it
    // is not to be used, the card file is locked as before and the keeper told why. A reader's
    // lock of any kind keeps no keeper out where the lock file is used; another editor does,
    // and a browsing program sees the editor, by the card file's lock or the lock file's.
    void aKeeperComes_data()
    {
        QTest::addColumn<Case>("c");
        const QString open =
            QStringLiteral("not used: Users who may not write the card file can open it too.");
        const auto row = [](const char *name, const Case &c) { QTest::newRow(name) << c; };
        row("for a group's card file", {});
        row("for one keeper's card file", {.lockMode = 0600, .cardMode = 0644});
        row("made in another group", {.standing = Standing::MadeInAnotherGroup});
        row("a stranger's",
            {.standing = Standing::Strangers,
             .told = QStringLiteral("lock» of the user «user%1» was not used: Its owner may not "
                                    "write the card file. The card file itself is locked")
                         .arg(test::Stranger)});
        row("one others may open", {.standing = Standing::Own, .lockMode = 0644, .told = open});
        row("one of another group", {.standing = Standing::OtherGroups, .told = open});
        row("one of two names",
            {.standing = Standing::TwoNames, .told = QStringLiteral("lock» has another name too")});
        row("a folder the keeper cannot write",
            {.standing = Standing::FolderShut,
             .told = QStringLiteral("lock» was not used: Access to the file is")});
        row("a reader's lock", {.holder = Holder::Reader, .probeOpensLock = true});
        row("an earlier version's editor", {.holder = Holder::EarlierEditor, .outcome = HeldByAnother});
        row("another keeper", {.holder = Holder::Keeper, .outcome = HeldByAnother});
        row("another keeper beside a reader",
            {.holder = Holder::ReaderAndKeeper, .outcome = HeldByAnother, .probeOpensLock = true});
        row("a reader, the lock file not used",
            {Standing::Own, 0666, Holder::Reader, 0664, HeldByAnother, open, true, false});
    }
    void aKeeperComes()
    {
        QFETCH(Case, c);
        const QString lockPath = lockFileBeside(path);
        const QByteArray card = QFile::encodeName(path), lock = QFile::encodeName(lockPath);
        QVERIFY(test::writeBytes(path, "cards") && ::chmod(card.constData(), mode_t(c.cardMode)) == 0);
        if (c.standing >= Standing::Own)
            QVERIFY(test::writeBytes(lockPath, {}) && ::chmod(lock.constData(), mode_t(c.lockMode)) == 0);
        if (c.standing == Standing::TwoNames)
            QCOMPARE(::link(lock.constData(), QFile::encodeName(dir->filePath("two")).constData()), 0);
        std::vector<FileDescriptor> fds;
        const auto opened = [&](int flags) {
            return fds.emplace_back(::open(card.constData(), flags)).get();
        };
        const auto lockCard = [&](short type) {
            struct flock whole = {};
            whole.l_type = type;
            return ::fcntl(opened(type == F_WRLCK ? O_RDWR : O_RDONLY), F_OFD_SETLK, &whole) == 0;
        };
        CardFileLock keeper;
        QVERIFY((c.holder != Holder::Reader && c.holder != Holder::ReaderAndKeeper) || lockCard(F_RDLCK));
        QVERIFY(c.holder != Holder::EarlierEditor || lockCard(F_WRLCK));
        QVERIFY((c.holder != Holder::Keeper && c.holder != Holder::ReaderAndKeeper) ||
                keeper.acquire(path, MissingLockFile::Made));
        test::InterceptedCalls calls;
        const auto otherGroup = [](struct stat &st) { st.st_gid += 1; };
        if (c.standing == Standing::OtherGroups)
            test::makeUpLook(lockPath, otherGroup);
        if (c.standing == Standing::Strangers)
            test::makeUpOwner(lockPath, test::Stranger);
        test::madeUpGroups = [](uid_t user) {
            return std::optional(std::vector<gid_t>{::getegid() + (user == test::Stranger)});
        };
        const auto making = [](const test::CallSite &site) {
            return site.call == test::Call::Openat &&
                   QByteArrayView(site.name).startsWith(".Filis.dat.lock.");
        };
        test::beforeCall = [&](const test::CallSite &site) {
            return c.standing == Standing::FolderShut && making(site) ? EACCES : 0;
        };
        // The new file comes out in the folder's group, not the card file's, until it is given it.
        test::afterCall = [&](const test::CallSite &site, long result) {
            struct stat st = {};
            if (c.standing == Standing::MadeInAnotherGroup && making(site) && ::fstat(int(result), &st) == 0)
                test::madeUpLooks.push_back({st.st_dev, st.st_ino, otherGroup});
            if (site.call == test::Call::Fchown)
                test::madeUpLooks.clear();
        };
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path, MissingLockFile::Made)), int(c.outcome));
        const std::optional<Failure> unused = mine.takeLockFileUnused();
        const QString line = unused ? failureLine(*unused) : QString();
        QVERIFY2(c.told.isEmpty() ? line.isEmpty() : line.contains(c.told), qPrintable(line));
        struct stat made = {};
        if (c.told.isEmpty())
            QCOMPARE(QList({::stat(lock.constData(), &made), int(made.st_mode & 07777), int(made.st_gid),
                            int(made.st_nlink)}),
                     QList({0, c.lockMode, int(QFileInfo(path).groupId()), 1}));
        const int browsing = opened(O_RDONLY);
        test::beforeCall = [&](const test::CallSite &site) {
            const bool lockFile =
                site.call == test::Call::Openat && QByteArrayView(site.name).endsWith(".lock");
            return lockFile && !c.probeOpensLock ? EACCES : 0;
        };
        QCOMPARE(editorHolds(browsing, path), c.editorSeen);
    }

    void aFifoFailsAtOnce()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
        QCOMPARE(acquiredInChild(path), Failed);
        CardFileLock lock;
        const Result<void> acquired = lock.acquire(path);
        QCOMPARE(outcomeOf(acquired), Failed);
        QCOMPARE(greekText(acquired.error()),
                 QStringLiteral("Δεν είναι κανονικό αρχείο αλλά επώνυμη σωλήνωση (FIFO)."));
    }
};

QTEST_APPLESS_MAIN(tst_cardlock)
#include "tst_cardlock.moc"
