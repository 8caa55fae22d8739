#pragma once

namespace mc {

// The busy window shown while a whole table reloads; the application installs the real one.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void showBusy() = 0;
    virtual void hideBusy() = 0;

    static BusyIndicator &current();
    static void setCurrent(BusyIndicator *indicator); // not owned; nullptr restores the silent one
};

// Shows the busy window for as long as it lives.
class BusyScope final {
public:
    BusyScope() { BusyIndicator::current().showBusy(); }
    ~BusyScope() { BusyIndicator::current().hideBusy(); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;
};

} // namespace mc
