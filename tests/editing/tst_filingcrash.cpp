// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A filing killed before every call that changes the medium, as embedded databases test
// their commits: the next editor finds each card wholly old or wholly new, no other byte
// changed, and the card of an undone filing handed back as typing.

#include "cardbytes.h"
#include "cardeditsession.h"
#include "cardjournal.h"
#include "editablecardfile.h"
#include "seam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// The calls of one filing that change the medium, the session already begun.
struct Recorded
{
    QList<Call> calls;
    int journalRemoved = -1; // index of the journal's removal
    int cardWritten = -1;    // index of the card's write
};

// Files the card in a child; with `killAt` >= 0 the child is killed before that call (a
// card write is half made first). Returns the child's status, or the signal, negated.
int fileInChild(const QString &path, const QString &fallback, qint32 number, const CardRecord &card,
                int killAt, Recorded *recorded = nullptr)
{
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0)
        return 99;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeEnds[0]);
        ::alarm(10);
        CardEditSession session(fallback);
        CardFile file;
        if (!session.begin(path) || !openToEdit(file, path))
            ::_exit(2);
        InterceptedCalls intercepted;
        int count = 0;
        beforeCall = [&](const CallSite &site) {
            if (!changesTheMedium(site))
                return 0;
            const char code =
                char(site.call) +
                (site.call == Call::Unlinkat && QByteArray(site.name).endsWith(".journal") ? 64 : 0);
            [[maybe_unused]] const ssize_t told = ::write(pipeEnds[1], &code, 1);
            if (count++ == killAt) {
                if (site.call == Call::Pwrite)
                    realSystemCalls().pwrite(site.fd, site.data, site.size / 2, site.offset);
                ::kill(::getpid(), SIGKILL);
            }
            return 0;
        };
        ::_exit(session.write(file, number, card) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    char code;
    for (int i = 0; ::read(pipeEnds[0], &code, 1) == 1; ++i) {
        if (!recorded)
            continue;
        recorded->calls << Call(code & 63);
        if (code & 64)
            recorded->journalRemoved = i;
        if (Call(code & 63) == Call::Pwrite && recorded->cardWritten < 0)
            recorded->cardWritten = i;
    }
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

// A journal as the previous release wrote it: the card file's device and inode, no new card.
QByteArray previousJournal(quint64 device, quint64 inode, const JournalEntry &entry)
{
    QByteArray bytes("VELMORA JOURNAL1");
    const auto append = [&bytes](auto value) {
        bytes.resize(bytes.size() + qsizetype(sizeof value));
        qToLittleEndian(value, bytes.data() + bytes.size() - qsizetype(sizeof value));
    };
    for (const quint64 field :
         {device, inode, quint64(entry.offset), quint64(entry.oldLength), quint64(entry.old.size())})
        append(field);
    bytes += entry.old;
    append(quint32(::crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), uInt(bytes.size()))));
    return bytes;
}

} // namespace

class tst_filingcrash : public QObject
{
    Q_OBJECT

    int m_crashPoints = 0;

private slots:
    void cleanupTestCase() { qInfo("crash points tried: %d", m_crashPoints); }

