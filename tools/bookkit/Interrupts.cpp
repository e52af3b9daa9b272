// The interrupt flag, set by the signal handler and read between steps.
#include "tools/bookkit/Interrupts.h"

#include <csignal>
#include <initializer_list>

namespace bookkit {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void onInterrupt(int) {
    gInterrupted = 1;
}

}  // namespace

void catchInterrupts() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

bool interrupted() {
    return gInterrupted != 0;
}

}  // namespace bookkit
