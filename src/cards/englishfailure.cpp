#include "englishfailure.h"

#include "cardfile.h"

#include <cerrno>
#include <cstring>

namespace velmora::cards {

namespace {

QString kindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Fifo:
        return QStringLiteral("a FIFO");
    case FileKind::Socket:
        return QStringLiteral("a socket");
    case FileKind::CharDevice:
        return QStringLiteral("a character device");
    case FileKind::BlockDevice:
        return QStringLiteral("a block device");
    case FileKind::Link:
        return QStringLiteral("a symbolic link");
    default:
        return QStringLiteral("something else");
    }
}

QString reason(const Failure &f)
{
    switch (f.fault) {
    case Fault::System:
        if (f.error == ENOENT)
            return QStringLiteral("no such file");
        if (f.error == EISDIR)
            return QStringLiteral("is a folder, not a card file");
        return QString::fromLocal8Bit(std::strerror(f.error));
    case Fault::NotRegular:
        return QStringLiteral("not a regular file but %1").arg(kindName(f.kind));
    case Fault::Link:
        return QStringLiteral("a symbolic link stands there; not written through");
    case Fault::NotOwn:
        return QStringLiteral("belongs to another user; not written");
    case Fault::SharedFolder:
        return f.kind == FileKind::Link
                   ? QStringLiteral(
                         "a link of another user in a folder others can write; not written through")
                   : QStringLiteral("a file of another user in a folder others can write; not replaced");
    case Fault::OthersCanWrite:
        return QStringLiteral("a folder other users can write into");
    case Fault::TooManyLinks:
        return QStringLiteral("has another name too (a hard link); not written");
    case Fault::Removed:
        return QStringLiteral("was removed or moved while it was open");
    case Fault::Replaced:
        return QStringLiteral("another file took its place while it was open");
    case Fault::TooLong:
        return QStringLiteral("%1 bytes, longer than the %2 bytes the program accepts")
            .arg(f.length)
            .arg(MaxFileLength);
    case Fault::ReadOnly:
        return QString::fromLocal8Bit(std::strerror(f.error != 0 ? f.error : EBADF));
    case Fault::Locked:
        return QStringLiteral("is being edited in Velmora; nothing is written while an editor has it");
    case Fault::CannotLock:
        return QStringLiteral("the file system cannot lock it");
    case Fault::IsInput:
        return QStringLiteral("is the file being read; write to another file");
    case Fault::Changed:
        return QStringLiteral("the file changed while it was read");
    }
    return QString::fromLocal8Bit(std::strerror(f.error));
}

} // namespace

QString englishText(const velmora::Failure &failure)
{
    return failure.path.isEmpty() ? reason(failure) : failure.path + QStringLiteral(": ") + reason(failure);
}

} // namespace velmora::cards
