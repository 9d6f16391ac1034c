// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The export for reference managers: the card read as a book, RIS that keeps every tag in
// its form, and the whole sample bibliography rendered by pandoc's citation processor.

#include "bookfields.h"
#include "citationkeys.h"
#include "toolrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace velmora;
using namespace velmora::cards;
using namespace velmora::citation;
using namespace velmora::cards::test;

namespace {

const QString Cards = QStringLiteral("Filis.dat");

QString sampleCsv()
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR") + QStringLiteral("/data/books.csv");
}

QString namesOf(const QList<PersonName> &people)
{
    QStringList out;
    for (const PersonName &p : people)
        out << (p.literal.isEmpty() ? QString(p.family + QLatin1Char('|') + p.given)
                                    : QString(QLatin1Char('=') + p.literal));
    return out.join(QLatin1Char(';'));
}

// The book in one line: authors / editors / translators / publisher / place / year /
// volumes / pages / isbn / notes / language.
QString summaryOf(const Book &b)
{
    return QStringList{namesOf(b.authors),
                       namesOf(b.editors),
                       namesOf(b.translators),
                       b.publisher,
                       b.place,
                       b.year,
                       b.volumes,
                       b.pages,
                       b.isbn,
                       b.notes.join(QLatin1Char(';')),
                       b.language}
        .join(QStringLiteral(" / "));
}

// The words of a text, punctuation and quotes aside.
QStringList wordsOf(const QString &text)
{
    static const QRegularExpression nonWord(QStringLiteral("[^\\p{L}\\p{N}\\x{2400}-\\x{241F}~]+"));
    return text.split(nonWord, Qt::SkipEmptyParts);
}

// The sample bibliography as a card file, and its cards' fields as the program shows them.
QList<QStringList> importSample(ToolRun &tool)
{
    if (tool.run({QStringLiteral("import"), sampleCsv(), tool.path(Cards)}) != 0)
        return {};
    return shownCards(tool.get(Cards));
}

} // namespace

class CitationExportTest : public QObject
{
    Q_OBJECT

private slots:
    void cardAsBook_data()
    {
        QTest::addColumn<QStringList>("card");
        QTest::addColumn<QString>("book");
        QTest::newRow("family and initials, publisher, place, year, volumes")
            << QStringList{"960-", "ΤΡΙΚΟΥΠΗΣ Σ.", "Τ", "", "ΕΣΤΙΑ, ΑΘΗΝΑ 1992", "4 ΤΟΜ."}
            << "ΤΡΙΚΟΥΠΗΣ|Σ. /  /  / ΕΣΤΙΑ / ΑΘΗΝΑ / 1992 / 4 /  /  /  / el";
        QTest::newRow("two-word family, digraph initial; place: publisher, year")
            << QStringList{"", "ΛΟΓΟΥΕΛΛΙΝ ΣΜΙΘ ΝΤ.", "Τ", "", "ΑΘΗΝΑ: ΚΑΡΔΑΜΙΤΣΑ, 1990", "Σ. 101"}
            << "ΛΟΓΟΥΕΛΛΙΝ ΣΜΙΘ|ΝΤ. /  /  / ΚΑΡΔΑΜΙΤΣΑ / ΑΘΗΝΑ / 1990 /  / 101 /  /  / el";
        QTest::newRow("one name; translator; place and year")
            << QStringList{"960-", "ΘΟΥΚΥΔΙΔΗΣ", "Τ", "ΜΕΤ. ΒΛΑΧΟΣ Α.", "ΛΟΝΔΙΝΟ 1853", ""}
            << "ΘΟΥΚΥΔΙΔΗΣ| /  / ΒΛΑΧΟΣ|Α. /  / ΛΟΝΔΙΝΟ / 1853 /  /  /  /  / el";
        QTest::newRow("collective work; editor; publisher and place")
            << QStringList{"960-", "ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ", "Τ", "ΕΠΙΜ. ΚΑΚΡΙΔΗΣ Ι.Θ.", "ΒΑΝΙΑΣ, ΘΕΣΣΑΛΟΝΙΚΗ", ""}
            << " / ΚΑΚΡΙΔΗΣ|Ι.Θ. /  / ΒΑΝΙΑΣ / ΘΕΣΣΑΛΟΝΙΚΗ /  /  /  /  / ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ / el";
        QTest::newRow("second author; a press and a year; ISBN")
            << QStringList{"0-521-08558-6",
                           "VENTRIS M.",
                           "Τ",
                           "AND CHADWICK J.",
                           "CAMBRIDGE UNIV. PRESS 1973",
                           "2ND ED."}
            << "VENTRIS|M.;CHADWICK|J. /  /  / CAMBRIDGE UNIV. PRESS /  / 1973 /  /  / 0-521-08558-6 / 2ND "
               "ED. / el";
        QTest::newRow("names and data in no pattern are notes, kept whole")
            << QStringList{"ΧΩΡΙΣ", "ΑΝΝΑ ΚΟΜΝΗΝΗ", "Τ", "ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ ΚΑΚΤΟΥ", "A, B, ΑΘΗΝΑ 1990", "ΕΙΚ."}
            << "=ΑΝΝΑ ΚΟΜΝΗΝΗ /  /  /  /  /  /  /  /  / ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ ΚΑΚΤΟΥ;A, B, ΑΘΗΝΑ 1990;ΕΙΚ.;ΧΩΡΙΣ / "
               "el";
        QTest::newRow("translation with commentary: translator and the note")
            << QStringList{"960-", "", "Τ", "ΜΕΤ.-ΣΧΟΛ. ΠΑΠΑΧΑΤΖΗΣ Ν.", "", ""}
            << " /  / ΠΑΠΑΧΑΤΖΗΣ|Ν. /  /  /  /  /  /  / ΜΕΤ.-ΣΧΟΛ. ΠΑΠΑΧΑΤΖΗΣ Ν. / el";
        // A Greek title is Greek wherever its first Greek letter stands; a foreign one is not.
        QTest::newRow("Greek title beginning with a year")
            << QStringList{"960-", "", "1821: Η ΕΠΑΝΑΣΤΑΣΗ"} << " /  /  /  /  /  /  /  /  /  / el";
        QTest::newRow("Greek title in quotes")
            << QStringList{"960-", "", "\"ΠΡΟΤΥΠΟ ΒΑΣΙΛΕΙΟ\""} << " /  /  /  /  /  /  /  /  /  / el";
        QTest::newRow("foreign title beginning with a year")
            << QStringList{"960-", "", "1453: THE FALL"} << " /  /  /  /  /  /  /  /  /  / ";
    }
    void cardAsBook()
    {
        QFETCH(QStringList, card);
        QFETCH(QString, book);
        QCOMPARE(summaryOf(bookOf(cardOf(card))), book);
    }

