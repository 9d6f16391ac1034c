// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtinputbox.h"
#include "qtmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace velmora;

Q_DECLARE_METATYPE(velmora::Buttons)
Q_DECLARE_METATYPE(velmora::Answer)

namespace {

// Answers the next modal dialog as soon as it is up. A check that fails inside would
// leave the dialog open, so `act` only records and always closes it.
void whenModal(std::function<void(QDialog *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}

QStringList buttonTexts(QWidget *dialog)
{
    QStringList texts;
    const auto box = dialog->findChild<QDialogButtonBox *>();
    for (QAbstractButton *b : box->buttons())
        if (b->isVisible())
            texts << b->text();
    return texts;
}

QAbstractButton *buttonWithText(QWidget *dialog, const QString &text)
{
    for (QAbstractButton *b : dialog->findChildren<QAbstractButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

class tst_qtdialogs : public QObject
{
    Q_OBJECT

private slots:
    void messageBoxes_data()
    {
        QTest::addColumn<Buttons>("buttons");
        QTest::addColumn<Answer>("defaultButton");
        QTest::addColumn<QString>("action"); // "esc", "close" or a button's text
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<Answer>("answer");
        const QStringList ync{QStringLiteral("Ναι"), QStringLiteral("Όχι"), QStringLiteral("Άκυρο")};
        const QStringList yn{QStringLiteral("Ναι"), QStringLiteral("Όχι")};
        QTest::newRow("yes/no/cancel, Esc") << Buttons::YesNoCancel << Answer::Ok << QStringLiteral("esc")
                                            << ync << QStringLiteral("Ναι") << Answer::Cancel;
        QTest::newRow("yes/no/cancel, closed")
            << Buttons::YesNoCancel << Answer::Ok << QStringLiteral("close") << ync << QStringLiteral("Ναι")
            << Answer::Cancel;
        QTest::newRow("yes/no/cancel, No") << Buttons::YesNoCancel << Answer::Ok << QStringLiteral("Όχι")
                                           << ync << QStringLiteral("Ναι") << Answer::No;
        QTest::newRow("yes/no, No default, Esc") << Buttons::YesNo << Answer::No << QStringLiteral("esc")
                                                 << yn << QStringLiteral("Όχι") << Answer::No;
        QTest::newRow("yes/no, Yes") << Buttons::YesNo << Answer::No << QStringLiteral("Ναι") << yn
                                     << QStringLiteral("Όχι") << Answer::Yes;
        QTest::newRow("ok, Esc") << Buttons::Ok << Answer::Ok << QStringLiteral("esc")
                                 << QStringList{QStringLiteral("OK")} << QStringLiteral("OK") << Answer::Ok;
    }
    void messageBoxes()
    {
        QFETCH(Buttons, buttons);
        QFETCH(Answer, defaultButton);
        QFETCH(QString, action);
        QFETCH(QStringList, texts);
        QFETCH(QString, defaultText);
        QFETCH(Answer, answer);

        QString title, text, shownDefault;
        QStringList shownTexts;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModal([&](QDialog *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            if (box) {
                title = box->windowTitle();
                text = box->text();
                icon = box->icon();
                shownTexts = buttonTexts(box);
                shownDefault = box->defaultButton() ? box->defaultButton()->text() : QString();
            }
            if (action == QLatin1String("esc"))
                QTest::keyClick(dialog, Qt::Key_Escape);
            else if (action == QLatin1String("close"))
                dialog->close();
            else if (QAbstractButton *b = buttonWithText(dialog, action))
                b->click();
            else
                dialog->reject();
        });
        QtMessageBox messages;
        const Answer got =
            messages.show(QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα  5 ;"),
                          QStringLiteral("Βελμόρα 3.0"), buttons, Icon::Question, defaultButton);
        QCOMPARE(got, answer);
        QCOMPARE(title, QStringLiteral("Βελμόρα 3.0"));
        QCOMPARE(text, QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα  5 ;"));
        QCOMPARE(icon, QMessageBox::Question);
        // The platform's own convention decides where each button stands.
        shownTexts.sort();
        texts.sort();
        QCOMPARE(shownTexts, texts);
        QCOMPARE(shownDefault, defaultText);
    }

    void messageBoxIcons()
    {
        const QList<std::pair<Icon, QMessageBox::Icon>> icons{{Icon::None, QMessageBox::NoIcon},
                                                              {Icon::Information, QMessageBox::Information},
                                                              {Icon::Exclamation, QMessageBox::Warning}};
        for (const auto &[icon, expected] : icons) {
            QMessageBox::Icon shown = QMessageBox::Question;
            whenModal([&](QDialog *dialog) {
                if (auto *box = qobject_cast<QMessageBox *>(dialog))
                    shown = box->icon();
                dialog->close();
            });
            QtMessageBox messages;
            QCOMPARE(messages.show(QStringLiteral("x"), QStringLiteral("t"), Buttons::Ok, icon), Answer::Ok);
            QCOMPARE(shown, expected);
        }
    }

    // Ctrl+C in a box that names a command copies the command alone, to be pasted into a
    // terminal as it stands.
    void ctrlCCopiesTheCommandAlone()
    {
        const QString command =
            QStringLiteral("mkdir -p ~/Βιβλιογραφία && velmora --edit ~/Βιβλιογραφία/Filis.dat");
        QGuiApplication::clipboard()->clear();
        QString copied;
        whenModal([&](QDialog *dialog) {
            if (QTest::qWaitForWindowActive(dialog)) {
                QTest::keyClick(dialog, Qt::Key_C, Qt::ControlModifier);
                copied = QGuiApplication::clipboard()->text();
            }
            dialog->close();
        });
        QtMessageBox().showCommand(QStringLiteral("Αντιγράψτε το αρχείο:\n") + command, command,
                                   QStringLiteral("Βελμόρα 3.0"), Icon::Exclamation);
        QCOMPARE(copied, command);
    }

    void anUntitledBoxCarriesTheProgramsTitle()
    {
        QString title;
        whenModal([&](QDialog *dialog) {
            title = dialog->windowTitle();
            dialog->close();
        });
        QtMessageBox messages;
        messages.show(QStringLiteral("System Information Is Unavailable At This Time"), QString(),
                      Buttons::Ok, Icon::None);
        QCOMPARE(title, QStringLiteral("Βελμόρα 3.0"));
    }

    void inputBox_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("result");
        QTest::newRow("typed and OK") << QStringLiteral("Ιστορία") << true << QStringLiteral("Ιστορία");
        QTest::newRow("typed and cancelled") << QStringLiteral("Ιστορία") << false << QString();
        QTest::newRow("nothing typed, OK") << QString() << true << QString();
        // The searches match the blanks too: the box hands the text over untrimmed.
        QTest::newRow("blanks around, OK")
            << QStringLiteral("  Ιστορία ") << true << QStringLiteral("  Ιστορία ");
    }
    void inputBox()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accept);
        QFETCH(QString, result);
        QString title, label, initial;
        QStringList texts;
        int width = 0, titleWidth = 0, line = 0;
        whenModal([&](QDialog *dialog) {
            title = dialog->windowTitle();
            width = dialog->frameGeometry().width();
            QFont bold = dialog->font();
            bold.setBold(true);
            titleWidth = QFontMetrics(bold).horizontalAdvance(title);
            line = dialog->fontMetrics().height();
            if (auto *input = qobject_cast<QInputDialog *>(dialog))
                label = input->labelText();
            texts = buttonTexts(dialog);
            auto *edit = dialog->findChild<QLineEdit *>();
            if (edit) {
                initial = edit->text();
                edit->setText(typed);
            }
            if (QAbstractButton *b =
                    buttonWithText(dialog, accept ? QStringLiteral("OK") : QStringLiteral("Άκυρο")))
                b->click();
            else
                dialog->reject();
        });
        QtInputBox input;
        const QString got = input.ask(QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου"),
                                      QStringLiteral("Βρες Κείμενο σε Τίτλο:"));
        QCOMPARE(got, result);
        QCOMPARE(title, QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου"));
        QCOMPARE(label, QStringLiteral("Βρες Κείμενο σε Τίτλο:"));
        QCOMPARE(initial, QString());
        // The frame shows the whole title (a window manager's is often bold), with room to
        // spare for the frame's icon and buttons.
        QVERIFY2(width >= titleWidth + 4 * line,
                 qPrintable(QStringLiteral("%1 / %2").arg(width).arg(titleWidth)));
        texts.sort();
        QCOMPARE(texts, (QStringList{QStringLiteral("OK"), QStringLiteral("Άκυρο")}));
    }

    // The splash closes itself on a timer and deletes its children: a box it owned would
    // go with it while still running its own loop. The boxes belong to no window.
    void aWindowDeletedUnderAnOpenBoxTakesNothingWithIt_data()
    {
        QTest::addColumn<bool>("input");
        QTest::newRow("message box") << false;
        QTest::newRow("input box") << true;
    }
    void aWindowDeletedUnderAnOpenBoxTakesNothingWithIt()
    {
        QFETCH(bool, input);
        auto *window = new QWidget;
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QPointer<QWidget> deleted = window;
        QTimer::singleShot(50, window, [window] { delete window; });
        QTimer::singleShot(150, [] {
            // Answered once the window has gone, if the box is still there.
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->accept();
        });
        if (input)
            QtInputBox().ask(QStringLiteral("Βελμόρα 3.0: Αναζήτηση"), QStringLiteral("Κείμενο:"));
        else
            QtMessageBox().show(QStringLiteral("Καρτέλλα"), QString(), Buttons::Ok, Icon::Information,
                                Answer::Ok);
        QVERIFY(deleted.isNull());
    }
};

QTEST_MAIN(tst_qtdialogs)
#include "tst_qtdialogs.moc"
