// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringList>
#include <QStringView>

namespace velmora {

// The characters of `text`, in its composed form (NFC), that Windows-1253 cannot hold and
// that a card therefore stores as one "?" each (CardRecord::setField), each named once, in
// the order they first appear: what the window names when it asks whether to file the
// card anyway. A character beyond U+FFFF (a surrogate pair) is one entry of two code
// units; an unpaired surrogate is an entry of its own.
QStringList unstorableCharacters(QStringView text);

} // namespace velmora
