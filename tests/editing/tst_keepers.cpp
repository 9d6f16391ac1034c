// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Several keepers of one card file, and a stranger, in one folder: what another user put at
// the card file's names counts only when that user may write the card file, the keepers share
// the backups where the folder lets them, and one keeper's spent journal keeps no other out.

#include "cardbytes.h"
#include "cardeditsession.h"
#include "cardjournal.h"
#include "editablecardfile.h"
#include "testfiles.h"
#include "trust.h"

#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const uid_t Keeper = ::geteuid() + 2; // in the card file's group, which a stranger is not in

// The card file of three cards, writable by its group, in a folder whose mode is made up.
struct Keepers
{
    QTemporaryDir dir, data;
    const QString path = dir.filePath(QStringLiteral("Filis.dat"));
    InterceptedCalls calls;
    CardEditSession session{data.path()};

    explicit Keepers(mode_t folder)
    {
        writeBytes(path, cards(3));
        QFile::setPermissions(path,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup);
        madeUpGroups = [](uid_t user) -> std::optional<std::vector<gid_t>> {
            return std::vector<gid_t>{user == Stranger ? gid_t(user) : ::getegid()};
        };
        makeUpLook(dir.path(), [folder](struct stat &st) { st.st_mode = (st.st_mode & ~07777) | folder; });
    }
    // The journal of a filing of card 3 over the whole of card 3: undone, it cuts the file to two.
    QString put(const QString &name, uid_t owner)
    {
        const QString at = dir.filePath(name);
        writeBytes(at,
                   name.endsWith(JournalSuffix)
                       ? encodeJournal({2 * RecordLength, 2 * RecordLength, {}, cards(3).right(RecordLength)})
                       : QByteArray("another session's copy"));
        makeUpOwner(at, owner);
        return at;
    }
    QStringList leftAlone()
    {
        QStringList owners;
        for (const Failure &why : session.takeLeftAlone())
            owners << why.owner;
        return owners;
    }
};

} // namespace

class tst_keepers : public QObject
{
    Q_OBJECT

private slots:
    void whatStandsAtTheCardFilesNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<uint>("owner");
        QTest::addColumn<uint>("folder");
        QTest::addColumn<bool>("taken"); // the journal undone, the backup moved back a generation
        QTest::addColumn<bool>("named");
        QTest::newRow("a keeper's journal") << "Filis.dat.journal" << uint(Keeper) << 02775u << true << false;
        QTest::newRow("a stranger's journal in the keepers' group")
            << "Filis.dat.journal" << uint(Stranger) << 03777u << false << true;
        QTest::newRow("a keeper's backup, a group folder")
            << "Filis.dat.bak" << uint(Keeper) << 02775u << true << false;
        QTest::newRow("a keeper's backup, a sticky folder")
            << "Filis.dat.bak" << uint(Keeper) << 03777u << false << false;
        QTest::newRow("a keeper's backup with another name")
            << "Filis.dat.bak.1" << uint(Keeper) << 02775u << false << false;
        QTest::newRow("a stranger's oldest backup, a group folder")
            << "Filis.dat.bak.2" << uint(Stranger) << 02775u << false << true;
    }
    void whatStandsAtTheCardFilesNames()
    {
        QFETCH(QString, name);
        QFETCH(uint, owner);
        QFETCH(uint, folder);
        QFETCH(bool, taken);
        QFETCH(bool, named);
        Keepers k(folder);
        const QString at = k.put(name, owner);
        const QByteArray placed = fileBytes(at);
        if (name.endsWith(u'1'))
            QCOMPARE(::link(QFile::encodeName(at).constData(), QFile::encodeName(at + u'~').constData()), 0);
        QVERIFY(k.session.begin(k.path));
        QCOMPARE(k.leftAlone(), named ? QStringList{userName(owner)} : QStringList());
        const bool journal = name.endsWith(JournalSuffix);
        QCOMPARE(fileBytes(k.path), taken && journal ? cards(2) : cards(3));
        CardFile file;
        QVERIFY(openToEdit(file, k.path) && k.session.write(file, 1, CardRecord::newCard()));
        QCOMPARE(k.session.backupPath() == backupBeside(k.path), journal || taken);
        QCOMPARE(fileBytes(at) == placed, !taken);
        if (taken && !journal)
            QCOMPARE(fileBytes(backupGeneration(at, 1)), placed);
    }

    // Another keeper's journal in a sticky folder, where only that keeper may remove it: once
    // its filing is undone, emptied through a descriptor when it may be written, told once,
    // and the keeper's own filings journal in the data folder.
    void anotherKeepersSpentJournal_data()
    {
        QTest::addColumn<uint>("folder");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<QString>("left"); // "", "emptied", "refused"
        QTest::newRow("a group folder: removed") << 02775u << true << "";
        QTest::newRow("a sticky folder: emptied") << 03777u << true << "emptied";
        QTest::newRow("a sticky folder, not writable: refused") << 03777u << false << "refused";
    }
    void anotherKeepersSpentJournal()
    {
        QFETCH(uint, folder);
        QFETCH(bool, writable);
        QFETCH(QString, left);
        Keepers k(folder);
        const QString journal = k.put(QStringLiteral("Filis.dat.journal"), Keeper);
        const QByteArray bytes = fileBytes(journal);
        beforeCall = [&](const CallSite &site) {
            const bool there = site.name && QByteArrayView(site.name) == "Filis.dat.journal";
            if (there && site.call == Call::Unlinkat && (folder & S_ISVTX))
                return EPERM;
            return there && !writable && opensForWriting(site, "journal") ? EACCES : 0;
        };
        const Result<void> begun = k.session.begin(k.path);
        QCOMPARE(begun.has_value(), left != QLatin1String("refused"));
        QCOMPARE(fileBytes(k.path), cards(2)); // undone, whatever became of the journal
        QCOMPARE(QFile::exists(journal), !left.isEmpty());
        if (!left.isEmpty())
            QCOMPARE(fileBytes(journal), left == QLatin1String("emptied") ? QByteArray() : bytes);
        QCOMPARE(k.leftAlone(),
                 left == QLatin1String("emptied") ? QStringList{userName(Keeper)} : QStringList());
        if (!begun) {
            QCOMPARE(begun.error().stage, Stage::JournalRemoval);
            return;
        }
        QVERIFY(k.session.begin(k.path)); // again: the emptied journal is passed by, unsaid
        QCOMPARE(k.leftAlone(), QStringList());
        CardFile file;
        QVERIFY(openToEdit(file, k.path) && k.session.write(file, 1, CardRecord::newCard()));
        QCOMPARE(k.session.takeJournalElsewhere().has_value(), !left.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_keepers)
#include "tst_keepers.moc"
