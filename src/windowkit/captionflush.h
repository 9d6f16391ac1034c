// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "inputbox.h"
#include "messagebox.h"

namespace velmora {

class ScanCaption;

// A window's message box that first brings the scan caption up to date, so that a box
// opened in the middle of a scan never stands under a caption that lags behind the scan.
class CaptionFlushingMessageBox : public MessageBox
{
public:
    CaptionFlushingMessageBox(MessageBox &inner, ScanCaption &caption) : m_inner(inner), m_caption(caption) {}
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton = Answer::Ok) override;
    void showCommand(const QString &prompt, const QString &command, const QString &title, Icon icon) override;

private:
    MessageBox &m_inner;
    ScanCaption &m_caption;
};

// The same for the input box.
class CaptionFlushingInputBox : public InputBox
{
public:
    CaptionFlushingInputBox(InputBox &inner, ScanCaption &caption) : m_inner(inner), m_caption(caption) {}
    QString ask(const QString &title, const QString &prompt) override;

private:
    InputBox &m_inner;
    ScanCaption &m_caption;
};

} // namespace velmora
