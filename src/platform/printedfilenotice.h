#pragma once

#include <QString>

namespace velmora {

// Tells the user where a printed document went when it became a file rather than paper.
class PrintedFileNotice
{
public:
    virtual void printedTo(const QString &file) = 0;

protected:
    virtual ~PrintedFileNotice() = default;
};

} // namespace velmora
