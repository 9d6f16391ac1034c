// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Every state a POSIX file system may leave at a power cut during real filings, as the
// research tools that find crash bugs in applications enumerate them: the calls of the
// filings are recorded through the seam; at each crash point, what no sync has forced to
// the medium is kept or lost, operation by operation and a write sector by sector, a
// folder's entries durable only once that folder is synced. Each distinct state is written
// out as new files (no device or inode number survives) and opened as the next editor
// would. Then each sync in turn is taken out of the model, and some state must break.

#include "cardbackup.h"
#include "cardbytes.h"
#include "cardeditsession.h"
#include "cardjournal.h"
#include "editablecardfile.h"
#include "fileops.h"
#include "importing.h"
#include "restoring.h"
#include "seam.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr qint64 Sector = 512;
// The operations at one crash point that no sync has forced yet, each kept or lost: every
// combination is tried, and more than 2^16 is refused rather than sampled.
constexpr int MostPending = 16;
const QByteArray CardName = "Filis.dat";

struct Node
{
    char kind = 'f';                   // 'f' a file, 'd' a folder, 'l' a link
    QByteArray bytes;                  // a file's, or a link's target
    std::map<QByteArray, int> entries; // a folder's: name -> node
};
using State = std::map<int, Node>;
constexpr int Root = 0;

// What one call did to the medium; a write is cut at sector boundaries, which the medium
// keeps each whole or not at all, and a file's new length is kept apart from the bytes that
// fill it, which read as zeros without them.
struct Op
{
    enum Kind { Write, Grow, Truncate, Entry, Sync } kind;
    int node = -1;     // the file written, grown, truncated or synced, or the folder of an entry
    qint64 offset = 0; // of a write, or the length a file is grown or truncated to
    QByteArray bytes = {};
    QByteArray name = {}; // of an entry: set to `target`, or removed (-1)
    int target = -1;
    QByteArray from = {}; // the name a rename takes away
    QString what = {};    // a sync's name
};

void apply(State &state, const Op &op)
{
    Node &node = state[op.node];
    if (op.kind == Op::Write) {
        if (node.bytes.size() < op.offset + op.bytes.size())
            node.bytes.resize(op.offset + op.bytes.size(), '\0');
        node.bytes.replace(op.offset, op.bytes.size(), op.bytes);
    } else if (op.kind == Op::Truncate || (op.kind == Op::Grow && node.bytes.size() < op.offset)) {
        node.bytes.resize(op.offset, '\0');
    } else if (op.kind == Op::Entry) {
        node.entries.erase(op.from);
        if (op.target < 0)
            node.entries.erase(op.name);
        else
            node.entries[op.name] = op.target;
    }
}

void serialize(const State &state, int node, const QByteArray &path, QByteArray &out)
{
    const Node &n = state.at(node);
    out += path + '\0' + n.kind + QByteArray::number(n.bytes.size()) + '\0' + n.bytes;
    for (const auto &[name, child] : n.entries)
        serialize(state, child, path + '/' + name, out);
}

bool writeOut(const State &state, int node, const QString &path)
{
    const Node &n = state.at(node);
    if (n.kind == 'l')
        return QFile::link(QFile::decodeName(n.bytes), path);
    if (n.kind == 'f')
        return writeBytes(path, n.bytes);
    if (node != Root && !QDir().mkdir(path))
        return false;
    for (const auto &[name, child] : n.entries)
        if (!writeOut(state, child, path + QLatin1Char('/') + QFile::decodeName(name)))
            return false;
    return true;
}

QString role(const QByteArray &name)
{
    if (name.endsWith(".journal"))
        return QStringLiteral("the journal");
    if (name.endsWith(".bak"))
        return QStringLiteral("the backup copy");
    if (name == CardName)
        return QStringLiteral("the card");
    return name == "data" ? QStringLiteral("the data folder") : QString::fromUtf8(name);
}

struct Filing
{
    qint32 number;
    CardRecord card;
};

struct Scenario
{
    const char *name;
    QByteArray stored;
    QList<Filing> filings;
    bool journalElsewhere = false; // a link holds its name beside: the data folder takes it
    // Or the whole file changed at once: replaced by an import's cards (these bytes), or
    // restored from its latest backup, a journal of a filing cut short standing beside it.
    enum Whole { None, Replaced, Restored } whole = None;
    QByteArray replacement = {};
};

