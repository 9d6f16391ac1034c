// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// The four forms of message box the windows use, and the box without an icon that the
// About window's system-information step shows.
enum class Buttons { Ok, YesNoCancel, YesNo };
enum class Icon { None, Information, Exclamation, Question };
enum class Answer { Ok, Yes, No, Cancel };

class MessageBox
{
public:
    // Modal. `defaultButton` Ok means the form's usual default (the first button).
    virtual Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                        Answer defaultButton = Answer::Ok) = 0;
    // An OK box whose prompt holds, on a line of its own, `command`: a shell command for the
    // user to run. Where a box can, Ctrl+C in it copies the command alone, and the command
    // goes to the standard error as well, for a terminal to copy it from.
    virtual void showCommand(const QString &prompt, const QString &command, const QString &title, Icon icon)
    {
        Q_UNUSED(command);
        show(prompt, title, Buttons::Ok, icon);
    }

protected:
    virtual ~MessageBox() = default;
};

} // namespace velmora
