// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtmessagebox.h"

#include "dialogowner.h"
#include "platform.h"
#include "terminaltext.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include <cstdio>
#include <utility>

namespace velmora {

namespace {

QMessageBox::Icon qtIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information:
        return QMessageBox::Information;
    case Icon::Exclamation:
        return QMessageBox::Warning;
    case Icon::Question:
        return QMessageBox::Question;
    case Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer QtMessageBox::show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                          Answer defaultButton)
{
    return ask(prompt, title, buttons, icon, defaultButton, QString());
}

void QtMessageBox::showCommand(const QString &prompt, const QString &command, const QString &title, Icon icon)
{
    std::fputs((shownOnTerminal(command) + QLatin1Char('\n')).toUtf8().constData(), stderr);
    std::fflush(stderr);
    ask(prompt, title, Buttons::Ok, icon, Answer::Ok, command);
}

Answer QtMessageBox::ask(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                         Answer defaultButton, const QString &copied)
{
    // A box without a title of its own carries the program's.
    QMessageBox box(qtIcon(icon), title.isEmpty() ? AppTitle : title, prompt, QMessageBox::NoButton);

    // The buttons of each form, first one first; the last listed is the way out.
    QList<std::pair<QPushButton *, Answer>> added;
    auto add = [&](const QString &text, QMessageBox::ButtonRole role, Answer answer) {
        added.append({box.addButton(text, role), answer});
    };
    switch (buttons) {
    case Buttons::Ok:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, Answer::Ok);
        break;
    case Buttons::YesNoCancel:
        add(QStringLiteral("Ναι"), QMessageBox::YesRole, Answer::Yes);
        add(QStringLiteral("Όχι"), QMessageBox::NoRole, Answer::No);
        add(QStringLiteral("Άκυρο"), QMessageBox::RejectRole, Answer::Cancel);
        break;
    case Buttons::YesNo:
        add(QStringLiteral("Ναι"), QMessageBox::YesRole, Answer::Yes);
        add(QStringLiteral("Όχι"), QMessageBox::NoRole, Answer::No);
        break;
    }
    // Ok as the default stands for the form's usual one, its first button.
    QPushButton *initial = added.first().first;
    for (const auto &[button, answer] : std::as_const(added))
        if (answer == defaultButton)
            initial = button;
    box.setDefaultButton(initial);
    box.setEscapeButton(added.last().first);
    // Rather than the box's own copy of its title, text and buttons, the command alone:
    // what a terminal wants pasted into it.
    if (!copied.isEmpty())
        QObject::connect(new QShortcut(QKeySequence::Copy, &box), &QShortcut::activated, &box,
                         [copied] { QGuiApplication::clipboard()->setText(copied); });
    detachFromActiveWindow(box);

    box.exec();
    for (const auto &[button, answer] : std::as_const(added))
        if (box.clickedButton() == button)
            return answer;
    return added.last().second;
}

} // namespace velmora
