#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmora {

// Text files and folders, as the exploration window uses them. Every operation reports
// whether it succeeded; the callers decide what a failure means.
class FileSystem
{
public:
    virtual bool exists(const QString &path) = 0; // a file or a folder
    virtual bool createFolder(const QString &path) = 0;
    virtual bool removeFile(const QString &path) = 0;  // a missing file is no error
    virtual bool createEmpty(const QString &path) = 0; // an existing file is emptied
    // Appends each line followed by CR LF. The lines are already in the file's encoding.
    virtual bool appendLines(const QString &path, const QList<QByteArray> &lines) = 0;

protected:
    ~FileSystem() = default;
};

} // namespace velmora