    void killedAtEveryStep_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("journalBeside"); // else in the fallback folder
        QTest::newRow("card 2 of 3") << cards(3) << 2 << true;
        QTest::newRow("card 4 appended") << cards(3) << 4 << true;
        QTest::newRow("card 2 over a partial end") << cards(1, 120) << 2 << true;
        QTest::newRow("card 1, journal in the data folder") << cards(2) << 1 << false;
    }
    void killedAtEveryStep()
    {
        QFETCH(QByteArray, stored);
        QFETCH(int, number);
        QFETCH(bool, journalBeside);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("cards"));
        const QString fallback = dir.filePath(QStringLiteral("data"));
        const QString path = folder + QStringLiteral("/Filis.dat");
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΝΕΑ"));
        QByteArray filed = stored;
        filed.resize(qMax<qsizetype>(stored.size(), number * RecordLength), ' ');
        filed.replace((number - 1) * RecordLength, RecordLength,
                      QByteArray(card.bytes().data(), RecordLength));
        const auto setUp = [&] {
            QDir(folder).removeRecursively();
            QDir(fallback).removeRecursively();
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(writeBytes(path, stored));
            // The session's first filing: its backup is killed at every step too.
            QVERIFY(writeBytes(path + QStringLiteral(".bak"), "the copy of the session before"));
            if (!journalBeside) // a link holds the journal's name: it goes to the data folder
                QVERIFY(QFile::link(dir.filePath(QStringLiteral("elsewhere")),
                                    path + QStringLiteral(".journal")));
        };

        setUp();
        Recorded recorded;
        QCOMPARE(fileInChild(path, fallback, number, card, -1, &recorded), 0);
        QVERIFY(recorded.journalRemoved > recorded.cardWritten && recorded.cardWritten > 0);
        for (int killAt = 0; killAt < recorded.calls.size(); ++killAt) {
            setUp();
            QCOMPARE(fileInChild(path, fallback, number, card, killAt), -SIGKILL);
            ++m_crashPoints;
            CardEditSession next(fallback);
            QVERIFY(next.begin(path));
            const bool old = killAt <= recorded.journalRemoved;
            QVERIFY2(fileBytes(path) == (old ? stored : filed), qPrintable(QString::number(killAt)));
            // Undone, and its card handed back, only when the card was touched.
            const std::optional<UndoneFiling> undone = next.takeUndoneFiling();
            QCOMPARE(undone.has_value(), killAt >= recorded.cardWritten && old);
            if (undone)
                QCOMPARE(undone->card, card);
            QVERIFY(!findJournal(path, fallback));
            // No hidden file of the killed filing stays behind.
            QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral(".Filis")),
                     QStringList());
        }
    }

    // What the next editor, and before it a reader, does with a journal it finds, by what the
    // journal says and what the card file holds at the journal's card: card 2 of `before`,
    // to be replaced by `filed`.
    void aJournalFoundAtTheStart_data()
    {
        QTest::addColumn<QByteArray>("journal"); // its format, and how its bytes were spoiled
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("undone");
        QTest::addColumn<int>("left"); // the fault it is left alone for, the file only read; -1 none
        QByteArray filed = cards(3);
        filed.replace(RecordLength, RecordLength, cards(5).mid(4 * RecordLength));
        QByteArray other = cards(3);
        other.replace(RecordLength, RecordLength, cards(4).mid(3 * RecordLength));
        const int changed = int(Fault::Changed);
        QTest::newRow("cut short") << QByteArray("chop") << cards(3) << cards(3) << false << -1;
        QTest::newRow("its checksum not holding") << QByteArray("flip") << cards(3) << filed << false << -1;
        QTest::newRow("the card filed, the file now another inode")
            << QByteArray() << cards(3) << filed << true << -1;
        QTest::newRow("another card there since") << QByteArray() << cards(3) << other << false << changed;
        QTest::newRow("an older backup copied over the file")
            << QByteArray() << cards(3) << cards(2) << false << changed;
        QTest::newRow("previous format, its card untouched")
            << QByteArray("previous") << cards(3) << cards(3) << false << -1;
        QTest::newRow("previous format, a torn card over a partial end")
            << QByteArray("previous") << cards(1, 120) << cards(1) + cards(5).mid(4 * RecordLength, 150)
            << true << -1;
        QTest::newRow("previous format, another file there since")
            << QByteArray("previous, another file") << cards(3) << filed << false << changed;
        QTest::newRow("previous format, cut short")
            << QByteArray("previous, chop") << cards(3) << cards(3) << false << -1;
        QTest::newRow("empty") << QByteArray("empty") << cards(3) << cards(3) << false << -1;
        QTest::newRow("a magic of no known format")
            << QByteArray("unknown") << cards(3) << cards(3) << false << int(Fault::UnknownJournal);
    }
    void aJournalFoundAtTheStart()
    {
        QFETCH(QByteArray, journal);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, stored);
        QFETCH(bool, undone);
        QFETCH(int, left);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        // A file of its own, never the inode the journal was written beside: as after a
        // reboot that renumbered the device, the journal must know its filing by the bytes.
        QVERIFY(writeBytes(path, stored));
        JournalEntry entry;
        entry.offset = RecordLength;
        entry.oldLength = before.size();
        entry.old = before.mid(RecordLength, RecordLength);
        entry.card = cards(5).mid(4 * RecordLength);
        QByteArray bytes = encodeJournal(entry);
        if (journal.startsWith("previous")) {
            struct stat st = {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
            bytes = previousJournal(st.st_dev, st.st_ino + journal.endsWith("another file"), entry);
        }
        if (journal.endsWith("chop"))
            bytes.chop(1);
        if (journal == "flip")
            bytes[bytes.size() - 10] = char(bytes[bytes.size() - 10] ^ 1);
        if (journal == "unknown")
            bytes[15] = '9';
        if (journal == "empty")
            bytes.clear();
        QVERIFY(writeBytes(journalBeside(path), bytes));
        // A reader is told of the undo to come, or why the journal is left.
        const std::optional<JournalVerdict> told = editingWasInterrupted(path, QString());
        QCOMPARE(told ? (told->action == JournalAction::Undo ? -2 : int(told->why.fault)) : -1,
                 undone ? -2 : left);
        CardEditSession next;
        const Result<void> begun = next.begin(path);
        QCOMPARE(begun ? -1 : int(begun.error().fault), left);
        if (!begun)
            QCOMPARE(begun.error().path, journalBeside(path));
        const std::optional<UndoneFiling> handedBack = next.takeUndoneFiling();
        QCOMPARE(handedBack.has_value(), undone);
        // As the place held it: the previous format holds no card of its own.
        if (undone)
            QCOMPARE(handedBack->card, CardRecord::fromBytes(stored.mid(RecordLength, RecordLength)));
        QCOMPARE(QFile::exists(journalBeside(path)), left >= 0);
        QCOMPARE(fileBytes(path), undone ? before : stored);
    }

    // A reader is told of a filing cut short, not of one under way in a live editor.
    void readersSeeAnInterruptedSession()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        QVERIFY(writeBytes(path, cards(2)));
        QVERIFY(writeBytes(path + QStringLiteral(".bak"), cards(2)));
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΝΕΑ"));
        Recorded recorded;
        QCOMPARE(fileInChild(path, QString(), 1, card, -1, &recorded), 0);
        QVERIFY(writeBytes(path, cards(2)));
        QCOMPARE(fileInChild(path, QString(), 1, card, recorded.journalRemoved), -SIGKILL);
        const QByteArray torn = fileBytes(path);
        QVERIFY(editingWasInterrupted(path, QString()));
        QCOMPARE(fileBytes(path), torn); // shown as it is
        CardFileLock editor;
        QVERIFY(editor.acquire(path));
        QVERIFY(!editingWasInterrupted(path, QString()));
    }
};

QTEST_APPLESS_MAIN(tst_filingcrash)
#include "tst_filingcrash.moc"
