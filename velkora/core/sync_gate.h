// Keeps synchronisations from nesting: one that is asked for while another
// runs (a timer tick inside the failure box's wait) waits for it to end.
#pragma once

namespace velkora {

class SyncGate {
public:
    using Routine = void (*)();
    bool Busy() const { return busy_; }
    void Begin() { busy_ = true; }
    // Remembers one routine to run after the running synchronisation.
    void Defer(Routine r) {
        if (!waiting_) waiting_ = r;
    }
    // Ends the run; returns the routine that waited for it, if any.
    Routine End() {
        busy_ = false;
        Routine r = waiting_;
        waiting_ = nullptr;
        return r;
    }
private:
    bool busy_ = false;
    Routine waiting_ = nullptr;
};

}  // namespace velkora
