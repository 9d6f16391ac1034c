// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the card window tests share: a card window over a card file of the test's own.

#include "cardeditsession.h"
#include "fakes.h"
#include "frmtervani.h"

#include <QList>
#include <QString>

#include <memory>
#include <optional>

namespace velmora::test {

// Cards 1 to n, each field naming its card, so a line of print or a field on screen tells
// which card it came from.
inline QList<CardRecord> numberedCards(int n)
{
    QList<CardRecord> cards;
    for (int i = 1; i <= n; ++i) {
        const QString k = QString::number(i);
        cards << card(QStringLiteral("960-") + k, QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ ") + k,
                      QStringLiteral("ΤΙΤΛΟΣ ") + k, QStringLiteral("ΑΛΛΟΣ ") + k,
                      QStringLiteral("ΑΘΗΝΑ ") + k, QStringLiteral("Σ. ") + k);
    }
    return cards;
}

inline QByteArray bytesOf(const QList<CardRecord> &cards)
{
    QByteArray bytes;
    for (const CardRecord &c : cards)
        bytes.append(c.bytes().data(), RecordLength);
    return bytes;
}

// A window loaded as the program loads it: created, then its load step run.
struct LoadedWindow
{
    std::unique_ptr<TestPlatform> platform = std::make_unique<TestPlatform>();
    CardWindowSession session;
    std::optional<CardEditSession> editing;
    std::unique_ptr<frmTervani> window;

    // Loaded as `velmora --edit` loads it, with an editing session on the card file.
    frmTervani &loadForEditing(const QList<CardRecord> &cards)
    {
        platform->writeCards(cards);
        editing.emplace(platform->paths.dataFolder());
        (void)editing->begin(platform->cardFile());
        session.editing = &*editing;
        return load();
    }
    frmTervani &load()
    {
        window = std::make_unique<frmTervani>(platform->platform(), platform->forms, session);
        window->Form_Load();
        return *window;
    }
    frmTervani &load(const QList<CardRecord> &cards)
    {
        platform->writeCards(cards);
        return load();
    }
    void showCard(qint32 n)
    {
        window->CurrentCard = n;
        window->ShowCR();
    }
};

} // namespace velmora::test
