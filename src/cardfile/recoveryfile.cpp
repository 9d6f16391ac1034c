#include "recoveryfile.h"

#include "cardfile.h"
#include "filedescriptor.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

constexpr int Format = 1;
// Six fields of at most 65 characters are a few hundred bytes: anything much larger was
// never written by the program.
constexpr qint64 MostBytes = 64 * 1024;

Result<void> failed(int errorNumber)
{
    const int error = errorNumber != 0 ? errorNumber : EIO;
    return failure(greekWriteReason(error), error);
}

QByteArray checksum(const QByteArray &line)
{
    return QCryptographicHash::hash(line, QCryptographicHash::Sha256).toHex();
}

bool writeAll(int fd, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
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

// Why the name may not be replaced, or empty: a link there may point anywhere, and
// another user's file there was put by someone else.
QString whyNotReplace(const QByteArray &target)
{
    struct stat st
    {
    };
    if (::lstat(target.constData(), &st) != 0)
        return QString();
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("Στη θέση του αρχείου ανάκτησης «%1» υπάρχει συμβολικός σύνδεσμος.")
            .arg(QFile::decodeName(target));
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
        return QStringLiteral("Στη θέση του αρχείου ανάκτησης «%1» υπάρχει αρχείο άλλου χρήστη.")
            .arg(QFile::decodeName(target));
    return QString();
}

} // namespace

QString recoveryFilePath(const QString &cardPath, const QString &folder)
{
    const QFileInfo card(cardPath);
    const QByteArray digest =
        QCryptographicHash::hash(card.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(folder).absoluteFilePath(card.fileName() + QLatin1Char('.') + QString::fromLatin1(digest) +
                                         QStringLiteral(".typed"));
}

Result<void> writeRecoveryFile(const QString &path, const QString &cardPath, const TypedCard &card)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return failed(errno);
    const QByteArray target = QFile::encodeName(path);
    if (const QString why = whyNotReplace(target); !why.isEmpty())
        return failure(why, EEXIST);
    // mkostemp creates the name exclusively (O_CREAT|O_EXCL), readable by the user alone:
    // the typing is nobody else's business.
    QByteArray temporary = target + ".XXXXXX";
    const FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd)
        return failed(errno);
    const bool written = writeAll(fd.get(), contents(cardPath, card)) && ::fsync(fd.get()) == 0 &&
                         ::rename(temporary.constData(), target.constData()) == 0;
    if (!written) {
        const int error = errno;
        ::unlink(temporary.constData());
        return failed(error);
    }
    // The rename is in the folder: without this a power cut could leave no file at all.
    const FileDescriptor folderFd(
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folderFd || (::fsync(folderFd.get()) != 0 && errno != EINVAL))
        return failed(errno);
    return {};
}

std::optional<TypedCard> readRecoveryFile(const QString &path, const QString &cardPath)
{
    const auto opened = openRegularFile(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW);
    if (!opened)
        return std::nullopt;
    struct stat st
    {
    };
    if (::fstat(opened->get(), &st) != 0 || st.st_uid != ::geteuid() || st.st_size > MostBytes)
        return std::nullopt;
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t got = ::read(opened->get(), bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return std::nullopt;
        done += got;
    }
    const QList<QByteArray> lines = bytes.split('\n');
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
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return failed(errno);
    return {};
}

} // namespace velmora
