// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "recoveryfile.h"

#include <QObject>

#include <array>
#include <optional>

class QTimer;

namespace velmora {

class CardFile;

// The card typed and not yet filed, kept in the recovery file of its card file so that a
// kill, a logout or a power cut does not take the typing with it: written a moment after the
// last keystroke and at once when the program ends, removed when the card is filed or its
// changes dropped, left for the next start when its filing was refused, and offered back at
// the start of the editing. One for an editing session, across the window's reloads. It
// knows no window: the card window tells it what it shows and what is typed, and asks the
// keeper what is to be asked.
class TypingKeeper : public QObject
{
    Q_OBJECT

public:
    // Typing an earlier run kept, to be offered back.
    struct Offer
    {
        qint32 number = 0;
        bool cardChanged = false; // since the typing: only the typed fields go back, over it
        std::array<QString, FieldCount> fields;
    };

    // `cardPath`: the card file as the program was given it; `dataFolder`: where its
    // recovery file goes; `cardFile`: the card file the editing session holds.
    TypingKeeper(const QString &cardPath, const QString &dataFolder, FileIdentity cardFile);
    ~TypingKeeper() override;

    const QString &path() const { return m_path; }

    // Card `number` is on the screen, its fields `shown`; `stored`: the card as the file
    // stores it, nothing for a card the file does not hold (the empty card of an empty file).
    void cardShown(qint32 number, const std::optional<CardRecord> &stored,
                   const std::array<QString, FieldCount> &shown);
    // The fields as they read after a change: kept a moment after the last one.
    void typed(const std::array<QString, FieldCount> &fields);
    // What is typed is the card `stored` in the file now: nothing of it is kept any longer.
    void filed(const CardRecord &stored);
    void filingRefused();
    // The keeper dropped the changes: the typing goes, unless its filing was refused. True
    // when it was kept for the next start instead (the keeper is then to be told where).
    bool dropped();
    // The program ends without asking: the typing is kept now, and an offer still being
    // asked decides nothing.
    void programEnding();

    // What an earlier run kept, to be asked about on `file`, of `cardCount` cards; nothing
    // when there is nothing to ask. Typing the card holds already is removed; typing on
    // another card file, or on a card past the end, is left to be read by hand. A Failure
    // when the card cannot be read.
    Result<std::optional<Offer>> offer(const CardFile &file, qint32 cardCount);
    // The answer to the offer. True when the typing is to go back on the screen; refused,
    // it goes.
    bool offerAnswered(bool putBack);

signals:
    void kept();
    void notKept(const Failure &why);

private:
    bool keep(); // true when the recovery file holds the typing now
    void forget();
    TypingBase base() const;

    QString m_cardPath;
    QString m_path;
    FileIdentity m_cardFile;
    QTimer *m_timer;
    TypedCard m_typing;                      // the card on the screen, as it reads
    std::array<QString, FieldCount> m_shown; // its fields as shown, before any typing
    std::optional<CardRecord> m_stored;      // what the typing is typed over
    bool m_kept = false;                     // the recovery file holds this run's typing
    bool m_refused = false;                  // the last filing of the card shown was refused
    bool m_ending = false;
};

} // namespace velmora