    void keysAreAsciiAndUnique()
    {
        CitationKeys keys;
        const auto key = [&keys](const QStringList &card) { return keys.next(bookOf(cardOf(card))); };
        QCOMPARE(key({"", "ΠΑΠΑΡΡΗΓΟΠΟΥΛΟΣ Κ.", "Τ", "", "ΑΘΗΝΑ 1860"}),
                 QStringLiteral("Paparrigopoulos1860"));
        QCOMPARE(key({"", "ΠΑΠΑΡΡΗΓΟΠΟΥΛΟΣ Κ.", "Τ2", "", "ΑΘΗΝΑ 1860"}),
                 QStringLiteral("Paparrigopoulos1860b"));
        QCOMPARE(key({"", "ΠΑΠΑΡΡΗΓΟΠΟΥΛΟΣ Κ.", "Τ3", "", "ΑΘΗΝΑ 1860"}),
                 QStringLiteral("Paparrigopoulos1860c"));
        QCOMPARE(key({"", "ΜΠΟΡΝΤΜΑΝ Τ.", "Τ", "", ""}), QStringLiteral("Borntman-nd"));
        QCOMPARE(key({"", "ΧΑΤΖΗΙΩΣΗΦ Χ.", "Τ", "", "ΑΘΗΝΑ 1993"}), QStringLiteral("Chatziiosif1993"));
        QCOMPARE(key({"", "ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ", "ΕΛΛΗΝΙΚΗ ΜΥΘΟΛΟΓΙΑ", "", "ΑΘΗΝΑ 1986"}),
                 QStringLiteral("Elliniki1986"));
    }

