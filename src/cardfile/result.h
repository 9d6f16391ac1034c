#pragma once

#include <QString>

#include <tl/expected.hpp>

namespace velmora {

// Why an expected failure happened: a reason the user reads, and the system's error number
// when the system gave one (0 otherwise), for the callers that must tell failures apart.
struct Failure
{
    QString reason;
    int error = 0;
};

// The one way the card file layer, the editing session and the card tool report what can
// go wrong in normal use (a lock held, a full disk, a file replaced): a value or a Failure.
// Exceptions are kept for programming faults and for the card file failures that end the
// program, and never leave a handler (see guardedHandler()).
template<typename T = void> using Result = tl::expected<T, Failure>;

inline tl::unexpected<Failure> failure(QString reason, int error = 0)
{
    return tl::unexpected<Failure>(Failure{std::move(reason), error});
}

} // namespace velmora
