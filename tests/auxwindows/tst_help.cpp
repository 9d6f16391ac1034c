// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "frmhelp.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

class HelpTest : public QObject
{
    Q_OBJECT

    struct Run
    {
        TestPlatform tp;
        Run()
        {
            tp.forms.registerForm(FormName::frmHelp, [this]() -> QWidget * {
                auto *w = new frmHelp(tp.platform(), tp.forms);
                w->Form_Load();
                return w;
            });
        }
        ~Run()
        {
            tp.forms.unload(FormName::frmHelp);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        frmHelp *open()
        {
            tp.forms.show(FormName::frmHelp);
            return tp.forms.form<frmHelp>(FormName::frmHelp);
        }
    };

    static QLabel *label(frmHelp *w, const QString &name)
    {
        return w->findChild<QLabel *>(name, Qt::FindDirectChildrenOnly);
    }

private slots:
    void caption()
    {
        Run run;
        QCOMPARE(run.open()->windowTitle(),
                 QStringLiteral("Βελμόρα 2.2 W32:  Πλήκτρα Συντομεύσεως/Συντομογραφίες Βιβλιογραφίας"));
    }

    void texts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("text");
        const auto row = [](const char *name, int r, int c, const QString &text) {
            QTest::newRow(name) << QString::fromLatin1(name) << r << c << text;
        };
        row("Label2", 0, 0, QStringLiteral("ΚΥΡΙΟΤΕΡΑ ΠΛΗΚΤΡΑ ΣΥΝΤΟΜΕΥΣΕΩΣ"));
        row("Label20", 0, 1, QStringLiteral("ΣΥΝΤΟΜΟΓΡΑΦΙΕΣ ΒΙΒΛΙΟΓΡΑΦΙΑΣ"));
        row("Label3", 1, 0, QStringLiteral("F1 ......... Επόμενη Καρτέλλα"));
        row("Label23", 1, 1, QStringLiteral("8 ΑΛ. ........... και Άλλοι"));
        row("Label15", 2, 0, QStringLiteral("PgDwn .. Επόμενη Καρτέλλα"));
        row("Label21", 2, 1, QStringLiteral("ΑΝΑΤ. ......... Ανατύπωση"));
        row("Label4", 3, 0, QStringLiteral("F2 ......... Προγούμενη Καρτέλλα"));
        row("Label22", 3, 1, QStringLiteral("ΑΠΟΔ. ......... Απόδοση"));
        row("Label16", 4, 0, QStringLiteral("PgUp .... Προγούμενη Καρτέλλα"));
        row("Label24", 4, 1, QStringLiteral("ΕΙΣ. ............. Εισαγωγή"));
        row("Label25", 5, 1, QStringLiteral("ΕΚΔ. ............ Έκδοση"));
        row("Label6", 6, 0, QStringLiteral("F4 ......... Αναζήτηση Αριθμ. Καρτέλλας"));
        row("Label26", 6, 1, QStringLiteral("ΕΠΙΛ. ........... Επιλογή"));
        row("Label7", 7, 0, QStringLiteral("F5 ......... Αναζήτηση Αριθμ. ISBN"));
        row("Label27", 7, 1, QStringLiteral("ΕΠΙΜ. ........... Επιμελητής"));
        row("Label8", 8, 0, QStringLiteral("F6 ......... Αναζήτηση Συγγραφέα"));
        row("Label28", 8, 1, QStringLiteral("ΜΕΤ. ............ Μεταφραστής/ές"));
        row("Label9", 9, 0, QStringLiteral("F7 ......... Αναζήτηση Τίτλου"));
        row("Label29", 9, 1, QStringLiteral("ΠΡΟΛ. .......... Πρόλογος"));
        row("Label10", 10, 0, QStringLiteral("F8 ......... Αναζήτηση Άλλου Ονόματος"));
        row("Label30", 10, 1, QStringLiteral("ΣΗΜ.  ........... Σημειώσεις"));
        row("Label11", 11, 0, QStringLiteral("F9 ......... Αναζήτηση Εκδοτικού Στοιχείου"));
        row("Label31", 11, 1, QStringLiteral("ΣΧΟΛ.  ......... Σχόλια"));
        row("Label32", 12, 1, QStringLiteral("ΤΟΜ. ........... Τόμοι"));
        row("Label12", 13, 0, QStringLiteral("F10 ....... Μενού Επιλογών"));
        row("Label5", 13, 1, QStringLiteral("Χ. Τ.  ............ Χωρίς Τόπο Εκδόσεως"));
        row("Label13", 14, 0, QStringLiteral("F11 ....... Πλήκτρα Συντομεύσεως"));
        row("Label14", 14, 1, QStringLiteral("χ. σ.  ............ χωρίς αριθμούς σελίδων"));
        row("Label17", 15, 0, QStringLiteral("Ctrl+F1.. Βοήθεια"));
        row("Label18", 16, 0, QStringLiteral("Δες πλήρη Κατάλογο σε Βοήθεια Προγ/τος"));
    }
    void texts()
    {
        QFETCH(QString, name);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, text);
        Run run;
        frmHelp *w = run.open();
        QLabel *l = label(w, name);
        QVERIFY(l);
        QCOMPARE(l->text(), text);
        QVERIFY(l->isVisible());
        QVERIFY(l->font().bold());
        QCOMPARE(l->font().pointSizeF(), 9.75);
        // The whole text fits: nothing is elided or cut.
        QVERIFY(l->width() >= l->fontMetrics().horizontalAdvance(text));

        // The grid: the heading of the same column fixes the x and row 0; row 1 of the
        // right column fixes the row height.
        QLabel *heading = label(w, column == 0 ? QStringLiteral("Label2") : QStringLiteral("Label20"));
        const int rowHeight =
            label(w, QStringLiteral("Label23"))->y() - label(w, QStringLiteral("Label20"))->y();
        QVERIFY(rowHeight >= l->fontMetrics().height());
        QCOMPARE(l->x(), heading->x());
        const int halfRow = name == QLatin1String("Label18") ? rowHeight / 2 : 0;
        QCOMPARE(l->y(), heading->y() + row * rowHeight + halfRow);

        // Each column lies on its panel, the left one wholly left of the right one.
        QLabel *panel = label(w, column == 0 ? QStringLiteral("Label1") : QStringLiteral("Label19"));
        QVERIFY(panel->geometry().contains(l->geometry()));
        QVERIFY(label(w, QStringLiteral("Label1"))->geometry().right() <
                label(w, QStringLiteral("Label19"))->geometry().left());
    }

    void nothingElseOnTheCard()
    {
        Run run;
        frmHelp *w = run.open();
        const auto labels = w->findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.size(), 30 + 2); // the texts and the two panels
        QVERIFY(label(w, QStringLiteral("Label1"))->text().isEmpty());
        QVERIFY(label(w, QStringLiteral("Label19"))->text().isEmpty());
    }

    void okAtTheBottomRightUnloads()
    {
        Run run;
        QPointer<frmHelp> w = run.open();
        QPushButton *ok = w->findChild<QPushButton *>(QStringLiteral("Command1"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        const QRect right = label(w, QStringLiteral("Label19"))->geometry();
        QVERIFY(ok->geometry().top() > right.bottom());
        QCOMPARE(ok->geometry().right(), right.right());
        QVERIFY(w->rect().contains(ok->geometry()));

        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!run.tp.forms.isLoaded(FormName::frmHelp));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.isNull());
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
