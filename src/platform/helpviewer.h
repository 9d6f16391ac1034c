#pragma once

#include <QString>

namespace velmora {

class HelpViewer
{
public:
    virtual ~HelpViewer() = default;
    // Opens a help file by its bare name at its contents page, without waiting.
    virtual void showContents(const QString &fileName) = 0;
};

} // namespace velmora