// Unlike the old card in every sector it shares with it.
CardRecord filled(const char *text)
{
    CardRecord card;
    for (const Field f : AllFields)
        card.setField(f, QString::fromUtf8(text));
    return card;
}

// Card 3 (bytes 390-585) and card 6 (975-1170) cross a sector boundary.
QList<Scenario> scenarios()
{
    return {
        {"first filing and a second", cards(6), {{3, filled("ΠΡΩΤΗ")}, {6, filled("ΔΕΥΤΕΡΗ")}}},
        {"F3 at the end", cards(5), {{6, CardRecord::newCard()}}},
        {"F3 over a partial last card",
         cards(4, 100),
         {{5, CardRecord::fromBytes(cards(4, 100).mid(4 * RecordLength))}, {6, CardRecord::newCard()}}},
        {"a deletion", cards(4), {{3, CardRecord::deletedCard()}}},
        {"journal in the data folder", cards(4), {{3, filled("ΝΕΑ")}}, true},
        {"replaced by an import", cards(6), {}, false, Scenario::Replaced, cards(2)},
        {"restored", cards(6), {}, false, Scenario::Restored},
    };
}

const QList<QByteArray> OldCopies = {"the copy of the last session", "the copy of the session before",
                                     "the copy of three sessions ago"};

struct Recording
{
    State before; // every node the filings touch, those they create still empty and unnamed
    QList<Op> ops;
    QList<int> filed;              // ops done when each filing returned
    QList<QByteArray> versions;    // the card file before and after each filing
    QList<QByteArray> generations; // the card file before the session, then OldCopies
    QHash<int, QByteArray> names;  // the name each node had last
    int firstCardWrite = -1;       // or the rename of another file over the card file
    Scenario::Whole whole = Scenario::None;
    QStringList unmodelled;
};

// Takes each call the seam shows as operations, keeping the state it makes in `now` so as
// to know which name a call creates and which file a rename moves.
struct Recorder
{
    Recording &r;
    State now = {};
    QHash<quint64, int> ids = {}; // inode number -> node, while that inode is the node
    int card = -1;

