// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Keys and menus of the card window, pressed on the real window: every key reaches its
// command once, whichever control has the focus and whatever the keyboard layout.

#include "cardwindowtest.h"
#include "titleedit.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr FormName Card = FormName::frmTervani;

// The windows the rows name by their object names.
FormName formNamed(const QString &name)
{
    return name == QLatin1String("frmHelp")    ? FormName::frmHelp
           : name == QLatin1String("frmAbout") ? FormName::frmAbout
                                               : FormName::frmMulti;
}

// What a key did, as the fakes saw it.
enum class Effect { Next, Previous, Input, Help, Form, Ended, Nothing, NoCommand };

} // namespace

Q_DECLARE_METATYPE(Effect)

class tst_CardKeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestPlatform> p;
    CardWindowSession session;
    QPointer<frmTervani> w;

    void registerDummy(FormName name)
    {
        p->forms.registerForm(name, [] { return new QWidget; });
    }

    // The window at card 2 of 3, shown and active, with the focus in the author field.
    void open()
    {
        w = qobject_cast<frmTervani *>(p->forms.load(Card));
        QVERIFY(w);
        w->CurrentCard = 2;
        w->ShowCR();
        w->show();
        w->activateWindow(); // nothing else activates it where no window manager runs
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->txtOno->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w->txtOno);
    }

    // With no text given, the key's own text goes with it, as a real key press sends it.
    void press(QWidget *target, int key, Qt::KeyboardModifiers modifiers, const QString &text = {})
    {
        if (text.isEmpty())
            QTest::keyClick(target, Qt::Key(key), modifiers);
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, modifiers);
    }

