// A filing killed at every step, as embedded databases test their commits: the next
// editor finds each card wholly old or wholly new and no other byte changed.

#include "cardbytes.h"
#include "cardeditsession.h"
#include "cardjournal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

FilingStep killAt;

// The filing in a child killed at `killAt` (never, for a step it does not reach): its
// exit status, or the signal that ended it, negated.
int fileInChild(const QString &path, const QString &fallback, qint32 number, const CardRecord &card)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(10);
        filingStepHook = [](FilingStep reached) {
            if (reached == killAt)
                ::kill(::getpid(), SIGKILL);
        };
        CardEditSession session(fallback);
        CardFile file;
        if (!session.begin(path))
            ::_exit(2);
        file.open(path);
        ::_exit(session.write(file, number, card) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

const QList<FilingStep> Steps{FilingStep::JournalWritten, FilingStep::JournalSynced,
                              FilingStep::JournalInPlace, FilingStep::CardPartWritten,
                              FilingStep::CardWritten,    FilingStep::CardSynced,
                              FilingStep::JournalUnlinked};

} // namespace

Q_DECLARE_METATYPE(FilingStep)

class tst_filingcrash : public QObject
{
    Q_OBJECT

    int m_crashPoints = 0;

private slots:
    void cleanupTestCase() { qInfo("crash points tried: %d", m_crashPoints); }

    void killedAtEveryStep_data()
    {
        QTest::addColumn<FilingStep>("step");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("journalBeside"); // else in the fallback folder
        const struct
        {
            const char *name;
            QByteArray stored;
            int number;
            bool beside;
        } cases[] = {{"card 2 of 3", cards(3), 2, true},
                     {"card 4 appended", cards(3), 4, true},
                     {"card 2 over a partial end", cards(1, 120), 2, true},
                     {"card 1, journal in the data folder", cards(2), 1, false}};
        for (const auto &c : cases)
            for (const FilingStep step : Steps)
                QTest::addRow("%s, killed at step %d", c.name, int(step))
                    << step << c.stored << c.number << c.beside;
    }
    void killedAtEveryStep()
    {
        QFETCH(FilingStep, step);
        QFETCH(QByteArray, stored);
        QFETCH(int, number);
        QFETCH(bool, journalBeside);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("cards"));
        const QString fallback = dir.filePath(QStringLiteral("data"));
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/Filis.dat");
        QVERIFY(writeBytes(path, stored));
        if (!journalBeside) // a file the journal's name is taken by: it goes to the data folder
            QVERIFY(
                QFile::link(dir.filePath(QStringLiteral("elsewhere")), path + QStringLiteral(".journal")));
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΝΕΑ"));
        killAt = step;
        QCOMPARE(fileInChild(path, fallback, number, card), -SIGKILL);
        ++m_crashPoints;

        QByteArray filed = stored;
        filed.resize(qMax<qsizetype>(stored.size(), number * RecordLength), ' ');
        filed.replace((number - 1) * RecordLength, RecordLength,
                      QByteArray(card.bytes().data(), RecordLength));
        CardEditSession next(fallback);
        QVERIFY(next.begin(path));
        const bool old = step != FilingStep::JournalUnlinked;
        QCOMPARE(fileBytes(path), old ? stored : filed);
        QCOMPARE(roundedCardCount(QFileInfo(path).size()),
                 roundedCardCount(old ? stored.size() : filed.size()));
        // Undone, and told, only when the card was or might have been touched.
        QCOMPARE(next.undidInterruptedFiling(),
                 step != FilingStep::JournalWritten && step != FilingStep::JournalSynced && old);
        QVERIFY(!findJournal(path, fallback));
    }

    // A journal cut short by the crash: the card was not touched yet.
    void aTornJournalIsOnlyRemoved()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        QVERIFY(writeBytes(path, cards(3)));
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        JournalEntry entry;
        entry.file = {quint64(st.st_dev), quint64(st.st_ino)};
        entry.offset = RecordLength;
        entry.oldLength = 3 * RecordLength;
        entry.old = cards(3).mid(RecordLength, RecordLength);
        const QByteArray whole = encodeJournal(entry);
        QVERIFY(decodeJournal(whole));
        QVERIFY(writeBytes(journalBeside(path), whole.chopped(1)));
        QVERIFY(!editingWasInterrupted(path, QString()));
        CardEditSession next;
        QVERIFY(next.begin(path));
        QVERIFY(!next.undidInterruptedFiling());
        QVERIFY(!QFile::exists(journalBeside(path)));
        QCOMPARE(fileBytes(path), cards(3));
    }

    // A reader is told of a filing cut short, not of one under way in a live editor.
    void readersSeeAnInterruptedSession()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Filis.dat"));
        QVERIFY(writeBytes(path, cards(2)));
        CardRecord card;
        card.setField(Field::Title, QStringLiteral("ΝΕΑ"));
        killAt = FilingStep::CardSynced;
        QCOMPARE(fileInChild(path, QString(), 1, card), -SIGKILL);
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
