#pragma once

#include <QString>

namespace velmora {

class HelpViewer
{
public:
    // Opens a help file by its bare name at its contents page, without waiting.
    virtual void showContents(const QString &fileName) = 0;

protected:
    virtual ~HelpViewer() = default;
};

} // namespace velmora
