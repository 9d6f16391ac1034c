// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "benchplatform.h"

namespace velmora::bench {

Answer ScriptedMessageBox::show(const QString &prompt, const QString &, Buttons buttons, Icon, Answer)
{
    lastPrompt = prompt;
    if (buttons == Buttons::Ok) {
        ++notices;
        return Answer::Ok;
    }
    ++questions;
    return questionAnswer;
}

QString ScriptedInputBox::ask(const QString &, const QString &)
{
    return answers.isEmpty() ? QString() : answers.takeFirst();
}

bool CountingRenderer::render(const PrintedDocument &document)
{
    pages += int(document.pages.size());
    return true;
}

BenchPlatform::BenchPlatform(const QString &folder)
    : paths(folder), m_platform{.messages = messages,
                                .input = input,
                                .beeper = beeper,
                                .clock = clock,
                                .printer = printer,
                                .help = help,
                                .settings = settings,
                                .launcher = launcher,
                                .files = files,
                                .paths = paths,
                                .keyboard = keyboard}
{
}

} // namespace velmora::bench
