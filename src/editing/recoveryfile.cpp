// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "recoveryfile.h"

#include "atomicfile.h"
#include "fileops.h"
#include "programfiles.h"
#include "trust.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// Format 1 knew only the typing; format 2 knows what it was typed over too.
constexpr int FirstFormat = 1;
constexpr int Format = 2;
// Six fields of at most 65 characters are a few hundred bytes: anything much larger was
// never written by the program.
constexpr qint64 MostBytes = 64 * 1024;

QByteArray checksum(const QByteArray &line)
{
    return QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex();
}

// The path of a format 1 file was the card file's as given; format 2 follows links, as the
// file's own name does.
QString cardFileOf(const QString &cardPath, int format)
{
    return format == FirstFormat ? QFileInfo(cardPath).absoluteFilePath() : realCardPath(cardPath);
}

QString hexOf(const CardRecord &card)
{
    return QString::fromLatin1(QByteArray(card.bytes().data(), RecordLength).toHex());
}

QByteArray contents(const QString &cardPath, const TypedCard &card, const TypingBase &base)
{
    QJsonArray fields;
    QJsonArray typed;
    for (int i = 0; i < FieldCount; ++i) {
        fields.append(card.fields[i]);
        if (base.typed[i])
            typed.append(i);
    }
    // Device and inode as text: a JSON number loses the digits past 2^53.
    const QJsonObject object{
        {QStringLiteral("format"), Format},
        {QStringLiteral("cardFile"), cardFileOf(cardPath, Format)},
        {QStringLiteral("device"), QString::number(base.cardFile.device)},
        {QStringLiteral("inode"), QString::number(base.cardFile.inode)},
        {QStringLiteral("card"), int(card.number)},
        {QStringLiteral("base"), base.card ? QJsonValue(hexOf(*base.card)) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("typed"), typed},
        {QStringLiteral("filingRefused"), base.filingRefused},
        {QStringLiteral("fields"), fields}};
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return line + '\n' + checksum(line) + '\n';
}

std::optional<quint64> numberIn(const QJsonValue &value)
{
    bool ok = false;
    const quint64 number = value.toString().toULongLong(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<TypingBase> baseIn(const QJsonObject &object)
{
    TypingBase base;
    const std::optional<quint64> device = numberIn(object.value(QStringLiteral("device")));
    const std::optional<quint64> inode = numberIn(object.value(QStringLiteral("inode")));
    const QJsonValue card = object.value(QStringLiteral("base"));
    const QJsonValue refused = object.value(QStringLiteral("filingRefused"));
    if (!device || !inode || !refused.isBool() || !(card.isNull() || card.isString()))
        return std::nullopt;
    base.cardFile = {*device, *inode};
    base.filingRefused = refused.toBool();
    if (card.isString()) {
        const QByteArray bytes = QByteArray::fromHex(card.toString().toLatin1());
        if (bytes.size() != RecordLength)
            return std::nullopt;
        base.card = CardRecord::fromBytes(bytes);
    }
    for (const QJsonValue &field : object.value(QStringLiteral("typed")).toArray()) {
        const int i = field.toInt(-1);
        if (i < 0 || i >= FieldCount)
            return std::nullopt;
        base.typed[i] = true;
    }
    return base;
}

} // namespace

QString recoveryFilePath(const QString &cardPath, const QString &folder)
{
    return inDataFolder(cardPath, folder, QStringLiteral("typed"));
}

Result<void> writeRecoveryFile(const QString &path, const QString &cardPath, const TypedCard &card,
                               const TypingBase &base)
{
    if (Result<void> folder = makeOwnFolder(folderOf(path)); !folder)
        return folder;
    // Readable by the user alone: the typing is nobody else's business.
    Result<AtomicFile> file = AtomicFile::create(path, 0600, AtomicFile::Replacing::OwnFileOnly);
    if (!file)
        return tl::unexpected(file.error());
    const QByteArray bytes = contents(cardPath, card, base);
    if (Result<void> written = file->write(bytes.constData(), bytes.size()); !written)
        return written;
    return file->commit();
}

std::optional<KeptTyping> readRecoveryFile(const QString &path, const QString &cardPath)
{
    const Result<FileDescriptor> opened = openRegularFile(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW);
    if (!opened)
        return std::nullopt;
    const Result<struct stat> st = statusOf(opened->get());
    if (!st || !ownedByUser(*st))
        return std::nullopt;
    const Result<QByteArray> bytes = readWhole(opened->get(), MostBytes);
    if (!bytes)
        return std::nullopt;
    const QList<QByteArray> lines = bytes->split('\n');
    if (lines.size() != 3 || !lines[2].isEmpty() || checksum(lines[0]) != lines[1])
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(lines[0]).object();
    const QJsonArray fields = object.value(QStringLiteral("fields")).toArray();
    const int format = object.value(QStringLiteral("format")).toInt();
    KeptTyping kept;
    TypedCard &card = kept;
    card.number = object.value(QStringLiteral("card")).toInt();
    if ((format != FirstFormat && format != Format) ||
        object.value(QStringLiteral("cardFile")).toString() != cardFileOf(cardPath, format) ||
        card.number < 1 || fields.size() != FieldCount)
        return std::nullopt;
    for (int i = 0; i < FieldCount; ++i) {
        if (!fields[i].isString())
            return std::nullopt;
        card.fields[i] = fields[i].toString();
    }
    if (format == Format) {
        kept.base = baseIn(object);
        if (!kept.base)
            return std::nullopt;
    }
    return kept;
}

Result<void> removeRecoveryFile(const QString &path)
{
    return removeOwnFile(path);
}

} // namespace velmora
