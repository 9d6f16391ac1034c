// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The hand-written parts of reading references: TeX as the text it prints, given names as
// initials, the year of a date, and text in the cards' capitals.

#include "cardcapitals.h"
#include "reference.h"
#include "referencecards.h"
#include "texdecoding.h"

#include <QtTest>

using namespace velmora::citation;

class ReferenceFieldsTest : public QObject
{
    Q_OBJECT

private slots:
    void textAsCardsHaveIt_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("accents") << "tex"
                                 << "{\\'a}\\\"o \\c{c}\\`{e}\\^u\\~n\\v s\\'\\i\\={o}"
                                 << "áö çèûñšíō";
        QTest::newRow("double acute, not the acute") << "tex"
                                                     << "Erd{\\H{o}}s"
                                                     << "Erdős";
        QTest::newRow("letters, escapes") << "tex"
                                          << "\\ss\\o\\ae{}\\l \\& \\% \\$ \\# \\_"
                                          << "ßøæł& % $ # _";
        QTest::newRow("what the export writes")
            << "tex"
            << "\\textbackslash{}\\textbraceleft{}\\textbraceright{}\\textasciitilde{}\\textasciicircum{}"
            << "\\{}~^";
        QTest::newRow("dashes, quotes, ties, groups") << "tex"
                                                      << "1821--1833 --- ``{Greek}'' a~b"
                                                      << "1821–1833 — “Greek” a b";
        QTest::newRow("commands that only set the type")
            << "tex"
            << "\\emph{Ιστορία} \\foreignlanguage{greek}{του} \\textsc {έθνους}"
            << "Ιστορία του έθνους";
        QTest::newRow("a command not known: its argument kept") << "tex"
                                                                << "\\frob{x}y"
                                                                << "xy";
        QTest::newRow("an accent on nothing") << "tex"
                                              << "\\'{}"
                                              << "´";
        QTest::newRow("given names") << "initials"
                                     << "Konstantinos Th. Jean-Pierre"
                                     << "K.Th.J.-P.";
        QTest::newRow("Greek digraphs") << "initials"
                                        << "Ντίνος Μπάμπης Γιάννης"
                                        << "Ντ.Μπ.Γ.";
        QTest::newRow("initials already") << "initials"
                                          << "PH.-E. Κ.Θ."
                                          << "PH.-E.Κ.Θ.";
        QTest::newRow("a year") << "year"
                                << "1992"
                                << "1992";
        QTest::newRow("a date") << "year"
                                << "2004/05/01/"
                                << "2004";
        QTest::newRow("a year written around") << "year"
                                               << "c1992 [reprint]"
                                               << "1992";
        QTest::newRow("a range of years") << "year"
                                          << "1850/1852"
                                          << "1850-1852";
        QTest::newRow("no year of four digits") << "year"
                                                << "12345 s.a."
                                                << "";
        QTest::newRow("Greek") << "capitals"
                               << "Ιστορία του ελληνικού έθνους"
                               << "ΙΣΤΟΡΙΑ ΤΟΥ ΕΛΛΗΝΙΚΟΥ ΕΘΝΟΥΣ";
        QTest::newRow("polytonic, dialytika") << "capitals"
                                              << "Ἀθῆναι ᾠδή ΐ λαϊκή"
                                              << "ΑΘΗΝΑΙ ΩΔΗ Ι ΛΑΙΚΗ";
        QTest::newRow("Latin") << "capitals"
                               << "Dörpfeld Straße Łódź Æsir"
                               << "DORPFELD STRASSE LODZ AESIR";
        QTest::newRow("the code page's punctuation") << "capitals"
                                                     << "«x» – “q” ΄"
                                                     << "«X» – “Q” ΄";
    }
    void textAsCardsHaveIt()
    {
        QFETCH(QString, rule);
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QSet<QString> unknown;
        const QString result = rule == "tex"        ? textOfTex(input, &unknown)
                               : rule == "initials" ? initialsOf(input)
                               : rule == "year"     ? yearIn(input)
                                                    : inCardCapitals(input);
        QCOMPARE(result.normalized(QString::NormalizationForm_C), expected);
        QCOMPARE(unknown, input.contains("frob") ? QSet<QString>{"\\frob"} : QSet<QString>());
    }
};

QTEST_GUILESS_MAIN(ReferenceFieldsTest)
#include "tst_referencefields.moc"
