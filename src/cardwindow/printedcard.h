// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QtGlobal>

namespace velmora {

class CardRecord;
class PrintDocument;

// The six lines that stand for one card on the printed card list: a rule, the ISBN with
// the card number at column 62, author & other name, title, publishing data & pages, a
// rule. Fields are printed at their full width, so every separator keeps its column.
void printCardBlock(PrintDocument &document, const CardRecord &card, qint32 cardNumber);

} // namespace velmora
