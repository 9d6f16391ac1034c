#include "recoveryfile.h"

#include "atomicfile.h"
#include "fileops.h"
#include "programfiles.h"

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

constexpr int Format = 1;
// Six fields of at most 65 characters are a few hundred bytes: anything much larger was
// never written by the program.
constexpr qint64 MostBytes = 64 * 1024;

QByteArray checksum(const QByteArray &line)
{
    return QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex();
}

QByteArray contents(const QString &cardPath, const TypedCard &card)
{
    QJsonArray fields;
    for (const QString &field : card.fields)
        fields.append(field);
    const QJsonObject object{{QStringLiteral("format"), Format},
                             {QStringLiteral("cardFile"), QFileInfo(cardPath).absoluteFilePath()},
                             {QStringLiteral("card"), int(card.number)},
                             {QStringLiteral("fields"), fields}};
    const QByteArray line = QJsonDocument(object).toJson(QJsonDocument::Compact);
    return line + '\n' + checksum(line) + '\n';
}

} // namespace

QString recoveryFilePath(const QString &cardPath, const QString &folder)
{
    return inDataFolder(cardPath, folder, QStringLiteral("typed"));
}

Result<void> writeRecoveryFile(const QString &path, const QString &cardPath, const TypedCard &card)
{
    if (Result<void> folder = makeOwnFolder(folderOf(path)); !folder)
        return folder;
    // Readable by the user alone: the typing is nobody else's business.
    Result<AtomicFile> file = AtomicFile::create(path, 0600, AtomicFile::Replacing::OwnFileOnly);
    if (!file)
        return tl::unexpected(file.error());
    const QByteArray bytes = contents(cardPath, card);
    if (Result<void> written = file->write(bytes.constData(), bytes.size()); !written)
        return written;
    return file->commit();
}

std::optional<TypedCard> readRecoveryFile(const QString &path, const QString &cardPath)
{
    const Result<FileDescriptor> opened = openRegularFile(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW);
    if (!opened)
        return std::nullopt;
    const Result<struct stat> st = statusOf(opened->get());
    if (!st || st->st_uid != ::geteuid())
        return std::nullopt;
    const Result<QByteArray> bytes = readWhole(opened->get(), MostBytes);
    if (!bytes)
        return std::nullopt;
    const QList<QByteArray> lines = bytes->split('\n');
    if (lines.size() != 3 || !lines[2].isEmpty() || checksum(lines[0]) != lines[1])
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(lines[0]).object();
    const QJsonArray fields = object.value(QStringLiteral("fields")).toArray();
    TypedCard card;
    card.number = object.value(QStringLiteral("card")).toInt();
    if (object.value(QStringLiteral("format")).toInt() != Format ||
        object.value(QStringLiteral("cardFile")).toString() != QFileInfo(cardPath).absoluteFilePath() ||
        card.number < 1 || fields.size() != FieldCount)
        return std::nullopt;
    for (int i = 0; i < FieldCount; ++i) {
        if (!fields[i].isString())
            return std::nullopt;
        card.fields[i] = fields[i].toString();
    }
    return card;
}

Result<void> removeRecoveryFile(const QString &path)
{
    return removeOwnFile(path);
}

} // namespace velmora
