#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QFileDevice;

namespace velmora::cards {

// A file a command makes. A regular file is written through a temporary file renamed into
// place once everything is written, so that a failure leaves an earlier file as it was;
// "-" is standard output, and a device or pipe (/dev/full, a FIFO) is written directly,
// since it cannot be replaced.
class OutputFile
{
public:
    OutputFile();
    ~OutputFile();

    bool open(const QString &path, QString *error);
    bool isStandardOutput() const { return m_path == QLatin1String("-"); }
    // Failures are kept and reported by commit().
    void write(QByteArrayView bytes);
    // Nothing is left behind when it returns false.
    bool commit(QString *error);

private:
    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    bool m_failed = false;
};

} // namespace velmora::cards