    // Every record between "TY  - BOOK" and "ER  - ", every line a tag in RIS form, and every
    // word of every field in its card's record, hostile cards included.
    void risKeepsItsFormAndEveryField_data()
    {
        QTest::addColumn<QList<QStringList>>("cards");
        QTest::addColumn<QStringList>("options");
        ToolRun sample;
        QTest::newRow("sample") << importSample(sample) << QStringList();
        const QList<QStringList> hostile = {
            {"960-\"%", "O'BRIEN {X} \\ Y.", "100% \"ΤΙΤΛΟΣ\"\u240A{A} \\par #1 $_^", "ΜΕΤ. {}} %",
             "\u2400\u240A, \u2409 1999", "\\\\ 2 ΤΟΜ."},
            {"~~~", "~~~", "~~~", "~~~", "~~~", "~~~"},
            {"960-", "", "", "", "", ""},
        };
        QTest::newRow("hostile, --all") << hostile << QStringList{QStringLiteral("--all")};
    }
    void risKeepsItsFormAndEveryField()
    {
        QFETCH(QList<QStringList>, cards);
        QFETCH(QStringList, options);
        QVERIFY(!cards.isEmpty());
        ToolRun tool;
        tool.put(Cards, fileOf(cards));
        QCOMPARE(tool.run(QStringList{QStringLiteral("export"), QStringLiteral("--format"),
                                      QStringLiteral("ris")} +
                          options + QStringList{tool.path(Cards), tool.path(QStringLiteral("out.ris"))}),
                 0);
        const QString ris = QString::fromUtf8(tool.get(QStringLiteral("out.ris")));
        static const QRegularExpression tagLine(QStringLiteral("^[A-Z][A-Z0-9]  - (\\S.*)?$"));
        QStringList records;
        QString record;
        for (const QString &line : ris.split(QLatin1Char('\n'))) {
            if (line.isEmpty())
                continue;
            QVERIFY2(tagLine.match(line).hasMatch(), qPrintable(line));
            QVERIFY2(record.isEmpty() == (line == QStringLiteral("TY  - BOOK")), qPrintable(line));
            record += line + QLatin1Char('\n');
            if (line == QStringLiteral("ER  - ")) {
                records << record;
                record.clear();
            }
        }
        QVERIFY(record.isEmpty());
        QCOMPARE(records.size(), cards.size());
        // The role's abbreviation before the other name is said by its tag; the bare prefix
        // "960-" is no ISBN.
        static const QRegularExpression role(
            QStringLiteral("^(ΜΕΤ\\.|ΜΕΤ\\.-ΣΧΟΛ\\.|ΕΠΙΜ\\.|ED\\.|TRANS\\.|ΚΑΙ|AND|ET) "));
        for (int i = 0; i < cards.size(); ++i) {
            QStringList fields = cards[i];
            fields[3].remove(role);
            fields[5].remove(QRegularExpression(QStringLiteral("^Σ\\.|(?<=\\d) (ΤΟΜ|VOL|BDE)\\.$")));
            if (fields[0] == QStringLiteral("960-"))
                fields[0].clear();
            for (const QString &field : fields)
                for (const QString &word : wordsOf(field))
                    QVERIFY2(wordsOf(records[i]).contains(word), qPrintable(word + u'\n' + records[i]));
        }
    }

