// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Runs velmora-cards in the test's own process, or as the real program under a locale, over
// files in a temporary folder.

#include "cardrecord.h"
#include "command.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

namespace velmora::cards::test {

struct ToolRun
{
    QTemporaryDir dir;
    QString out;
    QString err;

    QString path(const QString &name) const { return dir.filePath(name); }

    int run(const QStringList &arguments)
    {
        out.clear();
        err.clear();
        QTextStream o(&out), e(&err);
        Console console{o, e};
        const int status = runCardTool(arguments, console);
        o.flush();
        e.flush();
        return status;
    }

    // The real program, started from a terminal set to `locale`; -1 when it does not end.
    // `input`, when given, reaches its standard input through a pipe and late, as from a
    // program that takes its time to write. `shell`, when given, is the command of a shell
    // that starts the program as "$0" "$@": with a limit set by ulimit, say, or with its
    // standard streams closed.
    int runProgram(const QStringList &arguments, const QString &locale, const QByteArray &input = {},
                   const QString &shell = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), locale);
        environment.remove(QStringLiteral("LANGUAGE"));
        QProcess tool;
        tool.setProcessEnvironment(environment);
        if (shell.isEmpty())
            tool.start(QStringLiteral(VELMORA_CARDS_TOOL), arguments);
        else
            tool.start(QStringLiteral("sh"),
                       QStringList{QStringLiteral("-c"), shell, QStringLiteral(VELMORA_CARDS_TOOL)} +
                           arguments);
        if (!input.isEmpty() && tool.waitForStarted()) {
            QThread::msleep(300);
            tool.write(input);
            tool.closeWriteChannel();
        }
        if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit)
            return -1;
        out = QString::fromUtf8(tool.readAllStandardOutput());
        err = QString::fromUtf8(tool.readAllStandardError());
        return tool.exitCode();
    }

    void put(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    QByteArray get(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

// Every byte value, 0x00 to 0xFF, `times` times over, then `tail` bytes more of it.
inline QByteArray everyByte(int times, int tail = 0)
{
    QByteArray bytes;
    for (int i = 0; i < times * 256 + tail; ++i)
        bytes += char(i % 256);
    return bytes;
}

// A card of these fields, the ISBN first, the rest blank; a card file of such cards.
inline CardRecord cardOf(const QStringList &fields)
{
    CardRecord card;
    for (int i = 0; i < fields.size(); ++i)
        card.setField(AllFields[i], fields[i]);
    return card;
}
inline QByteArray bytesOf(const QList<CardRecord> &cards)
{
    QByteArray bytes;
    for (const CardRecord &c : cards)
        bytes += QByteArray(c.bytes().data(), RecordLength);
    return bytes;
}
inline QByteArray fileOf(const QList<QStringList> &cards)
{
    QByteArray bytes;
    for (const QStringList &c : cards)
        bytes += bytesOf({cardOf(c)});
    return bytes;
}

// The whole cards of a card file, each as the six fields the program shows.
inline QList<QStringList> shownCards(const QByteArray &file)
{
    QList<QStringList> cards;
    for (qsizetype at = 0; at + RecordLength <= file.size(); at += RecordLength) {
        const CardRecord card = CardRecord::fromBytes(QByteArrayView(file).sliced(at, RecordLength));
        QStringList fields;
        for (Field f : AllFields)
            fields << card.shown(f);
        cards << fields;
    }
    return cards;
}

} // namespace velmora::cards::test
