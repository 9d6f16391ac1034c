// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "captionflush.h"

#include "scancaption.h"

namespace velmora {

Answer CaptionFlushingMessageBox::show(const QString &prompt, const QString &title, Buttons buttons,
                                       Icon icon, Answer defaultButton)
{
    m_caption.flush();
    return m_inner.show(prompt, title, buttons, icon, defaultButton);
}

void CaptionFlushingMessageBox::showCommand(const QString &prompt, const QString &command,
                                            const QString &title, Icon icon)
{
    m_caption.flush();
    m_inner.showCommand(prompt, command, title, icon);
}

QString CaptionFlushingInputBox::ask(const QString &title, const QString &prompt)
{
    m_caption.flush();
    return m_inner.ask(title, prompt);
}

} // namespace velmora
