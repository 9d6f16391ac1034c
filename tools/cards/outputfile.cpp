#include "outputfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

namespace velmora::cards {

OutputFile::OutputFile() = default;

// An uncommitted QSaveFile removes its temporary file when it goes.
OutputFile::~OutputFile() = default;

bool OutputFile::open(const QString &path, QString *error)
{
    m_path = path;
    m_failed = false;
    bool opened = false;
    if (isStandardOutput()) {
        auto file = std::make_unique<QFile>();
        opened = file->open(stdout, QIODevice::WriteOnly);
        m_file = std::move(file);
    } else if (const QFileInfo info(path); info.exists() && !info.isFile() && !info.isDir()) {
        auto file = std::make_unique<QFile>(path);
        opened = file->open(QIODevice::WriteOnly);
        m_file = std::move(file);
    } else {
        auto file = std::make_unique<QSaveFile>(path);
        opened = file->open(QIODevice::WriteOnly);
        m_file = std::move(file);
    }
    if (!opened) {
        *error = QStringLiteral("%1: %2").arg(path, m_file->errorString());
        m_file.reset();
    }
    return opened;
}

void OutputFile::write(QByteArrayView bytes)
{
    if (m_failed || !m_file)
        return;
    if (m_file->write(bytes.data(), bytes.size()) != bytes.size())
        m_failed = true;
}

bool OutputFile::commit(QString *error)
{
    if (!m_file)
        return false;
    bool ok = !m_failed;
    if (auto *save = dynamic_cast<QSaveFile *>(m_file.get())) {
        if (ok)
            ok = save->commit();
        else
            save->cancelWriting();
    } else if (ok) {
        ok = m_file->flush();
    }
    if (!ok)
        *error = QStringLiteral("%1: %2").arg(m_path, m_file->errorString());
    m_file.reset();
    return ok;
}

} // namespace velmora::cards
