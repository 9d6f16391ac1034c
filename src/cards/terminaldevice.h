// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIODevice>
#include <QStringDecoder>

class QTextStream;

namespace velmora::cards {

// Stands between a command's text and the stream it goes to (the terminal, as a rule):
// every line, between the line breaks the command writes, as shownOnTerminal() writes it,
// so that no file name, argument or card can put a control character on the terminal.
// Each write is passed on at once, so that the results and the errors keep their order.
class TerminalDevice : public QIODevice
{
public:
    explicit TerminalDevice(QTextStream &to);

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    QTextStream &m_to;
    QStringDecoder m_utf8{QStringDecoder::Utf8}; // a character may come in two writes
};

} // namespace velmora::cards
