// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// One editor at a time, seen from other processes: whatever path they take to the card
// file, while the holder lives and not a moment after.

#include "cardfilelock.h"
#include "greekfailure.h"
#include "testfiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <functional>
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

} // namespace

class tst_cardlock : public QObject
{
    Q_OBJECT

private slots:
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path)), Locked);
        const QString other = way.isEmpty() ? path : dir.filePath(way);
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΑΝΑΓΝΩΣΗ"));
        CardFile file;
        QVERIFY(file.open(path));
        QVERIFY(file.writeAt(0, QByteArrayView(card.bytes().data(), RecordLength)));
        file.close();
        CardFileLock mine;
        QCOMPARE(outcomeOf(mine.acquire(path)), Locked);
        QCOMPARE(inChild([&] { return int(file.open(path) && file.read(1) == card); }), 1);
    }

    void theLockGoesWithItsHolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
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
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
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
        QVERIFY(!editorHolds(readerFd));
        CardFileLock editor;
        QVERIFY(editor.acquire(path));
        QVERIFY(editorHolds(readerFd));
        ::close(readerFd);
    }

    void aFifoFailsAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
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
