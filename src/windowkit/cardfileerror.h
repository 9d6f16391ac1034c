// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <stdexcept>
#include <type_traits>

namespace velmora {

// A failure of the card file that no window handles: the program reports it and ends.
// Thrown only by the windows, at their edge (orEnd()), and caught by runGuarded() or the
// start-up; the layers below return every failure as a Result.
class CardFileError : public std::runtime_error
{
public:
    explicit CardFileError(Failure failure);
    const Failure &failure() const { return m_failure; }

private:
    Failure m_failure;
};

// The value of a card file call in a window, or the end of the program when it failed.
template<typename T> T orEnd(Result<T> result)
{
    if (!result)
        throw CardFileError(std::move(result.error()));
    if constexpr (!std::is_void_v<T>)
        return std::move(*result);
}

} // namespace velmora