    // The JSON is written by hand: a JSON reader gives back every hostile title and name.
    void cslJsonReadsBackHostileText()
    {
        const QList<QStringList> cards = {
            {"", "\"Q\" \\ Ε.", "\\\"}{\u2400\u241F\u2421 \u00A0/ \\u0041", "ΜΕΤ. Α\"Β", "", ""},
            {"", "ΑΝΝΑ \\ ΚΟΜΝΗΝΗ", "\u007F\"", "", "", ""},
        };
        ToolRun tool;
        tool.put(Cards, fileOf(cards));
        QCOMPARE(tool.run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("csl-json"),
                           tool.path(Cards), tool.path(QStringLiteral("out.json"))}),
                 0);
        QJsonParseError error;
        const QJsonArray books =
            QJsonDocument::fromJson(tool.get(QStringLiteral("out.json")), &error).array();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
        QCOMPARE(books.size(), cards.size());
        for (int i = 0; i < cards.size(); ++i) {
            const CardRecord card = cardOf(cards[i]);
            const QJsonObject book = books[i].toObject();
            QCOMPARE(book[QStringLiteral("title")].toString(), card.shown(Field::Title));
            const QJsonObject author = book[QStringLiteral("author")].toArray().first().toObject();
            QCOMPARE(author[QStringLiteral("family")].toString() +
                         author[QStringLiteral("literal")].toString(),
                     personNameOf(card.shown(Field::Author)).family +
                         personNameOf(card.shown(Field::Author)).literal);
        }
        QCOMPARE(books[0]
                     .toObject()[QStringLiteral("translator")]
                     .toArray()
                     .first()
                     .toObject()[QStringLiteral("family")]
                     .toString(),
                 QStringLiteral("Α\"Β"));
    }

    void deletedAndNewCardsLeftOutAndCounted()
    {
        ToolRun tool;
        tool.put(Cards, bytesOf({CardRecord::deletedCard(), cardOf({"960-", "Α", "Β"}), CardRecord::newCard(),
                                 CardRecord::deletedCard()}));
        for (const char *format : {"ris", "bibtex", "csl-json"}) {
            QCOMPARE(tool.run({QStringLiteral("export"), QStringLiteral("--format=") + QLatin1String(format),
                               tool.path(Cards), QStringLiteral("-")}),
                     0);
            QVERIFY2(tool.err.contains(QStringLiteral("1 book written to -")), qPrintable(tool.err));
            QVERIFY2(
                tool.err.contains(QStringLiteral("left out: 2 deleted (\"~~~\"), 1 new (only \"960-\")")),
                qPrintable(tool.err));
            QCOMPARE(tool.run({QStringLiteral("export"), QStringLiteral("--all"), QStringLiteral("--format"),
                               QLatin1String(format), tool.path(Cards), QStringLiteral("-")}),
                     0);
            QVERIFY2(tool.err.contains(QStringLiteral("4 books written to -")), qPrintable(tool.err));
        }
        QCOMPARE(tool.run({QStringLiteral("export"), QStringLiteral("--format"), QStringLiteral("marc"),
                           tool.path(Cards), QStringLiteral("-")}),
                 2);
    }

    // Classic BibTeX's plain style prints every book with its year and place, and the
    // translators and editors it has no field for from the note; it never meets an editor
    // beside an author, which it refuses.
    void bibtexPrintsYearAndPlace()
    {
        const QString bibtex = QStandardPaths::findExecutable(QStringLiteral("bibtex"));
        if (bibtex.isEmpty())
            QSKIP("bibtex is not installed (tools/setup-debian.sh installs texlive-binaries)");
        ToolRun tool;
        const QList<QStringList> cards = importSample(tool);
        QCOMPARE(tool.run({"export", "--format", "bibtex", tool.path(Cards), tool.path("books.bib")}), 0);
        tool.put("paper.aux", "\\relax\n\\citation{*}\n\\bibstyle{plain}\n\\bibdata{books}\n");
        QProcess p;
        p.setWorkingDirectory(tool.dir.path());
        p.start(bibtex, {QStringLiteral("paper")});
        QVERIFY(p.waitForFinished(60000));
        const QString log = QString::fromUtf8(tool.get("paper.blg"));
        if (log.contains(QStringLiteral("couldn't open style file")))
            QSKIP("plain.bst is not installed (tools/setup-debian.sh installs texlive-base)");
        QVERIFY2(p.exitCode() == 0 && !log.contains(QStringLiteral("can't use both")), qPrintable(log));
        // Each item by its key, and only what the style printed after it: the key holds the year.
        QHash<QString, QString> items;
        for (const QString &item :
             QString::fromUtf8(tool.get("paper.bbl")).split(QStringLiteral("\\bibitem{")))
            items.insert(item.section(u'}', 0, 0), item.section(u'}', 1).simplified());
        CitationKeys keys;
        for (const QStringList &card : cards) {
            const Book b = bookOf(cardOf(card));
            const QString item = items.value(keys.next(b));
            QVERIFY2(!item.isEmpty(), qPrintable(card.join(u'|')));
            for (const QString &part :
                 QStringList{b.place, b.year} + wordsOf(namesOf(b.translators + b.editors)))
                QVERIFY2(item.contains(part), qPrintable(part + u'\n' + item));
        }
    }

    // biber reads the biblatex export by biblatex's data model: each book with its place,
    // date, translator and language, and nothing it does not know (a card without an author
    // or a year lacks what the model calls mandatory, and is only that).
    void biberReadsBiblatex()
    {
        const QString biber = QStandardPaths::findExecutable(QStringLiteral("biber"));
        if (biber.isEmpty())
            QSKIP("biber is not installed (tools/setup-debian.sh installs it)");
        ToolRun tool;
        const QList<QStringList> cards = importSample(tool);
        QCOMPARE(tool.run({"export", "--format", "biblatex", tool.path(Cards), tool.path("books.bib")}), 0);
        QProcess p;
        p.setWorkingDirectory(tool.dir.path());
        p.start(biber, {"--tool", "--validate-datamodel", "--output-file=out.bib", "books.bib"});
        QVERIFY(p.waitForFinished(120000));
        const QString log = QString::fromUtf8(p.readAllStandardOutput());
        QVERIFY2(p.exitCode() == 0, qPrintable(log));
        for (const QString &line : log.split(u'\n'))
            QVERIFY2(!line.startsWith(QStringLiteral("WARN")) ||
                         line.contains(QStringLiteral("Missing mandatory")),
                     qPrintable(line));
        QHash<QString, QString> entries;
        for (const QString &entry : QString::fromUtf8(tool.get("out.bib")).split(QStringLiteral("@BOOK{")))
            entries.insert(entry.section(u',', 0, 0), entry);
        CitationKeys keys;
        for (const QStringList &card : cards) {
            const Book b = bookOf(cardOf(card));
            const QString entry = entries.value(keys.next(b));
            QVERIFY2(!entry.isEmpty(), qPrintable(card.join(u'|')));
            QStringList expected;
            if (!b.place.isEmpty())
                expected << QStringLiteral("LOCATION = {%1}").arg(b.place);
            if (!b.year.isEmpty())
                expected << QStringLiteral("DATE = {%1}").arg(b.year);
            if (!b.translators.isEmpty())
                expected << QStringLiteral("TRANSLATOR = {");
            if (!b.language.isEmpty())
                expected << QStringLiteral("LANGID = {greek}");
            for (const QString &field : expected)
                QVERIFY2(entry.contains(field), qPrintable(field + u'\n' + entry));
        }
    }

    // pandoc's citation processor lists every card, with the words of its title, its
    // author's family name and its publishing data.
    void pandocListsEveryCard_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("csl-json") << QStringLiteral("csl-json");
        QTest::newRow("bibtex") << QStringLiteral("bibtex");
        QTest::newRow("biblatex") << QStringLiteral("biblatex");
    }
    void pandocListsEveryCard()
    {
        QFETCH(QString, format);
        const QString pandoc = QStandardPaths::findExecutable(QStringLiteral("pandoc"));
        if (pandoc.isEmpty())
            QSKIP("pandoc is not installed (tools/setup-debian.sh installs it)");
        ToolRun tool;
        const QList<QStringList> cards = importSample(tool);
        QCOMPARE(cards.size(), 166);
        // pandoc reads each as its name's ending says: .bibtex classic BibTeX, .bib biblatex.
        const QString bibliography = tool.path(format == QLatin1String("bibtex")     ? "cards.bibtex"
                                               : format == QLatin1String("biblatex") ? "cards.bib"
                                                                                     : "cards.json");
        QCOMPARE(tool.run({QStringLiteral("export"), QStringLiteral("--format"), format, tool.path(Cards),
                           bibliography}),
                 0);
        QProcess p;
        p.start(pandoc, {QStringLiteral("--citeproc"), QStringLiteral("--bibliography"), bibliography,
                         QStringLiteral("--to"), QStringLiteral("plain"), QStringLiteral("--wrap=none")});
        p.write("---\nnocite: '@*'\n---\n");
        p.closeWriteChannel();
        QVERIFY(p.waitForFinished(60000));
        QVERIFY2(p.exitCode() == 0, p.readAllStandardError().constData());
        const QStringList entries =
            QString::fromUtf8(p.readAllStandardOutput()).split(QStringLiteral("\n\n"), Qt::SkipEmptyParts);
        QCOMPARE(entries.size(), cards.size());
        // The style writes "———" for the authors of the entry before.
        static const QRegularExpression authorsPart(QStringLiteral("^(.*?)\\. (?:\\d{4}|n\\.d\\.)"));
        QList<QStringList> entryWords;
        QString authors;
        for (QString e : entries) {
            e.replace(QStringLiteral("———"), authors);
            e.replace(QRegularExpression(QStringLiteral("\\b(\\d{4})[a-z]\\b")),
                      QStringLiteral("\\1")); // 1993b
            authors = authorsPart.match(e).captured(1);
            entryWords << wordsOf(e.toCaseFolded()); // case is the style's business
        }
        for (const QStringList &card : cards) {
            QStringList expected = wordsOf(QString(card[2] + u' ' + card[4]).toCaseFolded());
            if (card[1] != QStringLiteral("ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ") &&
                card[1] != QStringLiteral("ΑΝΩΝΥΜΟΣ")) // no person
                expected << wordsOf(card[1].toCaseFolded()).first();
            const bool listed =
                std::any_of(entryWords.cbegin(), entryWords.cend(), [&](const QStringList &e) {
                    return std::all_of(expected.cbegin(), expected.cend(),
                                       [&](const QString &w) { return e.contains(w); });
                });
            QVERIFY2(listed, qPrintable(card.join(QLatin1Char('|'))));
        }
    }
};

QTEST_GUILESS_MAIN(CitationExportTest)
#include "tst_citationexport.moc"
