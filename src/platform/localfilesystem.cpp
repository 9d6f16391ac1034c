#include "localfilesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velmora {

bool LocalFileSystem::exists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool LocalFileSystem::createFolder(const QString &path)
{
    // "C:\Program Files" stands for the user's data folder, whose parents a fresh account
    // may not have yet (~/.local): the folder is made with them.
    return QDir().mkpath(path);
}

bool LocalFileSystem::removeFile(const QString &path)
{
    return QFile::remove(path) || !QFileInfo::exists(path);
}

bool LocalFileSystem::createEmpty(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool LocalFileSystem::appendLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray all;
    for (const QByteArray &line : lines)
        all += line + "\r\n";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool written = f.write(all) == all.size();
    return f.flush() && written && f.error() == QFileDevice::NoError;
}

} // namespace velmora