    int idOf(int fd) const
    {
        struct stat st = {};
        return ::fstat(fd, &st) == 0 ? ids.value(st.st_ino, -1) : -1;
    }
    std::pair<int, QByteArray> placeOf(int folder, const char *name) const
    {
        if (folder != AT_FDCWD)
            return {idOf(folder), name};
        struct stat st = {};
        const bool found = ::stat(folderOf(QByteArray(name)).constData(), &st) == 0;
        return {found ? ids.value(st.st_ino, -1) : -1, nameOf(QByteArray(name))};
    }
    int fresh(quint64 inode, char kind)
    {
        const int id = int(r.before.size());
        r.before[id].kind = kind;
        now[id].kind = kind;
        ids[inode] = id;
        return id;
    }
    void add(const Op &op)
    {
        if (op.node < 0)
            return;
        apply(now, op);
        r.ops << op;
    }
    void take(const CallSite &site, long result)
    {
        if (!changesTheMedium(site))
            return;
        struct stat st = {};
        switch (site.call) {
        case Call::Openat:
        case Call::Mkdirat: {
            const auto [folder, name] = placeOf(site.fd, site.name);
            const bool made = site.call == Call::Mkdirat || (site.flags & O_CREAT);
            if (!made || folder < 0 || now[folder].entries.count(name))
                return;
            if (site.call == Call::Mkdirat ? ::fstatat(site.fd, site.name, &st, 0)
                                           : ::fstat(int(result), &st))
                r.unmodelled << QStringLiteral("a file made and gone");
            const int id = fresh(st.st_ino, site.call == Call::Mkdirat ? 'd' : 'f');
            add({.kind = Op::Entry, .node = folder, .name = name, .target = id});
            r.names[id] = name;
            return;
        }
        case Call::Write:
        case Call::Pwrite: {
            const int node = idOf(site.fd);
            const qint64 at =
                site.call == Call::Pwrite ? site.offset : ::lseek(site.fd, 0, SEEK_CUR) - result;
            if (node == card && r.firstCardWrite < 0)
                r.firstCardWrite = int(r.ops.size());
            for (qint64 from = at; from < at + result;) {
                const qint64 to = std::min(at + result, (from / Sector + 1) * Sector);
                if (to > now[node].bytes.size())
                    add({.kind = Op::Grow, .node = node, .offset = to});
                add({.kind = Op::Write,
                     .node = node,
                     .offset = from,
                     .bytes = QByteArray(static_cast<const char *>(site.data) + (from - at), to - from)});
                from = to;
            }
            return;
        }
        case Call::Ftruncate:
            return add({.kind = Op::Truncate, .node = idOf(site.fd), .offset = site.offset});
        case Call::Fsync:
        case Call::Fdatasync:
            return add(
                {.kind = Op::Sync,
                 .node = idOf(site.fd),
                 .what = site.call == Call::Fsync ? QStringLiteral("fsync") : QStringLiteral("fdatasync")});
        case Call::Renameat: {
            const auto [folder, from] = placeOf(site.fd, site.name);
            const auto [toFolder, to] = placeOf(site.toFolder, site.to);
            if (to == CardName && r.firstCardWrite < 0)
                r.firstCardWrite = int(r.ops.size());
            if (folder != toFolder || folder < 0 || !now[folder].entries.count(from))
                return void(r.unmodelled << QStringLiteral("rename of %1").arg(site.name));
            const int node = now[folder].entries.at(from);
            add({.kind = Op::Entry, .node = folder, .name = to, .target = node, .from = from});
            r.names[node] = to;
            return;
        }
        case Call::Unlinkat: {
            const auto [folder, name] = placeOf(site.fd, site.name);
            return add({.kind = Op::Entry, .node = folder, .name = name});
        }
        case Call::Linkat: {
            const auto [folder, from] = placeOf(site.fd, site.name);
            const auto [toFolder, to] = placeOf(site.toFolder, site.to);
            if (folder < 0 || !now[folder].entries.count(from))
                return void(r.unmodelled << QStringLiteral("link of %1").arg(site.name));
            return add(
                {.kind = Op::Entry, .node = toFolder, .name = to, .target = now[folder].entries.at(from)});
        }
        case Call::Fchmod: // permission bits and owners are not what a power cut tears
        case Call::Fchown:
            return;
        default:
            r.unmodelled << QStringLiteral("call %1").arg(int(site.call));
        }
    }
};

// The folder as it stands, every file in it durable.
void snapshot(const QString &path, int id, Recorder &recorder)
{
    for (const QString &name :
         QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString child = path + QLatin1Char('/') + name;
        struct stat st = {};
        ::lstat(QFile::encodeName(child).constData(), &st);
        const int node = recorder.fresh(st.st_ino, S_ISDIR(st.st_mode)   ? 'd'
                                                   : S_ISLNK(st.st_mode) ? 'l'
                                                                         : 'f');
        Node &n = recorder.r.before[node];
        if (n.kind == 'l')
            n.bytes = QFile::encodeName(QFile::symLinkTarget(child));
        else if (n.kind == 'f')
            n.bytes = fileBytes(child);
        recorder.r.before[id].entries[QFile::encodeName(name)] = node;
        recorder.r.names[node] = QFile::encodeName(name);
        if (n.kind == 'd')
            snapshot(child, node, recorder);
    }
    recorder.now = recorder.r.before;
}

} // namespace

