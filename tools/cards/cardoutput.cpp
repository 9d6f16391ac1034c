#include "cardoutput.h"

#include "cardfile.h"

#include <QSaveFile>

namespace velmora::cards {

bool writeCardFile(const QString &path, const QList<CardRecord> &cards, QString *error, int lastCardBytes)
{
    if (qint64(cards.size()) * RecordLength > MaxFileLength) {
        *error =
            QStringLiteral("%1 cards make a file longer than %2 bytes").arg(cards.size()).arg(MaxFileLength);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    for (qsizetype i = 0; i < cards.size(); ++i) {
        const qint64 bytes = i + 1 == cards.size() ? qBound(0, lastCardBytes, RecordLength) : RecordLength;
        if (file.write(cards[i].bytes().data(), bytes) != bytes)
            break;
    }
    if (file.error() != QFileDevice::NoError || !file.commit()) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace velmora::cards
