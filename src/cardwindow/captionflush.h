#pragma once

#include "dialogs.h"

#include <functional>

namespace velmora {

// The card window's message box: it first brings the caption up to date, so that a box
// opened in the middle of a scan never stands under a caption that lags behind the scan.
class CaptionFlushingMessageBox : public MessageBox
{
public:
    CaptionFlushingMessageBox(MessageBox &inner, std::function<void()> flush)
        : m_inner(inner), m_flush(std::move(flush))
    {
    }
    Answer show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                Answer defaultButton = Answer::Ok) override
    {
        m_flush();
        return m_inner.show(prompt, title, buttons, icon, defaultButton);
    }

private:
    MessageBox &m_inner;
    std::function<void()> m_flush;
};

// The same for the input box.
class CaptionFlushingInputBox : public InputBox
{
public:
    CaptionFlushingInputBox(InputBox &inner, std::function<void()> flush)
        : m_inner(inner), m_flush(std::move(flush))
    {
    }
    QString ask(const QString &title, const QString &prompt) override
    {
        m_flush();
        return m_inner.ask(title, prompt);
    }

private:
    InputBox &m_inner;
    std::function<void()> m_flush;
};

} // namespace velmora
