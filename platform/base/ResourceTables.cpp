#include "platform/base/ResourceTables.h"

namespace {
ResourceFinder& Finder()
{
    static ResourceFinder finder;
    return finder;
}
} // namespace

void AfxSetResourceFinder(const ResourceFinder& finder) { Finder() = finder; }

const ResourceFinder& AfxGetResourceFinder() { return Finder(); }