class tst_powercut : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QList<Recording> m_recordings; // one for each scenario

    QString folder() const { return m_dir.filePath(QStringLiteral("cards")); }
    QString cardPath() const { return folder() + QLatin1Char('/') + QString::fromLatin1(CardName); }
    QString dataFolder() const { return m_dir.filePath(QStringLiteral("data")); }

    void clear()
    {
        for (const QFileInfo &entry :
             QDir(m_dir.path())
                 .entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            QVERIFY(entry.isDir() && !entry.isSymLink() ? QDir(entry.filePath()).removeRecursively()
                                                        : QFile::remove(entry.filePath()));
    }

    void record(const Scenario &scenario, Recording &r)
    {
        clear();
        QVERIFY(QDir().mkpath(folder()));
        QVERIFY(writeBytes(cardPath(), scenario.stored));
        for (int g = 0; g < BackupGenerations; ++g)
            QVERIFY(writeBytes(backupGeneration(backupBeside(cardPath()), g), OldCopies[g]));
        if (scenario.whole == Scenario::Restored)
            QVERIFY(writeBytes(journalBeside(cardPath()), "VELMORA JOURNAL2, a filing cut short"));
        if (scenario.journalElsewhere)
            QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("elsewhere")), journalBeside(cardPath())));
        Recorder recorder{r};
        struct stat st = {};
        QCOMPARE(::stat(QFile::encodeName(m_dir.path()).constData(), &st), 0);
        recorder.fresh(st.st_ino, 'd');
        snapshot(m_dir.path(), Root, recorder);
        QCOMPARE(::stat(QFile::encodeName(cardPath()).constData(), &st), 0);
        recorder.card = recorder.ids.value(st.st_ino);
        r.versions << scenario.stored;
        r.generations << scenario.stored << OldCopies;
        {
            InterceptedCalls intercepted;
            afterCall = [&](const CallSite &site, long result) { recorder.take(site, result); };
            r.whole = scenario.whole;
            if (scenario.whole == Scenario::Replaced) {
                ImportedCardFile out(dataFolder());
                QVERIFY(out.open(cardPath(), ImportedCardFile::Existing::Replaced, std::nullopt));
                out.write(scenario.replacement);
                QVERIFY(out.commit());
            } else if (scenario.whole == Scenario::Restored) {
                CardRestore restore(dataFolder());
                QVERIFY(restore.begin(cardPath(), CardRestore::Purpose::Restore));
                QVERIFY(restore.restore(0));
            }
            if (scenario.whole != Scenario::None) {
                r.filed << int(r.ops.size());
                r.versions << fileBytes(cardPath());
            }
            CardEditSession session(dataFolder());
            CardFile file;
            if (!scenario.filings.isEmpty()) {
                QVERIFY(session.begin(cardPath()));
                QVERIFY(openToEdit(file, cardPath()));
            }
            for (const Filing &filing : scenario.filings) {
                QVERIFY(session.write(file, filing.number, filing.card));
                r.filed << int(r.ops.size());
                r.versions << fileBytes(cardPath());
            }
        }
        QCOMPARE(r.unmodelled, QStringList());
        // Each sync named by what it is: of a file by that file's part, of a folder by the
        // last change made in it.
        for (qsizetype j = 0; j < r.ops.size(); ++j) {
            Op &sync = r.ops[j];
            if (sync.kind != Op::Sync)
                continue;
            if (r.before[sync.node].kind == 'd') {
                qsizetype i = j;
                while (r.ops[--i].kind != Op::Entry || r.ops[i].node != sync.node) {
                }
                const Op &e = r.ops[i];
                sync.what = QStringLiteral("folder sync after ") +
                            (e.target < 0             ? role(e.name) + QStringLiteral("'s removal")
                             : e.from.startsWith('.') ? role(e.name) + QStringLiteral("'s rename")
                             : e.from.isEmpty()       ? role(e.name) + QStringLiteral("'s creation")
                                                : QString::fromUtf8(e.from.mid(CardName.size()) + " -> " +
                                                                    e.name.mid(CardName.size())));
            } else {
                sync.what = role(r.names.value(sync.node)) + QStringLiteral("'s ") + sync.what;
            }
            if (r.filed.size() > 1)
                sync.what =
                    QStringLiteral("filing %1: ")
                        .arg(std::upper_bound(r.filed.begin(), r.filed.end(), j) - r.filed.begin() + 1) +
                    sync.what;
        }
    }

    // Why the next editor does not find the state whole, or nothing: the card file is its
    // state after some filings, at least those that returned before the cut; each backup is
    // absent or a whole copy of its generation or the one it moves back from; neither of the
    // two newest old copies is gone; and once a card may be on the medium, the latest copy
    // is the file before the session.
    QString reopen(const Recording &r, const State &state, int filed, bool cardMayBeFiled)
    {
        clear();
        if (!writeOut(state, Root, m_dir.path()))
            return QStringLiteral("the state could not be written out");
        // After a cut in a restore: no backup touched; the file as it was either still the card
        // file or whole in its copy; the journal gone only once the restore is on the medium;
        // both, once the restore returned.
        if (r.whole == Scenario::Restored) {
            for (int g = 0; g < BackupGenerations; ++g)
                if (fileBytes(backupGeneration(backupBeside(cardPath()), g)) != r.generations[g + 1])
                    return QStringLiteral("a backup changed");
            const QByteArray now = fileBytes(cardPath());
            if (now != r.versions[0] &&
                fileBytes(cardPath() + QStringLiteral(".before-restore")) != r.versions[0])
                return QStringLiteral("the file as it was is lost");
            const bool journal = QFile::exists(journalBeside(cardPath()));
            if ((!journal || filed > 0) && now != r.versions[1])
                return QStringLiteral(
                    "the journal is gone or the restore returned, and the file is not restored");
            return filed > 0 && journal ? QStringLiteral("the restore returned and the journal stands")
                                        : QString();
        }
        CardEditSession next(dataFolder());
        if (const Result<void> begun = next.begin(cardPath()); !begun)
            return QStringLiteral("the next editor cannot begin: fault %1").arg(int(begun.error().fault));
        const QByteArray now = fileBytes(cardPath());
        if (!r.versions.mid(filed).contains(now))
            return r.versions.contains(now)
                       ? QStringLiteral("a filing that returned is undone")
                       : QStringLiteral("a torn card, another byte changed or a wrong count");
        QList<QByteArray> held;
        for (int g = 0; g < BackupGenerations; ++g) {
            const QString name = backupGeneration(backupBeside(cardPath()), g);
            if (!QFile::exists(name))
                continue;
            held << fileBytes(name);
            if (held.last() != r.generations[g] && held.last() != r.generations[g + 1])
                return QFileInfo(name).fileName() + QStringLiteral(" is no whole copy of its generation");
        }
        if (!held.contains(r.generations[1]) || !held.contains(r.generations[2]))
            return QStringLiteral("an old copy is lost");
        if (cardMayBeFiled && fileBytes(backupBeside(cardPath())) != r.generations[0])
            return QStringLiteral("a card may be on the medium and the latest copy is not the file before");
        return {};
    }

    static QString describe(const Recording &r, qsizetype i)
    {
        const Op &op = r.ops[i];
        const QString name = QString::fromUtf8(op.kind == Op::Entry ? op.name : r.names.value(op.node));
        switch (op.kind) {
        case Op::Write:
            return QStringLiteral("%1's bytes %2-%3")
                .arg(name)
                .arg(op.offset)
                .arg(op.offset + op.bytes.size());
        case Op::Grow:
        case Op::Truncate:
            return QStringLiteral("%1's length %2").arg(name).arg(op.offset);
        case Op::Entry:
            return op.target < 0       ? QString(QStringLiteral("removal of ") + name)
                   : op.from.isEmpty() ? QString(QStringLiteral("creation of ") + name)
                                       : QString::fromUtf8(op.from) + QStringLiteral(" -> ") + name;
        case Op::Sync:
            break;
        }
        return op.what;
    }

    struct Outcome
    {
        int states = 0;
        QString violation; // the first state that breaks, and how
        bool tooMany = false;
    };

    // Every crash point, every distinct state; `noSync`: a sync the model takes as not made.
    Outcome explore(const Recording &r, qsizetype noSync = -1)
    {
        Outcome outcome;
        QSet<QByteArray> seen;
        const auto synced = [&](qsizetype i, qsizetype done) {
            for (qsizetype j = i + 1; j < done; ++j)
                if (j != noSync && r.ops[j].kind == Op::Sync && r.ops[j].node == r.ops[i].node)
                    return true;
            return false;
        };
        for (qsizetype done = 0; done <= r.ops.size(); ++done) {
            QList<qsizetype> pending;
            for (qsizetype i = 0; i < done; ++i)
                if (r.ops[i].kind != Op::Sync && !synced(i, done))
                    pending << i;
            if (pending.size() > MostPending) {
                outcome.tooMany = true;
                return outcome;
            }
            const int filed = int(std::upper_bound(r.filed.begin(), r.filed.end(), done) - r.filed.begin());
            const bool cardMayBeFiled = r.firstCardWrite >= 0 && r.firstCardWrite < done;
            for (quint32 kept = 0; kept < (1u << pending.size()); ++kept) {
                State state = r.before;
                for (qsizetype i = 0, bit = 0; i < done; ++i) {
                    const bool isPending = bit < pending.size() && pending[bit] == i;
                    if (!isPending || ((kept >> bit++) & 1))
                        apply(state, r.ops[i]);
                }
                QByteArray key{char(filed), char(cardMayBeFiled)};
                serialize(state, Root, {}, key);
                if (seen.contains(key))
                    continue;
                seen.insert(key);
                ++outcome.states;
                if (const QString why = reopen(r, state, filed, cardMayBeFiled); !why.isEmpty()) {
                    QStringList lost;
                    for (qsizetype bit = 0; bit < pending.size(); ++bit)
                        if (!((kept >> bit) & 1))
                            lost << describe(r, pending[bit]);
                    outcome.violation =
                        QStringLiteral("%1; cut after %2, lost: %3")
                            .arg(why, done ? describe(r, done - 1) : QStringLiteral("nothing"),
                                 lost.isEmpty() ? QStringLiteral("nothing") : lost.join(u", "));
                    return outcome;
                }
            }
        }
        return outcome;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        for (const Scenario &scenario : scenarios()) {
            record(scenario, m_recordings.emplace_back());
            if (QTest::currentTestFailed())
                return;
        }
        // The medium of the states opened is the model: the real syncs would only cost time.
        systemCalls().fsync = systemCalls().fdatasync = [](int) { return 0; };
    }
    void cleanupTestCase() { systemCalls() = realSystemCalls(); }

    void everyStateComesBackWhole_data()
    {
        QTest::addColumn<int>("scenario");
        for (int s = 0; s < m_recordings.size(); ++s)
            QTest::newRow(scenarios()[s].name) << s;
    }
    void everyStateComesBackWhole()
    {
        QFETCH(int, scenario);
        const Outcome outcome = explore(m_recordings[scenario]);
        QVERIFY(!outcome.tooMany);
        QVERIFY2(outcome.violation.isEmpty(), qPrintable(outcome.violation));
        qInfo("%s: %d operations, %d states", scenarios()[scenario].name,
              int(m_recordings[scenario].ops.size()), outcome.states);
    }

    void everySyncIsNeeded_data()
    {
        QTest::addColumn<int>("scenario");
        QTest::addColumn<int>("sync");
        QTest::addColumn<bool>("needed");
        for (int s = 0; s < m_recordings.size(); ++s)
            for (qsizetype j = 0; j < m_recordings[s].ops.size(); ++j)
                if (const QString &what = m_recordings[s].ops[j].what;
                    m_recordings[s].ops[j].kind == Op::Sync)
                    // Where the journal goes beside the card file, its own folder sync follows
                    // before any card is written and takes the backup's rename with it; until
                    // then a latest copy missing loses nothing (the file is as it was, the
                    // older copies stand).
                    QTest::addRow("%s: %s", scenarios()[s].name, qPrintable(what))
                        << s << int(j)
                        << (scenarios()[s].journalElsewhere || scenarios()[s].whole != Scenario::None ||
                            !what.endsWith(QStringLiteral("folder sync after the backup copy's rename")));
    }
    void everySyncIsNeeded()
    {
        QFETCH(int, scenario);
        QFETCH(int, sync);
        QFETCH(bool, needed);
        const Outcome outcome = explore(m_recordings[scenario], sync);
        QVERIFY(!outcome.tooMany);
        QVERIFY2(outcome.violation.isEmpty() != needed,
                 qPrintable(QStringLiteral("%1 states: %2").arg(outcome.states).arg(outcome.violation)));
        qInfo("%d states: %s", outcome.states, qPrintable(outcome.violation));
    }
};

QTEST_APPLESS_MAIN(tst_powercut)
#include "tst_powercut.moc"