private slots:
    void init()
    {
        p = std::make_unique<TestPlatform>();
        p->writeCards(numberedCards(3));
        p->forms.registerForm(Card, [this] {
            auto *window = new frmTervani(p->platform(), p->forms, session);
            window->Form_Load();
            return window;
        });
        for (FormName name : {FormName::frmSplash, FormName::frmHelp, FormName::frmAbout})
            registerDummy(name);
        // The exploration window unloads the card window as it loads.
        p->forms.registerForm(FormName::frmMulti, [this] {
            p->forms.unload(Card);
            return new QWidget;
        });
        open();
    }
    void cleanup()
    {
        for (FormName name : {FormName::frmTervani, FormName::frmSplash, FormName::frmHelp,
                              FormName::frmAbout, FormName::frmMulti})
            delete p->forms.form(name);
        delete w;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        p.reset();
    }

    void keys_data()
    {
        QTest::addColumn<bool>("onButton"); // the focus on a button rather than in a field
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<Effect>("effect");
        QTest::addColumn<QString>("detail"); // the first input box's title, help file or window

        struct Row
        {
            const char *name;
            int key;
            Qt::KeyboardModifiers modifiers;
            Effect effect;
            QString detail;
        };
        const Qt::KeyboardModifiers none = Qt::NoModifier, alt = Qt::AltModifier, ctrl = Qt::ControlModifier,
                                    shift = Qt::ShiftModifier;
        const QString inputs[] = {
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα/Τίτλου/Ονόματος"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικού Στοιχείου"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος"),
            QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικού Στοιχείου"),
        };
        const Row rows[] = {
            {"F1", Qt::Key_F1, none, Effect::Next, {}},
            {"PgDown", Qt::Key_PageDown, none, Effect::Next, {}},
            {"Ctrl+PgDown", Qt::Key_PageDown, ctrl, Effect::Next, {}},
            {"Alt+H", Qt::Key_H, alt, Effect::Next, {}},
            {"F2", Qt::Key_F2, none, Effect::Previous, {}},
            {"PgUp", Qt::Key_PageUp, none, Effect::Previous, {}},
            {"Shift+PgUp", Qt::Key_PageUp, shift, Effect::Previous, {}},
            {"Alt+P", Qt::Key_P, alt, Effect::Previous, {}},
            {"F4", Qt::Key_F4, none, Effect::Input, inputs[0]},
            {"Alt+R", Qt::Key_R, alt, Effect::Input, inputs[0]},
            {"F5", Qt::Key_F5, none, Effect::Input, inputs[1]},
            {"Alt+I", Qt::Key_I, alt, Effect::Input, inputs[1]},
            {"F6", Qt::Key_F6, none, Effect::Input, inputs[2]},
            {"Alt+S", Qt::Key_S, alt, Effect::Input, inputs[2]},
            {"F7", Qt::Key_F7, none, Effect::Input, inputs[3]},
            {"Alt+T", Qt::Key_T, alt, Effect::Input, inputs[3]},
            {"F8", Qt::Key_F8, none, Effect::Input, inputs[4]},
            {"Alt+L", Qt::Key_L, alt, Effect::Input, inputs[4]},
            {"F9", Qt::Key_F9, none, Effect::Input, inputs[5]},
            {"Alt+O", Qt::Key_O, alt, Effect::Input, inputs[5]},
            {"Shift+F6", Qt::Key_F6, shift, Effect::Input, inputs[6]},
            {"Ctrl+F6", Qt::Key_F6, ctrl, Effect::Input, inputs[7]},
            {"Ctrl+F7", Qt::Key_F7, ctrl, Effect::Input, inputs[8]},
            {"Ctrl+F8", Qt::Key_F8, ctrl, Effect::Input, inputs[9]},
            {"Ctrl+F9", Qt::Key_F9, ctrl, Effect::Input, inputs[10]},
            {"Ctrl+F11", Qt::Key_F11, ctrl, Effect::Input, inputs[11]},
            {"Ctrl+F12", Qt::Key_F12, ctrl, Effect::Input, inputs[12]},
            {"F11", Qt::Key_F11, none, Effect::Form, QStringLiteral("frmHelp")},
            {"Ctrl+F1", Qt::Key_F1, ctrl, Effect::Help, QStringLiteral("TERVANI.HLP")},
            {"Ctrl+A", Qt::Key_A, ctrl, Effect::Form, QStringLiteral("frmMulti")},
            {"Alt+X", Qt::Key_X, alt, Effect::Ended, {}},
            {"Alt+Shift+H", Qt::Key_H, alt | shift, Effect::Nothing, {}},
            {"Ctrl+Alt+H", Qt::Key_H, alt | ctrl, Effect::Nothing, {}},
            {"Ctrl+H", Qt::Key_H, ctrl, Effect::Nothing, {}},
            {"Alt+Z", Qt::Key_Z, alt, Effect::Nothing, {}},
            {"F3", Qt::Key_F3, none, Effect::Nothing, {}},
            {"F12", Qt::Key_F12, none, Effect::Nothing, {}},
        };
        // A letter of the key map is a command with Alt alone, and with any other mask no
        // command at all.
        const std::pair<const char *, Qt::KeyboardModifiers> masks[] = {
            {"", none}, {"Shift+", shift}, {"Ctrl+", ctrl}, {"Ctrl+Alt+", ctrl | alt}};
        for (bool onButton : {false, true}) {
            const char *where = onButton ? "on a button" : "in a field";
            for (const Row &row : rows)
                QTest::addRow("%s %s", row.name, where)
                    << onButton << row.key << row.modifiers << row.effect << row.detail;
            for (char letter : {'H', 'P', 'R', 'I', 'S', 'T', 'L', 'O', 'X'})
                for (const auto &[prefix, mask] : masks)
                    if (std::none_of(std::begin(rows), std::end(rows),
                                     [&](const Row &r) { return r.key == letter && r.modifiers == mask; }))
                        QTest::addRow("%s%c %s", prefix, letter, where)
                            << onButton << int(letter) << mask << Effect::NoCommand << QString();
        }
    }
    void keys()
    {
        QFETCH(bool, onButton);
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(Effect, effect);
        QFETCH(QString, detail);
        if (onButton) {
            w->cmdFindcode->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), w->cmdFindcode);
        }
        const QString typed = w->txtOno->text();

        press(QApplication::focusWidget(), key, modifiers);

        const int current = w ? w->CurrentCard : 0;
        switch (effect) {
        case Effect::Next:
            QCOMPARE(current, 3);
            QVERIFY(p->log.isEmpty()); // a second move would have met the last card
            break;
        case Effect::Previous:
            QCOMPARE(current, 1);
            QVERIFY(p->log.isEmpty());
            break;
        case Effect::Input:
            QVERIFY(!p->input.calls.isEmpty());
            QCOMPARE(p->input.calls.constFirst().title, detail);
            QCOMPARE(p->input.calls.size(), detail.contains(QStringLiteral(" και ")) ? 2 : 1);
            break;
        case Effect::Help:
            QCOMPARE(p->help.opened, QStringList{detail});
            QCOMPARE(current, 2);
            break;
        case Effect::Form:
            QVERIFY(p->forms.isLoaded(formNamed(detail)));
            QCOMPARE(p->log, QStringList());
            break;
        case Effect::Ended:
            QCOMPARE(p->programEnded, 1);
            QVERIFY(!w || !w->File.isOpen());
            break;
        case Effect::Nothing:
            QCOMPARE(current, 2);
            QVERIFY(p->log.isEmpty());
            QCOMPARE(w->txtOno->text(), typed); // no letter typed into the field either
            QCOMPARE(w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
            break;
        case Effect::NoCommand:
            QCOMPARE(p->programEnded, 0);
            QVERIFY(w);
            QCOMPARE(current, 2);
            QVERIFY(p->log.isEmpty());
            QCOMPARE(w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
            // Without Ctrl or Alt the letter is only typed, into a field that has the focus.
            if (!onButton && !(modifiers & (Qt::ControlModifier | Qt::AltModifier)))
                QCOMPARE(w->txtOno->text().toUpper(), typed + QChar(char16_t(key)));
            else
                QCOMPARE(w->txtOno->text(), typed);
            break;
        }
        if (effect != Effect::Form && effect != Effect::Ended)
            QVERIFY(!p->forms.isLoaded(FormName::frmMulti));
        if (effect != Effect::Input)
            QVERIFY(p->input.calls.isEmpty());
    }

    void theExplorationWindowClosesTheCardWindow()
    {
        press(w->txtOno, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(p->forms.isLoaded(FormName::frmMulti));
        QVERIFY(!p->forms.isLoaded(Card));
        QVERIFY(w);
        QVERIFY(!w->File.isOpen());
        QVERIFY(w->isHidden());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!w);
    }

    void pageDownAtTheLastCardRefuses_data()
    {
        QTest::addColumn<bool>("inTitle");
        QTest::newRow("author field") << false;
        QTest::newRow("title field") << true;
    }
    void pageDownAtTheLastCardRefuses()
    {
        QFETCH(bool, inTitle);
        w->CurrentCard = 3;
        w->ShowCR();
        QWidget *field = inTitle ? static_cast<QWidget *>(w->txtTitlos) : w->txtOno;
        field->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), field);
        press(field, Qt::Key_PageDown, Qt::NoModifier);
        QCOMPARE(p->log, (QStringList{"beep", "message:Είστε στην Τελευταία Καρτέλλα"}));
        QCOMPARE(w->CurrentCard, 3);
    }

    // On the Greek layout the key H types η; with Alt it is still the next card, once,
    // though the "EΠΟΜΕΝ&Η" button's mnemonic is that very letter.
    void greekLayout_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("input");
        QTest::newRow("η, key unknown") << int(Qt::Key_unknown) << QStringLiteral("η") << 3 << QString();
        QTest::newRow("η, key Η") << 0x0397 << QStringLiteral("η") << 3 << QString();
        QTest::newRow("π, key Π") << 0x03A0 << QStringLiteral("π") << 1 << QString();
        QTest::newRow("τ, key Τ") << 0x03A4 << QStringLiteral("τ") << 2
                                  << QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου");
        QTest::newRow("ς is W, not S") << 0x03A3 << QStringLiteral("ς") << 2 << QString();
    }
    void greekLayout()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, expected);
        QFETCH(QString, input);
        const QString typed = w->txtOno->text();
        press(w->txtOno, key, Qt::AltModifier, text);
        QTest::qWait(250); // long enough for a mnemonic's animated click to land
        QCOMPARE(w->CurrentCard, expected);
        QCOMPARE(p->beeper.count, 0);
        QVERIFY(p->messages.calls.isEmpty());
        QCOMPARE(p->input.calls.size(), input.isEmpty() ? 0 : 1);
        if (!input.isEmpty())
            QCOMPARE(p->input.calls.constFirst().title, input);
        if (expected == 2)
            QCOMPARE(w->txtOno->text(), typed);
    }

    // The menus' own letters are left to them: Alt+α opens "&Αρχείο".
    void aMenuLetterStillOpensItsMenu()
    {
        press(w->txtOno, 0x0391, Qt::AltModifier, QStringLiteral("α"));
        QTRY_COMPARE(QApplication::activePopupWidget(), w->mnuFile);
        w->mnuFile->close();
        QCOMPARE(w->CurrentCard, 2);
        QVERIFY(p->log.isEmpty());
    }

    void aKeyPressedOnTheWindowItself()
    {
        press(w, Qt::Key_H, Qt::AltModifier);
        QCOMPARE(w->CurrentCard, 3);
        QVERIFY(p->log.isEmpty());
    }

    void f10OpensTheMenuBar()
    {
        press(w->txtOno, Qt::Key_F10, Qt::NoModifier);
        QTRY_COMPARE(QApplication::activePopupWidget(), w->mnuFile);
        w->mnuFile->close();
        QCOMPARE(w->CurrentCard, 2);
    }

    void menus_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QKeySequence>("shortcut");
        const auto row = [](const char *name, const QString &caption, const QKeySequence &shortcut = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << caption << shortcut;
        };
        row("mnuMulti", QStringLiteral("Πολλαπλές"), QKeySequence(Qt::CTRL | Qt::Key_A));
        row("mnuMenu", QStringLiteral("Μενού      F10"));
        row("mnuEnd", QStringLiteral("Έ&ξοδος    Alt+X"));
        row("mnuNext", QStringLiteral("Επόμεν&η             PgDwn  ή"), QKeySequence(Qt::Key_F1));
        row("mnuPrevious", QStringLiteral("&Προηγούμενη     PgUp    ή"), QKeySequence(Qt::Key_F2));
        row("mnuNew", QStringLiteral("&Νέα"), QKeySequence(Qt::Key_F3));
        row("mnuSave", QStringLiteral("&Καταχώριση"), QKeySequence(Qt::Key_F12));
        row("mnuCodeNo", QStringLiteral("Α&ρ. Καρτέλλας"), QKeySequence(Qt::Key_F4));
        row("mnuISBN", QStringLiteral("Αριθμ. &ΙSBN"), QKeySequence(Qt::Key_F5));
        row("mnuAuthor", QStringLiteral("&Συγγραφέα"), QKeySequence(Qt::Key_F6));
        row("mnuTitle", QStringLiteral("&Τίτλου"), QKeySequence(Qt::Key_F7));
        row("mnuAlloi", QStringLiteral("Ά&λλου Ονόματος"), QKeySequence(Qt::Key_F8));
        row("mnuEkdot", QStringLiteral("Εκδ&οτικών"), QKeySequence(Qt::Key_F9));
        row("mnuAnyAuthorTitle", QStringLiteral("Συγγραφέας/Τίτλος"), QKeySequence(Qt::SHIFT | Qt::Key_F6));
        row("mnuAuthorTitle", QStringLiteral("Συγγραφέας και Τίτλος"), QKeySequence(Qt::CTRL | Qt::Key_F6));
        row("mnuTitleAlloi", QStringLiteral("Τίτλος και Άλλο Όνομα"), QKeySequence(Qt::CTRL | Qt::Key_F7));
        row("mnuAlloiEkdot", QStringLiteral("Άλλο Όνομα και Εκδοτικά"), QKeySequence(Qt::CTRL | Qt::Key_F8));
        row("mnuTitleEkdot", QStringLiteral("Τίτλος και Εκδοτικά"), QKeySequence(Qt::CTRL | Qt::Key_F9));
        row("mnuAuthorAlloi", QStringLiteral("Συγγραφέας και Άλλο Όνομα"),
            QKeySequence(Qt::CTRL | Qt::Key_F11));
        row("mnuAuthorEkdot", QStringLiteral("Συγγραφέας και Εκδοτικά"),
            QKeySequence(Qt::CTRL | Qt::Key_F12));
        row("mnuBible", QStringLiteral("Βελμόρα ..."));
        row("mnuHelp", QStringLiteral("Συντομ/ες-Πλήκτρα"), QKeySequence(Qt::Key_F11));
        row("mnuHelp1", QStringLiteral("Βοήθεια"), QKeySequence(Qt::CTRL | Qt::Key_F1));
        row("mnuAbout1", QStringLiteral("Περί ..."));
    }
    void menus()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QKeySequence, shortcut);
        auto *action = w->findChild<QAction *>(name);
        QVERIFY(action);
        QCOMPARE(action->text(), caption);
        QCOMPARE(action->shortcut(), shortcut);
        const bool editing = name == u"mnuNew" || name == u"mnuSave";
        QCOMPARE(action->isVisible(), !editing);
        QCOMPARE(action->isEnabled(), !editing);
    }

    void menuTree()
    {
        const auto names = [](const QMenu *menu) {
            QStringList list;
            for (const QAction *a : menu->actions())
                list << (a->isSeparator() ? QStringLiteral("-") + a->objectName() : a->objectName());
            return list;
        };
        QStringList titles;
        for (const QAction *a : w->menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"&Αρχείο", "&Καρτέλλα", "Α&ναζήτηση", "&Διερεύνηση", "Βιβλιο&γραφία",
                                      "&Βοήθεια"}));
        QCOMPARE(names(w->mnuFile), (QStringList{"mnuMulti", "-mnuSep3", "mnuMenu", "-mnuSep1", "mnuEnd"}));
        QCOMPARE(names(w->mnuRecords),
                 (QStringList{"mnuNext", "mnuPrevious", "mnuNew", "-mnuSep2", "mnuSave"}));
        QCOMPARE(names(w->mnuSearch),
                 (QStringList{"mnuCodeNo", "-mnuSep6", "mnuISBN", "mnuAuthor", "mnuTitle", "mnuAlloi",
                              "mnuEkdot", "-mnuSep7", "mnuAnyAuthorTitle"}));
        QCOMPARE(names(w->mnuSearch1),
                 (QStringList{"mnuAuthorTitle", "mnuTitleAlloi", "mnuAlloiEkdot", "-mnuSep8", "mnuTitleEkdot",
                              "mnuAuthorAlloi", "mnuAuthorEkdot"}));
        QCOMPARE(names(w->mnublb), QStringList{"mnuBible"});
        QCOMPARE(names(w->mnuAbout), (QStringList{"mnuHelp", "mnuHelp1", "-mnuSep5", "mnuAbout1"}));
    }

    void menuEntries_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("log");
        QTest::addColumn<int>("card");
        QTest::addColumn<QString>("form");
        QTest::newRow("next") << "mnuNext" << QStringList() << 3 << QString();
        QTest::newRow("previous") << "mnuPrevious" << QStringList() << 1 << QString();
        QTest::newRow("menu") << "mnuMenu" << QStringList() << 2 << QString();
        QTest::newRow("bible") << "mnuBible" << QStringList{"help:BIBLIOGRAPHY.HLP"} << 2 << QString();
        QTest::newRow("help file") << "mnuHelp1" << QStringList{"help:TERVANI.HLP"} << 2 << QString();
        QTest::newRow("shortcut help") << "mnuHelp" << QStringList() << 2 << "frmHelp";
        QTest::newRow("about") << "mnuAbout1" << QStringList() << 2 << "frmAbout";
        QTest::newRow("card number") << "mnuCodeNo"
                                     << QStringList{"input:Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας"} << 2
                                     << QString();
    }
    void menuEntries()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, log);
        QFETCH(int, card);
        QFETCH(QString, form);
        w->findChild<QAction *>(name)->trigger();
        QCOMPARE(p->log, log);
        QCOMPARE(w->CurrentCard, card);
        if (!form.isEmpty()) {
            QVERIFY(p->forms.isLoaded(formNamed(form)));
            QVERIFY(p->forms.form(formNamed(form))->isVisible());
        }
    }

    void theEndEntryEndsWithoutAQuestion()
    {
        w->mnuEnd->trigger();
        QCOMPARE(p->programEnded, 1);
        QVERIFY(p->log.isEmpty());
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("card");
        QTest::newRow("next") << "cmdNext" << 3;
        QTest::newRow("previous") << "cmdPrevious" << 1;
    }
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(int, card);
        QTest::mouseClick(w->findChild<QPushButton *>(name), Qt::LeftButton);
        QCOMPARE(w->CurrentCard, card);
        QVERIFY(p->log.isEmpty());
    }

    // Browsing has no way to the disk: every key, button and menu entry of a window that was
    // not started to edit, pressed with every field changed and every question answered
    // «Ναι», leaves each byte of the card file as it was, and only the exit commands end
    // the program.
    void browsingNeverWrites_data()
    {
        QTest::addColumn<QString>("what"); // "key", or the object name of a button or an entry
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        for (int key = Qt::Key_F1; key <= Qt::Key_F12; ++key)
            for (const int mods : {0, int(Qt::ShiftModifier), int(Qt::ControlModifier), int(Qt::AltModifier)})
                QTest::addRow("F%d+%x", key - Qt::Key_F1 + 1, mods) << "key" << key << mods;
        for (int key = Qt::Key_A; key <= Qt::Key_Z; ++key)
            for (const int mods : {int(Qt::AltModifier), int(Qt::ControlModifier)})
                QTest::addRow("%c+%x", char(key), mods) << "key" << key << mods;
        for (const int key :
             {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Return, Qt::Key_Delete, Qt::Key_Insert})
            QTest::addRow("key %x", key) << "key" << key << 0;
        TestPlatform tp;
        CardWindowSession browsing;
        frmTervani probe(tp.platform(), tp.forms, browsing);
        for (const QPushButton *b : probe.findChildren<QPushButton *>())
            QTest::newRow(qPrintable(b->objectName())) << b->objectName() << 0 << 0;
        for (const QAction *a : probe.findChildren<QAction *>())
            if (!a->objectName().isEmpty() && !a->menu() && !a->isSeparator())
                QTest::newRow(qPrintable(a->objectName())) << a->objectName() << 0 << 0;
    }
    void browsingNeverWrites()
    {
        QFETCH(QString, what);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        // A partial last card, which a filing or an append would make whole.
        p->writeCards(numberedCards(3), QByteArray(120, 'x'));
        const QByteArray before = p->cardFileBytes();
        for (QLineEdit *field : {w->txtEpo, w->txtOno, w->txtAlloi, w->txtEkdot, w->txtSp})
            field->setText(QStringLiteral("ΑΛΛΑΓΗ"));
        w->txtTitlos->setText(QStringLiteral("ΑΛΛΑΓΗ"));
        for (int i = 0; i < 20; ++i) {
            p->messages.answers << Answer::Yes;
            p->input.answers << QStringLiteral("1");
        }

        if (what == QLatin1String("key")) {
            press(w->txtOno, key, Qt::KeyboardModifiers(modifiers));
        } else if (auto *button = w->findChild<QPushButton *>(what)) {
            button->click(); // hidden or not: a click reaches its handler all the same
        } else {
            auto *action = w->findChild<QAction *>(what);
            QVERIFY(action);
            action->setEnabled(true);
            action->trigger();
        }

        QCOMPARE(p->cardFileBytes(), before);
        const bool exits = what == QLatin1String("cmdExit") || what == QLatin1String("mnuEnd") ||
                           (key == Qt::Key_X && modifiers == int(Qt::AltModifier));
        QCOMPARE(p->programEnded, exits ? 1 : 0);
    }

    void theMultiButtonOpensTheExplorationWindow()
    {
        QTest::mouseClick(w->cmdMulti, Qt::LeftButton);
        QVERIFY(p->forms.isLoaded(FormName::frmMulti));
        QVERIFY(p->forms.form(FormName::frmMulti)->isVisible());
        QVERIFY(!p->forms.isLoaded(Card));
    }
};

QTEST_MAIN(tst_CardKeys)
#include "tst_cardkeys.moc"
