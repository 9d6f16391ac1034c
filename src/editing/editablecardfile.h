// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

namespace velmora {

// Opens the card file at `path` to edit it, the one opening of a card file for writing:
// walked one folder at a time as CardFile::open() walks it, for reading and writing, a
// missing file created empty. One that may be read but not written is opened for reading,
// and a write is then refused with CardFile::readOnlyReason().
[[nodiscard]] Result<void> openToEdit(CardFile &file, const QString &path);

} // namespace velmora
