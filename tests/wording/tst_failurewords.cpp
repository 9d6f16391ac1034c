// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card tool's English says all the windows' Greek says: the job, every place, a torn card.

#include "failurewords.h"

#include <QtTest>

using namespace velmora;

class tst_failurewords : public QObject
{
    Q_OBJECT

private slots:
    void englishSaysItAll_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<QStringList>("places"); // the folder tried first, then the others
        QTest::addColumn<bool>("torn");
        QTest::addColumn<QStringList>("fragments");
        QTest::newRow("the job it stopped")
            << int(Stage::Journal) << QStringList{"/cards"} << false
            << QStringList{"/cards/Filis.dat: the journal that protects the card was not written, so nothing "
                           "was written.\nIn the folder «/cards»: There is no free space"};
        QTest::newRow("both places")
            << int(Stage::Backup) << QStringList{"/cards", "/home/keeper/.local/share/velmora"} << false
            << QStringList{"\nIn the folder «/cards»: There is no free space on the storage medium.\n",
                           "\nIn the folder «/home/keeper/.local/share/velmora»: There is no free space"};
        QTest::newRow("the torn card")
            << int(Stage::Card) << QStringList{} << true
            << QStringList{
                   "space on the storage medium. The card may have been left half written in the file"};
    }
    void englishSaysItAll()
    {
        QFETCH(int, stage);
        QFETCH(QStringList, places);
        QFETCH(bool, torn);
        QFETCH(QStringList, fragments);
        Failure failure{Fault::System, ENOSPC, QStringLiteral("/cards/Filis.dat")};
        failure.at(Stage(stage)).cardMayBeTorn = torn;
        failure.place = places.value(0);
        for (const QString &place : places.mid(1)) {
            Failure there{Fault::System, ENOSPC, failure.path};
            there.place = place;
            failure.also.push_back(there);
        }
        const QString said = failureLine(failure);
        for (const QString &fragment : fragments)
            QVERIFY2(said.contains(fragment), qPrintable(said));
    }
};

QTEST_GUILESS_MAIN(tst_failurewords)
#include "tst_failurewords.moc"
