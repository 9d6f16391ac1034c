#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace velmora {

class Clock;

// What the card window shows while a filing waits on a long copy of the whole card file
// (the backup before a session's first write, over a large file or a slow medium). Until
// half a second has gone nothing is shown, so that an ordinary filing does not flicker;
// after it, the busy cursor and a window naming the card being filed, kept up to date.
// From then until the filing is over no key, click or close reaches any window: a key
// typed into the wait would otherwise act on the card, or start a second filing, as soon
// as the first one returns.
class FilingProgress : public QObject
{
public:
    FilingProgress(Clock &clock, QWidget *window, qint32 cardNumber);
    ~FilingProgress() override;

    // Bytes copied so far, of `total`: what the backup tells after each block.
    void report(qint64 done, qint64 total);
    bool isShown() const { return m_dialog != nullptr; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Clock &m_clock;
    QWidget *m_window;
    qint32 m_cardNumber;
    qint64 m_start;
    std::unique_ptr<QProgressDialog> m_dialog;
};

} // namespace velmora
