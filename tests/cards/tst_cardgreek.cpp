// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program speaks the user's language: Greek under a Greek locale, English otherwise,
// with names, numbers and paths as they are, and of a failure the windows' own Greek.

#include "greekfailure.h"
#include "toolrun.h"

#include <QtTest>

using namespace velmora::cards::test;

namespace {

const QString Greek = QStringLiteral("el_GR.UTF-8");

bool greekLocaleInstalled()
{
    QProcess locales;
    locales.start(QStringLiteral("locale"), {QStringLiteral("-a")});
    return locales.waitForFinished() &&
           QString::fromUtf8(locales.readAllStandardOutput()).split(u'\n').contains(u"el_GR.utf8");
}

} // namespace

class tst_cardgreek : public QObject
{
    Q_OBJECT

    ToolRun m_tool;

private slots:
    void initTestCase()
    {
        // One card of blanks: nothing wrong with it.
        m_tool.put(QStringLiteral("Filis.dat"), QByteArray(195, ' '));
    }

    // Each fragment must be in what the program writes to `stream`; the other stream is empty.
    void speaksTheLocalesLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("onError");
        QTest::addColumn<QStringList>("fragments");
        const QString cards = m_tool.path(QStringLiteral("Filis.dat"));
        const QString missing = m_tool.path(QStringLiteral("missing.dat"));
        QTest::newRow("--help in Greek")
            << Greek << QStringList{QStringLiteral("--help")} << 0 << false
            << QStringList{QStringLiteral("χρήση: velmora-cards COMMAND ARGUMENTS...\n\nΦτιάχνει, διαβάζει"),
                           QStringLiteral("\n  show FILIS N\n      την καρτέλλα N όπως τη δείχνει"),
                           QStringLiteral("\nκατάσταση εξόδου: 0 ολοκληρώθηκε, 1 απέτυχε")};
        QTest::newRow("--help in English elsewhere")
            << QStringLiteral("C.UTF-8") << QStringList{QStringLiteral("--help")} << 0 << false
            << QStringList{QStringLiteral("usage: velmora-cards COMMAND ARGUMENTS...\n\nBuilds, reads"),
                           QStringLiteral("\n  show FILIS N\n      card N as the card window shows it")};
        QTest::newRow("a failure in the windows' Greek")
            << Greek << QStringList{QStringLiteral("show"), missing, QStringLiteral("1")} << 1 << true
            << QStringList{missing + QStringLiteral(": ") +
                           velmora::greekClause(velmora::Failure{velmora::Fault::System, ENOENT, missing}) +
                           QStringLiteral("\n")};
        // The list of formats in the citation library's own translation.
        QTest::newRow("an unknown format in Greek")
            << Greek << QStringList{"export", "--format", "marc", cards, "-"} << 2 << true
            << QStringList{"export: άγνωστη μορφή «marc» (csv, ris, bibtex, biblatex ή csl-json)\n"};
        QTest::newRow("a check in Greek")
            << Greek << QStringList{QStringLiteral("check"), cards} << 0 << false
            << QStringList{cards + QStringLiteral(": 195 byte, 1 καρτέλλα\nδεν βρέθηκε φθορά\n")};
    }
    void speaksTheLocalesLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(bool, onError);
        QFETCH(QStringList, fragments);
        if (locale == Greek && !greekLocaleInstalled())
            QSKIP("the el_GR.UTF-8 locale is not installed (tools/setup-debian.sh generates it)");
        QCOMPARE(m_tool.runProgram(arguments, locale), status);
        const QString &said = onError ? m_tool.err : m_tool.out;
        for (const QString &fragment : fragments)
            QVERIFY2(said.contains(fragment), qPrintable(said));
        QVERIFY2((onError ? m_tool.out : m_tool.err).isEmpty(), qPrintable(m_tool.out + m_tool.err));
    }
};

QTEST_GUILESS_MAIN(tst_cardgreek)
#include "tst_cardgreek.moc"
