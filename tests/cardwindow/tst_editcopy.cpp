// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editcopy.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class tst_editcopy : public QObject
{
    Q_OBJECT

private slots:
    // The command of the advice's second line, run by a shell as typed: it copies the card
    // file into the home folder and names the copy to --edit, whatever the file's name;
    // run again, it keeps the copy edited since.
    void theCommandCopiesAndEditsTheCopy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << QStringLiteral("Filis.dat");
        QTest::newRow("greek, with a blank") << QStringLiteral("Βιβλία μου.dat");
        QTest::newRow("shell characters") << QStringLiteral("it's $HOME `x` *.dat");
    }

    void theCommandCopiesAndEditsTheCopy()
    {
        QFETCH(QString, name);
        QTemporaryDir home;
        QTemporaryDir medium;
        const QString original = medium.filePath(name);
        QVERIFY(writeFile(original, "cards"));
        const QStringList lines = editCopyAdvice(original).split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].contains(QStringLiteral(" && velmora --edit ")));
        QString command = lines[1];
        command.replace(QStringLiteral("velmora --edit"), QStringLiteral("printf %s"));

        const QString copy = home.path() + QStringLiteral("/Βιβλιογραφία/") + name;
        for (const QByteArray &expected : {QByteArray("cards"), QByteArray("edited")}) {
            QProcess shell;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("HOME"), home.path());
            shell.setProcessEnvironment(env);
            shell.start(QStringLiteral("sh"), {QStringLiteral("-c"), command});
            QVERIFY(shell.waitForFinished(10000));
            QCOMPARE(shell.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(shell.readAllStandardOutput()), copy);
            QCOMPARE(readFile(copy), expected);
            QVERIFY(writeFile(copy, "edited"));
        }
        QCOMPARE(readFile(original), QByteArray("cards"));
    }
};

QTEST_GUILESS_MAIN(tst_editcopy)
#include "tst_editcopy.moc"
