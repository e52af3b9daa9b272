// An interrupt (SIGINT, SIGTERM, SIGHUP) as a flag the book tools look at between steps, so that
// they stop where they can leave nothing half-written behind.
#pragma once

namespace bookkit {

// From now on those signals set the flag instead of ending the program.
void catchInterrupts();
bool interrupted();

}  // namespace bookkit
