// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Books from reference managers into cards: each format read as it is written, the six
// fields as the bibliography writes them, everything cut or not kept told, hostile files
// refused or reported, real files read whole, and the export read back.

#include "searchtext.h"
#include "toolrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QtTest>

using namespace velmora;
using namespace velmora::cards;
using namespace velmora::cards::test;

namespace {

const QString Cards = QStringLiteral("Filis.dat");

QString sourceFile(const QString &name)
{
    return qEnvironmentVariable("VELMORA_SOURCE_DIR") + u'/' + name;
}

int import(ToolRun &tool, const QString &input, const QString &format, const QStringList &options = {})
{
    QStringList arguments{QStringLiteral("import")};
    if (!format.isEmpty())
        arguments << QStringLiteral("--format") << format;
    return tool.run(arguments + options + QStringList{input, tool.path(Cards)});
}

// "@string{a = a # a}" again and again, which would double the macro each time.
QByteArray doublingMacros()
{
    QByteArray text = "@string{a = {xx}}\n";
    for (int i = 0; i < 40; ++i)
        text += "@string{a = a # a}\n";
    return text + "@book{k, title = a}\n";
}

QByteArray manyFields()
{
    QByteArray text = "@book{k,";
    for (int i = 0; i < 100; ++i)
        text += " f" + QByteArray::number(i) + " = {v},";
    return text + "}\n@book{ok, title = {T}}\n";
}

} // namespace

class ReferenceImportTest : public QObject
{
    Q_OBJECT

private slots:
    void entryAsCard_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("card");
        QTest::addColumn<QStringList>("told"); // each once, after "INPUT:LINE: "

