// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Writing cards in an editing session: the bytes that reach the file, the backup made
// before the first write, and writes that fail for real reasons and leave the file whole.

#include "cardbytes.h"
#include "cardeditsession.h"
#include "cardjournal.h"
#include "editablecardfile.h"
#include "greekfailure.h"
#include "realfailures.h"
#include "seam.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

// The card file in `folder` with a session on it, the way the window will hold them.
struct Editing
{
    explicit Editing(const QString &folder, const QString &fallback = QString())
        : path(folder + QStringLiteral("/Filis.dat")), session(fallback)
    {
    }
    bool begin(const QByteArray &stored)
    {
        return writeBytes(path, stored) && session.begin(path) && openToEdit(file, path);
    }
    QString write(qint32 number, const CardRecord &card) // the reason it failed, if it did
    {
        const Result<void> filed = session.write(file, number, card);
        return filed ? QString() : greekText(filed.error());
    }
    QString path;
    CardEditSession session;
    CardFile file;
};

const QString NoSpace = QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.");
const QString OverLimit =
    QStringLiteral("Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.");
const QString AnotherFile = QStringLiteral("Στη θέση του βρίσκεται πλέον άλλο αρχείο.");

// Another file renamed over the card file's path by a writer that ignores the lock.
bool replaceAt(const QString &path)
{
    return writeBytes(path + QStringLiteral(".new"), cards(5)) &&
           ::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                    QFile::encodeName(path).constData()) == 0;
}

enum class Trouble {
    DiskFull,
    SizeLimit,
    ReadOnlyMedium,
    ReadOnlyFile,
    Removed,
    Replaced,
    ReplacedThenOpened
};

} // namespace

Q_DECLARE_METATYPE(Trouble)
Q_DECLARE_METATYPE(CardRecord)

class tst_cardwrite : public QObject
{
    Q_OBJECT

    std::optional<QTemporaryDir> dir;

private slots:
    void init() { dir.emplace(); }
    void initTestCase() { usePrivateMounts(); } // whatever happens to this process, its mounts go with it

