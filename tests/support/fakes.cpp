// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"

#include <QFile>

namespace velmora::test {

Answer FakeMessageBox::show(const QString &prompt, const QString &title, Buttons buttons, Icon icon,
                            Answer defaultButton)
{
    const MessageCall call{prompt, title, buttons, icon, defaultButton};
    calls << call;
    m_log << QStringLiteral("message:") + prompt;
    if (onShow)
        onShow(call);
    if (!answers.isEmpty())
        return answers.dequeue();
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    ++unscripted;
    return Answer::Cancel;
}

QString FakeInputBox::ask(const QString &title, const QString &prompt)
{
    const InputCall call{title, prompt};
    calls << call;
    m_log << QStringLiteral("input:") + title;
    if (onAsk)
        onAsk(call);
    return answers.isEmpty() ? QString() : answers.dequeue();
}

bool RecordingRenderer::render(const PrintedDocument &document)
{
    m_log << QStringLiteral("render");
    if (fail)
        return false;
    documents << document;
    return true;
}

void FakeHelpViewer::showContents(const QString &fileName)
{
    opened << fileName;
    m_log << QStringLiteral("help:") + fileName;
}

quintptr FakeSettingsStore::openKey(quintptr, const QString &keyName, quint32 access)
{
    accessMasks << access;
    if (!keys.contains(keyName))
        return 0;
    openKeys << keyName;
    return quintptr(openKeys.size());
}

bool FakeSettingsStore::queryValue(quintptr key, const QString &valueName, int bufferSize, QByteArray *data,
                                   ValueType *type)
{
    if (key == 0 || key > quintptr(openKeys.size()))
        return false;
    const auto values = keys.value(openKeys.at(int(key) - 1));
    if (!values.contains(valueName))
        return false;
    const Value v = values.value(valueName);
    if (v.data.size() > bufferSize)
        return false;
    *data = v.data;
    *type = v.type;
    return true;
}

void FakeSettingsStore::closeKey(quintptr)
{
    ++closed;
}

CardRecord card(const QString &isbn, const QString &author, const QString &title, const QString &otherName,
                const QString &publication, const QString &pagesNotes)
{
    CardRecord c;
    c.setField(Field::Isbn, isbn);
    c.setField(Field::Author, author);
    c.setField(Field::Title, title);
    c.setField(Field::OtherName, otherName);
    c.setField(Field::Publication, publication);
    c.setField(Field::PagesNotes, pagesNotes);
    return c;
}

TestPlatform::TestPlatform(const QString &root) : paths(root.isEmpty() ? dir.path() : root)
{
    files.failAppend = false;
    forms.onEnd = [this] { ++programEnded; };
    m_platform.reset(new Platform{.messages = messages,
                                  .input = input,
                                  .beeper = beeper,
                                  .clock = clock,
                                  .printer = printer,
                                  .help = help,
                                  .settings = settings,
                                  .launcher = launcher,
                                  .files = files,
                                  .paths = paths,
                                  .keyboard = keyboard});
}

TestPlatform::~TestPlatform() = default;

void TestPlatform::writeCards(const QList<CardRecord> &cards, const QByteArray &tail)
{
    QFile f(cardFile());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (const CardRecord &c : cards)
        f.write(c.bytes().data(), RecordLength);
    f.write(tail);
}

QByteArray TestPlatform::cardFileBytes()
{
    QFile f(cardFile());
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace velmora::test