        QTest::newRow("RIS: CR LF, byte order mark, a value continued, authors, translator, pages")
            << "ris"
            << QByteArray("\xEF\xBB\xBFTY  - BOOK\r\nAU  - Σβορώνος, Νίκος Γ.\r\nAU  - Svoronos, Nicolas\r\n"
                          "A4  - Κοκκίνου, Αικατερίνη\r\nTI  - Επισκόπηση της\r\nνεοελληνικής ιστορίας\r\n"
                          "PY  - 1976\r\nPB  - Θεμέλιο\r\nCY  - Αθήνα\r\nSP  - 160\r\nSN  - 960-310-093-5\r\n"
                          "ER  - \r\n")
            << QStringList()
            << QStringList{"960-310-093-5",   "ΣΒΟΡΩΝΟΣ Ν.Γ.",       "ΕΠΙΣΚΟΠΗΣΗ ΤΗΣ ΝΕΟΕΛΛΗΝΙΚΗΣ ΙΣΤΟΡΙΑΣ",
                           "AND SVORONOS N.", "ΘΕΜΕΛΙΟ, ΑΘΗΝΑ 1976", "Σ. 160; ΜΕΤ. ΚΟΚΚΙΝΟ"}
            << QStringList{"1: PagesNotes: 24 characters, at most 20 fit; cut: \"Υ Α.\""};
        QTest::newRow("RIS: an article, found by its journal")
            << "ris"
            << QByteArray("TY  - JOUR\nAU  - Olivier, Jean-Pierre\nTI  - The Cretan script\nJO  - Kadmos\n"
                          "VL  - 35\nIS  - 2\nPY  - 1996\nSP  - 101\nEP  - 130\nSN  - 0022-7498\nER  - \n")
            << QStringList() << QStringList{"960-", "OLIVIER J.-P.",      "THE CRETAN SCRIPT",
                                            "",     "KADMOS 35(2), 1996", "Σ. 101-130"}
            << QStringList{"1: not kept: SN"};
        QTest::newRow("RIS: text as written")
            << "ris"
            << QByteArray("TY  - BOOK\nAU  - Δετοράκης, Θεοχάρης\nTI  - Ιστορία της Κρήτης\nER  - \n")
            << QStringList{"--keep-case"}
            << QStringList{"960-", "Δετοράκης Θ.", "Ιστορία της Κρήτης", "", "", ""} << QStringList();
        QTest::newRow("BibTeX: comments, @string, #, accents, braces, crossref to an entry after it")
            << "bibtex"
            << QByteArray("% a comment\n"
                          "@comment{ nothing of @book{no, title = {x}} here }\n"
                          "@string{ath = \"Ath{\\'e}nes\"}\n"
                          "@incollection{ch, author = {de Romilly, Jacqueline}, title = {La {G}r{\\`e}ce \\& "
                          "Rome},\n"
                          "  crossref = {bk}, pages = {12--30}}\n"
                          "@book{bk, editor = {Legrand, Ph.-E.}, title = {M{\\'e}langes}, publisher = \"Les "
                          "Belles \" # {Lettres},\n"
                          "  address = ath # \", Paris\", year = 1932}\n")
            << QStringList()
            << QStringList{"960-",
                           "DE ROMILLY J.",
                           "LA GRECE & ROME",
                           "ED. LEGRAND PH.-E.",
                           "MELANGES, ATHENES, PARIS 1932",
                           "Σ. 12–30; LES BELLES"}
            << QStringList{"4: ch: PagesNotes: 28 characters, at most 20 fit; cut: \" LETTRES\""};
        const QByteArray lists =
            "@book{b, author = {Ράνσιμαν, Στήβεν}, title = {Μυστράς},"
            " subtitle = {Η βυζαντινή πρωτεύουσα}, translator = {Κωνσταντίνος Θ. Δημαράς},"
            " location = {Αθήνα and Θεσσαλονίκη}, publisher = {Ερμής}, date = {1986-05},"
            " langid = {greek}, pagetotal = {240}, keywords = {x}}";
        QTest::newRow("biblatex: lists, date, subtitle, translator")
            << "biblatex" << lists << QStringList()
            << QStringList{"960-",
                           "ΡΑΝΣΙΜΑΝ Σ.",
                           "ΜΥΣΤΡΑΣ: Η ΒΥΖΑΝΤΙΝΗ ΠΡΩΤΕΥΟΥΣΑ",
                           "ΜΕΤ. ΔΗΜΑΡΑΣ Κ.Θ.",
                           "ΕΡΜΗΣ, ΑΘΗΝΑ - ΘΕΣΣΑΛΟΝΙΚΗ 1986",
                           "Σ. 240"}
            << QStringList{"1: b: not kept: keywords"};
        QTest::newRow("classic BibTeX: a place is one text")
            << "bibtex" << lists << QStringList()
            << QStringList{"960-",
                           "ΡΑΝΣΙΜΑΝ Σ.",
                           "ΜΥΣΤΡΑΣ: Η ΒΥΖΑΝΤΙΝΗ ΠΡΩΤΕΥΟΥΣΑ",
                           "ΜΕΤ. ΔΗΜΑΡΑΣ Κ.Θ.",
                           "ΕΡΜΗΣ, ΑΘΗΝΑ AND ΘΕΣΣΑΛΟΝΙΚΗ 1986",
                           "Σ. 240"}
            << QStringList{"1: b: not kept: keywords"};
        QTest::newRow("CSL-JSON: names, date parts, volumes, a wrong check digit")
            << "csl-json"
            << QByteArray(
                   "[{\"id\":\"k\",\"type\":\"book\",\"title\":\"Οι αρχαίοι Έλληνες στη λαϊκή παράδοση\",\n"
                   " \"author\":[{\"family\":\"Κακριδής\",\"given\":\"Ιωάννης "
                   "Θ.\"}],\"editor\":[{\"literal\":\"Ομάδα φιλολόγων\"}],\n"
                   " \"issued\":{\"date-parts\":[[1978,3]]},\"publisher\":\"ΜΙΕΤ\",\"publisher-place\":"
                   "\"Αθήνα\",\n"
                   " \"ISBN\":\"0-521-37830-4\",\"number-of-volumes\":2,\"note\":\"Β΄ "
                   "έκδοση\",\"URL\":\"http://x\"}]")
            << QStringList() << QStringList{"0-521-37830-4",
                                            "ΚΑΚΡΙΔΗΣ Ι.Θ.",
                                            "ΟΙ ΑΡΧΑΙΟΙ ΕΛΛΗΝΕΣ ΣΤΗ ΛΑΙΚΗ ΠΑΡΑΔΟΣΗ",
                                            "ΕΠΙΜ. ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ",
                                            "ΜΙΕΤ, ΑΘΗΝΑ 1978",
                                            "2 ΤΟΜ.; Β΄ ΕΚΔΟΣΗ"}
            << QStringList{"1: k: Isbn: ISBN-10 \"0-521-37830-4\": check digit 4, should be 3",
                           "1: k: not kept: URL"};
        QTest::newRow("a character outside the code page, told the first time")
            << "ris" << QByteArray("TY  - BOOK\nTI  - 中文 中\nER  - \nTY  - BOOK\nTI  - 中\nER  - \n")
            << QStringList() << QStringList{"960-", "", "?? ?", "", "", ""}
            << QStringList{"1: Title: U+4E2D '中' is not in Windows-1253, stored as '?'",
                           "1: Title: U+6587 '文' is not in Windows-1253"};
    }
    void entryAsCard()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, input);
        QFETCH(QStringList, options);
        QFETCH(QStringList, card);
        QFETCH(QStringList, told);
        ToolRun tool;
        tool.put(QStringLiteral("in"), input);
        QCOMPARE(import(tool, tool.path(QStringLiteral("in")), format, options), 0);
        const QList<QStringList> cards = shownCards(tool.get(Cards));
        QVERIFY(!cards.isEmpty());
        QCOMPARE(cards.first(), card);
        for (const QString &t : told)
            QVERIFY2(tool.err.count(tool.path(QStringLiteral("in:")) + t) == 1, qPrintable(tool.err));
        QCOMPARE(tool.err.count(u'\n'), told.size());
    }

    void hostileInput_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("cards");
        QTest::addColumn<QString>("told");
        const QByteArray endless(2 << 20, 'x');
        QByteArray endlessLines;
        for (int i = 0; i < 2100; ++i)
            endlessLines += QByteArray(1000, 'x') + '\n';
        QTest::newRow("unbalanced braces: the next entry still read")
            << "bibtex" << QByteArray("@book{a, title = {Open {brace}\n@book{b, title = {Fine}}\n") << 0 << 1
            << ":1: left out: its braces or quotes do not pair";
        QTest::newRow("a macro doubled again and again")
            << "bibtex" << doublingMacros() << 0 << 1 << ":17: @string: a: longer than 65536 bytes, cut";
        QTest::newRow("more fields than the parser takes")
            << "bibtex" << manyFields() << 0 << 1 << ":1: left out: more than 64 fields";
        QTest::newRow("a value without end over many lines")
            << "bibtex"
            << "@book{k, title = {" + endlessLines << 1 << 0 << ":1: an entry of more than 1048576 bytes";
        QTest::newRow("a value without end on one line")
            << "bibtex"
            << "@book{k, title = {" + endless << 1 << 0 << ":1: a line of more than 1048576 bytes";
        QTest::newRow("RIS: a line without end")
            << "ris"
            << "TY  - BOOK\nTI  - " + endless << 1 << 0 << ":2: a line of more than 1048576 bytes";
        QTest::newRow("CSL-JSON: an object without end")
            << "csl-json"
            << "[\n{\"title\": \"" + endless << 1 << 0 << ":2: an object of more than";
        QTest::newRow("BibTeX: not UTF-8") << "bibtex" << QByteArray("@book{k, title = {A\xFF}}") << 0 << 1
                                           << ":1: k: title: not valid UTF-8, stored as '?'";
        QTest::newRow("RIS: not UTF-8") << "ris" << QByteArray("TY  - BOOK\nTI  - A\xFF\nER  - \n") << 0 << 1
                                        << ":1: TI: not valid UTF-8, stored as '?'";
        QTest::newRow("CSL-JSON: not UTF-8")
            << "csl-json" << QByteArray("[{\"title\": \"A\xFF\"}]") << 0 << 1 << ":1: not valid UTF-8";
        QTest::newRow("BibTeX: byte order mark")
            << "bibtex" << QByteArray("\xEF\xBB\xBF@book{k, title = {T}}") << 0 << 1 << QString();
        QTest::newRow("CSL-JSON: byte order mark")
            << "csl-json" << QByteArray("\xEF\xBB\xBF[{\"title\": \"T\"}]") << 0 << 1 << QString();
        QTest::newRow("CSL-JSON: an object that is not JSON, the rest read")
            << "csl-json" << QByteArray("[{\"title\": 1,},\n{\"title\": \"B\"}]") << 0 << 1
            << ":1: left out: not JSON";
        QTest::newRow("CSL-JSON: not an array")
            << "csl-json" << QByteArray("{\"title\": \"T\"}") << 1 << 0 << ":1: no CSL-JSON array";
        QTest::newRow("RIS: text outside records, a record without its end")
            << "ris" << QByteArray("junk\nTY  - BOOK\nTI  - A\nTY  - BOOK\nTI  - B\n") << 0 << 2
            << ":1: left out: text outside a record";
        QTest::newRow("BibTeX: none in the file")
            << "bibtex" << QByteArray("Isbn,Author\n1,2\n") << 1 << 0 << ":1: no BibTeX entry";
    }
    void hostileInput()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(int, cards);
        QFETCH(QString, told);
        ToolRun tool;
        tool.put(QStringLiteral("in"), input);
        QCOMPARE(import(tool, tool.path(QStringLiteral("in")), format), status);
        QVERIFY2(told.isEmpty() ? tool.err.isEmpty()
                                : tool.err.contains(tool.path(QStringLiteral("in")) + told),
                 qPrintable(tool.err.left(2000)));
        QCOMPARE(shownCards(tool.get(Cards)).size(), cards);
        if (status != 0)
            QVERIFY(tool.err.contains(QStringLiteral("nothing written")));
    }

    // Export and import give back every card whose fields the export's patterns take apart.
    // Those that differ: an other name in no pattern (ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ ΚΑΚΤΟΥ), exported as a
    // note, comes back among the notes; "ET" comes back as "AND", "BDE." as "VOL.".
    void roundTrip_data()
    {
        QTest::addColumn<QString>("format");
        for (const char *format : {"ris", "bibtex", "biblatex", "csl-json"})
            QTest::newRow(format) << QString::fromLatin1(format);
    }
    void roundTrip()
    {
        QFETCH(QString, format);
        ToolRun tool;
        QCOMPARE(tool.run({"import", sourceFile("data/books.csv"), tool.path("sample.dat")}), 0);
        QCOMPARE(tool.run({"export", "--format", format, tool.path("sample.dat"), tool.path("exported")}), 0);
        QCOMPARE(import(tool, tool.path("exported"), format), 0);
        const QList<QStringList> before = shownCards(tool.get("sample.dat")),
                                 after = shownCards(tool.get(Cards));
        QCOMPARE(after.size(), before.size());
        QList<int> differ;
        for (int i = 0; i < before.size(); ++i)
            if (after[i] != before[i])
                differ << i + 1;
        QCOMPARE(differ, (QList<int>{2, 3, 4, 7, 8, 9, 119, 131}));
        QCOMPARE(after[1][5], QStringLiteral("ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ ΚΑΚΤ"));
    }

    // Files as reference managers export them and as Debian ships them: every entry a card
    // or left out with its reason, nothing else.
    void realFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("firstCard");
        QTest::newRow("Zotero's RIS") << sourceFile("tests/cards/data/zotero.ris")
                                      << QStringList{"960-",
                                                     "ΠΑΠΑΡΡΗΓΟΠΟΥΛΟΣ Κ.",
                                                     "ΙΣΤΟΡΙΑ ΤΟΥ ΕΛΛΗΝΙΚΟΥ ΕΘΝΟΥΣ",
                                                     "ΕΠΙΜ. ΚΑΡΟΛΙΔΗΣ Π.",
                                                     "ΕΛΕΥΘΕΡΟΥΔΑΚΗΣ, ΑΘΗΝΑ 1925",
                                                     "6 ΤΟΜ.; 5Η ΕΚΔ."};
        QTest::newRow("Zotero's CSL-JSON")
            << sourceFile("tests/cards/data/zotero.json")
            << QStringList{"960-", "ΒΑΚΑΛΟΠΟΥΛΟΣ Α.Ε.",        "ΙΣΤΟΡΙΑ ΤΟΥ ΝΕΟΥ ΕΛΛΗΝΙΣΜΟΥ",
                           "",     "ΒΑΝΙΑΣ, ΘΕΣΣΑΛΟΝΙΚΗ 1961", "8 ΤΟΜ.; ΕΠΑΝΕΚΔΟΣΗ 1"};
        QTest::newRow("JabRef's BibTeX") << sourceFile("tests/cards/data/jabref.bib")
                                         << QStringList{"0-521-39830-4",
                                                        "CHADWICK J.",
                                                        "THE DECIPHERMENT OF LINEAR B",
                                                        "",
                                                        "CAMBRIDGE UNIVERSITY PRESS, CAMBRIDGE 19",
                                                        "2ND ED."};
        QTest::newRow("biblatex's examples")
            << QStringLiteral(
                   "/usr/share/texlive/texmf-dist/bibtex/bib/biblatex/biblatex/biblatex-examples.bib")
            << QStringList();
    }
    void realFile()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, firstCard);
        QFile f(file);
        if (!f.open(QIODevice::ReadOnly))
            QSKIP("biblatex-examples.bib is not installed (tools/setup-debian.sh installs "
                  "texlive-bibtex-extra)");
        const QByteArray bytes = f.readAll();
        const QString text = QString::fromUtf8(bytes);
        static const QRegularExpression bibEntry(QStringLiteral("^@(?!string|comment|preamble)"),
                                                 QRegularExpression::MultilineOption |
                                                     QRegularExpression::CaseInsensitiveOption);
        const qsizetype entries = file.endsWith(QLatin1String(".ris")) ? text.count(QStringLiteral("TY  - "))
                                  : file.endsWith(QLatin1String(".json"))
                                      ? QJsonDocument::fromJson(text.toUtf8()).array().size()
                                      : text.count(bibEntry);
        ToolRun tool;
        QCOMPARE(import(tool, file, QString()), 0);
        const QList<QStringList> cards = shownCards(tool.get(Cards));
        QCOMPARE(cards.size() + tool.err.count(QStringLiteral(": left out: ")), entries);
        if (!firstCard.isEmpty())
            QCOMPARE(cards.first(), firstCard);
        // The same from a pipe that is still empty when the reading begins.
        const QString format = file.endsWith(QLatin1String(".ris"))    ? QStringLiteral("ris")
                               : file.endsWith(QLatin1String(".json")) ? QStringLiteral("csl-json")
                                                                       : QStringLiteral("biblatex");
        QCOMPARE(
            tool.runProgram({"import", "--format", format, "-", tool.path("piped.dat")}, "C.UTF-8", bytes),
            0);
        // A pipe is read once, so a BibTeX entry finds only the crossrefs before it: the same
        // cards, not always the same bytes.
        if (format == QLatin1String("biblatex"))
            QCOMPARE(shownCards(tool.get("piped.dat")).size(), cards.size());
        else
            QCOMPARE(tool.get("piped.dat"), tool.get(Cards));
    }

    // The searches upper-case what is typed and compare it exactly: what is imported in
    // the cards' capitals is found however it is typed, what is kept as written is not.
    void importedTextIsFound()
    {
        ToolRun tool;
        tool.put("in.ris", "TY  - BOOK\nTI  - Ιστορία του ελληνικού έθνους\nER  - \n");
        QCOMPARE(import(tool, tool.path("in.ris"), QString()), 0);
        const CardRecord card = CardRecord::fromBytes(tool.get(Cards));
        QVERIFY(SearchText::fromTyped(QStringLiteral("ιστορια του ελληνικου")).foundIn(card, Field::Title));
        QCOMPARE(import(tool, tool.path("in.ris"), QString(), {"--replace", "--keep-case"}), 0);
        const CardRecord kept = CardRecord::fromBytes(tool.get(Cards));
        QVERIFY(!SearchText::fromTyped(QStringLiteral("ΙΣΤΟΡΙΑ")).foundIn(kept, Field::Title));
    }

    void wrongCommandLine()
    {
        ToolRun tool;
        tool.put("in.ris", "");
        QCOMPARE(import(tool, tool.path("in.ris"), "marc"), 2);
        QCOMPARE(import(tool, tool.path("in.ris"), QString(), {"--cut"}), 2);
        QCOMPARE(import(tool, tool.path("in.ris"), "csv", {"--keep-case"}), 2);
        QVERIFY(!QFile::exists(tool.path(Cards)));
    }
};

QTEST_GUILESS_MAIN(ReferenceImportTest)
#include "tst_referenceimport.moc"
