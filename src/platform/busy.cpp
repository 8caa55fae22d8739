#include "platform/busy.h"

namespace mc {
namespace {

class SilentBusy final : public BusyIndicator {
public:
    void showBusy() override {}
    void hideBusy() override {}
};

BusyIndicator *g_busy = nullptr;

} // namespace

BusyIndicator &BusyIndicator::current()
{
    static SilentBusy silent;
    return g_busy ? *g_busy : silent;
}

void BusyIndicator::setCurrent(BusyIndicator *indicator)
{
    g_busy = indicator;
}

} // namespace mc
