// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "englishfailure.h"

#include "cardfile.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstring>

namespace velmora::cards {

namespace {

QString kindName(FileKind kind)
{
    switch (kind) {
    case FileKind::Fifo:
        return QCoreApplication::translate("Failure", "a FIFO");
    case FileKind::Socket:
        return QCoreApplication::translate("Failure", "a socket");
    case FileKind::CharDevice:
        return QCoreApplication::translate("Failure", "a character device");
    case FileKind::BlockDevice:
        return QCoreApplication::translate("Failure", "a block device");
    case FileKind::Link:
        return QCoreApplication::translate("Failure", "a symbolic link");
    default:
        return QCoreApplication::translate("Failure", "something else");
    }
}

QString reason(const Failure &f)
{
    switch (f.fault) {
    case Fault::System:
        if (f.error == ENOENT)
            return QCoreApplication::translate("Failure", "no such file");
        if (f.error == EISDIR)
            return QCoreApplication::translate("Failure", "is a folder, not a card file");
        return QString::fromLocal8Bit(std::strerror(f.error));
    case Fault::NotRegular:
        return QCoreApplication::translate("Failure", "not a regular file but %1").arg(kindName(f.kind));
    case Fault::Link:
        return QCoreApplication::translate("Failure", "a symbolic link stands there; not written through");
    case Fault::NotOwn:
        return QCoreApplication::translate("Failure", "belongs to another user; not written");
    case Fault::SharedFolder:
        return f.kind == FileKind::Link
                   ? QCoreApplication::translate(
                         "Failure",
                         "a link of another user in a folder others can write; not written through")
                   : QCoreApplication::translate(
                         "Failure", "a file of another user in a folder others can write; not replaced");
    case Fault::OthersCanWrite:
        return QCoreApplication::translate("Failure", "a folder other users can write into");
    case Fault::TooManyLinks:
        return QCoreApplication::translate("Failure", "has another name too (a hard link); not written");
    case Fault::Removed:
        return QCoreApplication::translate("Failure", "was removed or moved while it was open");
    case Fault::Replaced:
        return QCoreApplication::translate("Failure", "another file took its place while it was open");
    case Fault::TooLong:
        return QCoreApplication::translate("Failure",
                                           "%1 bytes, longer than the %2 bytes the program accepts")
            .arg(f.length)
            .arg(MaxFileLength);
    case Fault::ReadOnly:
        return QString::fromLocal8Bit(std::strerror(f.error != 0 ? f.error : EBADF));
    case Fault::Locked:
        return QCoreApplication::translate(
            "Failure", "is being edited in Velmora; nothing is written while an editor has it");
    case Fault::CannotLock:
        return QCoreApplication::translate("Failure", "the file system cannot lock it");
    case Fault::IsInput:
        return QCoreApplication::translate("Failure", "is the file being read; write to another file");
    case Fault::Changed:
        return QCoreApplication::translate("Failure", "the file changed while it was read");
    case Fault::StandardStream:
        return QCoreApplication::translate(
            "Failure", "the standard input, output or error is closed; no file is opened in its place");
    }
    return QString::fromLocal8Bit(std::strerror(f.error));
}

} // namespace

QString englishText(const velmora::Failure &failure)
{
    return failure.path.isEmpty() ? reason(failure) : failure.path + QStringLiteral(": ") + reason(failure);
}

} // namespace velmora::cards