    // Card 1 is deleted first: the backup holds the file as it was before that.
    void writesEveryByteAfterOneBackup_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<CardRecord>("card");
        QTest::addColumn<QByteArray>("stored");
        CardRecord filed;
        filed.setField(Field::Isbn, QStringLiteral("960-7094"));
        filed.setField(Field::Title, QStringLiteral("ΙΣΤΟΡΙΑ ς"));
        filed.setField(Field::PagesNotes, QStringLiteral("σελ. 12"));
        QByteArray filedBytes(RecordLength, ' ');
        filedBytes.replace(0, 8, "960-7094").replace(40, 9, "\xC9\xD3\xD4\xCF\xD1\xC9\xC1 \xF2");
        filedBytes.replace(175, 7, "\xF3\xE5\xEB. 12");
        QByteArray deleted(RecordLength, ' ');
        for (int offset : {0, 20, 40, 105, 135, 175})
            deleted.replace(offset, 3, "~~~");
        QTest::newRow("filed card 2") << 2 << filed << filedBytes;
        QTest::newRow("new card appended")
            << 4 << CardRecord::newCard() << QByteArray("\x39\x36\x30\x2D") + QByteArray(191, ' ');
        QTest::newRow("deleted card 3") << 3 << CardRecord::deletedCard() << deleted;
    }
    void writesEveryByteAfterOneBackup()
    {
        QFETCH(int, number);
        QFETCH(CardRecord, card);
        QFETCH(QByteArray, stored);
        Editing e(dir->path());
        QVERIFY(e.begin(cards(3)));
        QCOMPARE(e.write(1, CardRecord::deletedCard()), QString());
        QCOMPARE(e.write(number, card), QString());
        QByteArray expected = cards(3);
        expected.replace(0, RecordLength, QByteArray(CardRecord::deletedCard().bytes().data(), RecordLength));
        QCOMPARE(fileBytes(e.path), expected.replace((number - 1) * RecordLength, RecordLength, stored));
        QCOMPARE(e.session.backupPath(), dir->filePath(QStringLiteral("Filis.dat.bak")));
        QCOMPARE(fileBytes(e.session.backupPath()), cards(3));
    }

    void backupGoesToTheFallbackFolderWhenTheCardFolderIsClosed()
    {
        QTemporaryDir data;
        const QString fallback = data.filePath(QStringLiteral("Velmora"));
        Editing e(dir->path(), fallback);
        QVERIFY(e.begin(cards(2)));
        InterceptedCalls calls;
        beforeCall = [](const CallSite &site) { // a folder the keeper cannot write into
            const QByteArrayView name(site.name ? site.name : "");
            return site.call == Call::Openat && (site.flags & O_CREAT) &&
                           (name.startsWith(".Filis.dat.bak.") || name.startsWith(".Filis.dat.journal."))
                       ? EACCES
                       : 0;
        };
        QCOMPARE(e.write(2, CardRecord::newCard()), QString());
        QCOMPARE(e.session.backupPath(), backupInFolder(e.path, fallback));
        QCOMPARE(fileBytes(e.session.backupPath()), cards(2));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files),
                 (QStringList{QStringLiteral("Filis.dat"), QStringLiteral("Filis.dat.lock")}));
    }

    // Too little room for the copy beside the file or in the fallback folder: nothing is
    // written, no partial copy stays, the older copy is untouched; with room, it all goes.
    void noBackupNoWrite()
    {
        SmallMedium medium(dir->path());
        Editing e(dir->path(), dir->filePath(QStringLiteral("data")));
        const QByteArray older("an older session's copy");
        QVERIFY(e.begin(cards(40))); // two pages, one of them free: the copy fails half-way
        QVERIFY(writeBytes(e.path + QStringLiteral(".bak"), older));
        QString reason;
        {
            std::optional<SizeLimit> limit;
            if (medium.mounted)
                medium.fill(4096);
            else
                limit.emplace(5000);
            reason = e.write(1, CardRecord::deletedCard());
        }
        const QString why = medium.mounted ? NoSpace : OverLimit;
        QCOMPARE(reason, QStringLiteral("Δεν έγινε αντίγραφο ασφαλείας του αρχείου καρτελλών, γι' αυτό δεν "
                                        "γράφτηκε τίποτα.\nΣτον φάκελο «%1»: %2\nΣτον φάκελο «%1/data»: %2")
                             .arg(dir->path(), why));
        QCOMPARE(fileBytes(e.path), cards(40));
        QCOMPARE(fileBytes(e.path + QStringLiteral(".bak")), older);
        // and the keepers' lock, and the filler
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files).size(), medium.mounted ? 4 : 3);
        QCOMPARE(QDir(dir->filePath(QStringLiteral("data"))).entryList(QDir::Files), QStringList());

        QFile::remove(dir->filePath(QStringLiteral("filler")));
        QCOMPARE(e.write(1, CardRecord::deletedCard()), QString());
        QCOMPARE(fileBytes(e.session.backupPath()), cards(40));
    }

    // Each session's first filing keeps the copy of the two before; a private card file
    // gets private copies.
    void backupsOfThreeSessions()
    {
        QStringList states{QString::fromLatin1(cards(2).toHex())};
        const QString path = dir->filePath(QStringLiteral("Filis.dat"));
        QVERIFY(writeBytes(path, cards(2)));
        // Not the 0600 of a new temporary file: a copy that kept that would pass unseen.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        for (int session = 1; session <= 4; ++session) {
            CardEditSession s;
            QVERIFY(s.begin(path));
            CardFile file;
            QVERIFY(openToEdit(file, path));
            CardRecord card;
            card.setField(Field::Title, QStringLiteral("ΣΥΝΕΔΡΙΑ %1").arg(session));
            QVERIFY(s.write(file, 1, card));
            QVERIFY(s.write(file, 2, card)); // a second filing makes no second copy
            states.prepend(QString::fromLatin1(fileBytes(path).toHex()));
        }
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 5); // and the lock
        for (int g = 0; g < 3; ++g) {
            const QString copy = backupGeneration(path + QStringLiteral(".bak"), g);
            struct stat st = {};
            QCOMPARE(QString::fromLatin1(fileBytes(copy).toHex()), states.at(g + 1));
            QCOMPARE(::stat(QFile::encodeName(copy).constData(), &st) == 0 ? st.st_mode & 07777 : 0, 0640u);
        }
    }

    // A copy whose sync fails late (a quota, a network share): refused, and the copies of
    // the sessions before are all where they were.
    void aBackupThatCannotBeSyncedMovesNoCopy()
    {
        Editing e(dir->path());
        QVERIFY(e.begin(cards(3)));
        const QStringList copies{e.path + QStringLiteral(".bak"), e.path + QStringLiteral(".bak.1"),
                                 e.path + QStringLiteral(".bak.2")};
        for (const QString &copy : copies)
            QVERIFY(writeBytes(copy, copy.toUtf8()));
        QString why;
        {
            InterceptedCalls intercepted;
            beforeCall = [](const CallSite &site) { return site.call == Call::Fsync ? EDQUOT : 0; };
            why = e.write(2, CardRecord::newCard());
        }
        QVERIFY(why.startsWith(QStringLiteral("Δεν έγινε αντίγραφο ασφαλείας")));
        for (const QString &copy : copies)
            QCOMPARE(fileBytes(copy), copy.toUtf8());
        QCOMPARE(fileBytes(e.path), cards(3));
        QCOMPARE(QDir(dir->path()).entryList(QDir::Files | QDir::Hidden).size(), 5); // and the lock
    }

    // Another user's link or file at a name the program writes: neither it nor what it points
    // to is touched, the copy and the journal go to the data folder, and the filing says
    // where the copy went.
    void plantedLinksAreNotWrittenThrough_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("link"); // else another user's file
        QTest::newRow("latest backup") << QStringLiteral("Filis.dat.bak") << true;
        QTest::newRow("oldest backup") << QStringLiteral("Filis.dat.bak.2") << true;
        QTest::newRow("journal") << QStringLiteral("Filis.dat.journal") << true;
        QTest::newRow("another user's latest backup") << QStringLiteral("Filis.dat.bak") << false;
    }
    void plantedLinksAreNotWrittenThrough()
    {
        QFETCH(QString, name);
        QFETCH(bool, link);
        const QString data = dir->filePath(QStringLiteral("data"));
        const QString victim = link ? dir->filePath(QStringLiteral("bashrc")) : dir->filePath(name);
        QVERIFY(writeBytes(victim, "keep me"));
        InterceptedCalls calls;
        if (link)
            QVERIFY(QFile::link(victim, dir->filePath(name)));
        else
            makeUpOwner(victim, Stranger);
        Editing e(dir->path(), data);
        QVERIFY(e.begin(cards(2)));
        QCOMPARE(e.write(1, CardRecord::newCard()), QString());
        QCOMPARE(fileBytes(victim), QByteArray("keep me"));
        if (link)
            QCOMPARE(QFileInfo(dir->filePath(name)).symLinkTarget(), victim);
        const bool backupMoved = name.contains(QLatin1String(".bak"));
        QCOMPARE(e.session.backupPath(), backupMoved ? backupInFolder(e.path, data) : backupBeside(e.path));
        QCOMPARE(e.session.takeBackupElsewhere() == std::optional(backupInFolder(e.path, data)), backupMoved);
        QCOMPARE(fileBytes(e.session.backupPath()), cards(2));
        QCOMPARE(e.file.read(1).value(), CardRecord::newCard());
    }

    // The file replaced before the session's first filing: refused, and the copy of the
    // session before is not replaced by the orphan.
    void aRefusedFilingKeepsTheBackup()
    {
        Editing e(dir->path());
        QVERIFY(e.begin(cards(3)));
        QVERIFY(writeBytes(e.path + QStringLiteral(".bak"), "the last good copy"));
        QVERIFY(replaceAt(e.path));
        QCOMPARE(e.write(2, CardRecord::newCard()), AnotherFile);
        QCOMPARE(fileBytes(e.path + QStringLiteral(".bak")), QByteArray("the last good copy"));
        QVERIFY(!QFile::exists(e.path + QStringLiteral(".bak.1")));
    }

    // Replaced between the first look and the write, or during it: not filed, the orphan
    // put back, no journal left to undo anything in the file now at the path.
    void replacedDuringTheWriteIsNotFiled_data()
    {
        QTest::addColumn<bool>("afterTheSync"); // else after the journal, before the card
        QTest::newRow("after the journal") << false;
        QTest::newRow("after the card's sync") << true;
    }
    void replacedDuringTheWriteIsNotFiled()
    {
        QFETCH(bool, afterTheSync);
        Editing e(dir->path());
        QVERIFY(e.begin(cards(3)));
        const QString kept = dir->filePath(QStringLiteral("kept"));
        QCOMPARE(::link(QFile::encodeName(e.path).constData(), QFile::encodeName(kept).constData()), 0);
        QString why;
        {
            InterceptedCalls intercepted;
            bool replaced = false;
            const auto replaceOnce = [&](const CallSite &site, bool after) {
                const Call at = afterTheSync ? Call::Fdatasync : Call::Pwrite;
                replaced = replaced || (after == afterTheSync && site.call == at && replaceAt(e.path));
                return 0;
            };
            beforeCall = [&](const CallSite &site) { return replaceOnce(site, false); };
            afterCall = [&](const CallSite &site, long) { replaceOnce(site, true); };
            why = e.write(2, CardRecord::newCard());
        }
        QCOMPARE(why, AnotherFile);
        QCOMPARE(fileBytes(kept), cards(3));
        QCOMPARE(fileBytes(e.path), cards(5));
        QVERIFY(!findJournal(e.path, QString()));
    }

    void failedWriteLeavesTheFileWhole_data()
    {
        QTest::addColumn<Trouble>("failure");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("reason");
        // Card 43 begins two bytes before the end of the second page, one byte before the
        // end of the file: a byte is written over, one added, and the rest needs a page
        // the full medium does not have, or lies past the size limit.
        QTest::newRow("disk full, card across the end") << Trouble::DiskFull << cards(42, 1) << 43 << NoSpace;
        QTest::newRow("size limit, card across the end")
            << Trouble::SizeLimit << cards(1, 98) << 2 << OverLimit;
        QTest::newRow("read-only medium")
            << Trouble::ReadOnlyMedium << cards(3) << 2
            << QStringLiteral(
                   "Το αρχείο ανοίχτηκε μόνο για ανάγνωση: το μέσο αποθήκευσης δεν δέχεται εγγραφές.");
        QTest::newRow("read-only card file")
            << Trouble::ReadOnlyFile << cards(3) << 2
            << QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση: δεν επιτρέπεται η εγγραφή σε αυτό.");
        QTest::newRow("removed while open")
            << Trouble::Removed << cards(3) << 4
            << QStringLiteral("Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.");
        QTest::newRow("replaced while open") << Trouble::Replaced << cards(3) << 2 << AnotherFile;
        QTest::newRow("replaced, then opened again")
            << Trouble::ReplacedThenOpened << cards(3) << 2 << AnotherFile;
    }
    void failedWriteLeavesTheFileWhole()
    {
        QFETCH(Trouble, failure);
        QFETCH(QByteArray, stored);
        QFETCH(int, number);
        QFETCH(QString, reason);
        std::optional<SmallMedium> medium;
        if (failure == Trouble::DiskFull)
            medium.emplace(dir->path());
        if (failure == Trouble::DiskFull && !medium->mounted) {
            failure = Trouble::SizeLimit; // the same partial write, through another limit
            reason = OverLimit;
        }
        Editing e(dir->path());
        QVERIFY(e.begin(stored));
        const QString kept = dir->filePath(QStringLiteral("kept")); // the same file, always reachable
        QCOMPARE(::link(QFile::encodeName(e.path).constData(), QFile::encodeName(kept).constData()), 0);
        QCOMPARE(e.write(1, e.file.read(1).value()), QString()); // the backup is made: what fails is the card

        std::optional<SizeLimit> limit;
        InterceptedCalls calls;
        const auto refuseWriting = [&](int error) {
            beforeCall = [error](const CallSite &site) {
                return opensForWriting(site, "Filis.dat") ? error : 0;
            };
        };
        const auto reopen = [&] {
            e.file.close();
            QVERIFY(openToEdit(e.file, e.path));
        };
        switch (failure) {
        case Trouble::DiskFull:
            medium->fill(0);
            break;
        case Trouble::SizeLimit:
            limit.emplace(stored.size() + 60); // room for the journal, not for the whole card
            break;
        case Trouble::ReadOnlyMedium:
            // No medium turns read-only under a descriptor open for writing, the lock's: the
            // next session finds it so.
            e.file.close();
            e.session.end();
            refuseWriting(EROFS);
            QVERIFY(!e.session.begin(e.path));
            QVERIFY(openToEdit(e.file, e.path));
            break;
        case Trouble::ReadOnlyFile:
            refuseWriting(EACCES);
            reopen();
            break;
        case Trouble::Removed:
            QVERIFY(QFile::remove(e.path));
            break;
        case Trouble::Replaced:
        case Trouble::ReplacedThenOpened:
            QVERIFY(replaceAt(e.path));
            if (failure == Trouble::ReplacedThenOpened)
                reopen();
            break;
        }
        const QString why = e.write(number, CardRecord::newCard());
        limit.reset();
        // On a full medium the journal, which needs a page, is what fails first.
        QCOMPARE(why,
                 failure == Trouble::DiskFull
                     ? QStringLiteral("Δεν γράφτηκε το ημερολόγιο που προστατεύει την καρτέλλα, γι' αυτό δεν "
                                      "γράφτηκε τίποτα.\nΣτον φάκελο «%1»: %2")
                           .arg(dir->path(), reason)
                     : reason);
        QCOMPARE(fileBytes(kept), stored);
        if (failure == Trouble::Replaced || failure == Trouble::ReplacedThenOpened)
            QCOMPARE(fileBytes(e.path), cards(5));
    }
};

QTEST_APPLESS_MAIN(tst_cardwrite)
#include "tst_cardwrite.moc"
