// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "messagebox.h"

namespace velmora {

// The program's message boxes as QMessageBox, with Greek button texts. Escape and the
// close box give the box's way out: Cancel, No, or OK.
class QtMessageBox final : public MessageBox
{
public:
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton = Answer::Ok) override;
    void showCommand(const QString &prompt, const QString &command, const QString &title, Icon icon) override;

private:
    // `copied`, when not empty, is what Ctrl+C in the box puts on the clipboard.
    Answer ask(const QString &prompt, const QString &title, Buttons buttons, Icon icon, Answer defaultButton,
               const QString &copied);
};

} // namespace velmora
