#pragma once
// A process that talks to servers must not die of one: a write to a socket
// or pipe whose other end has gone fails with EPIPE instead of raising
// SIGPIPE, whose default action ends the process.

namespace orvik {

// For the rest of the process, in every thread; at start-up, before any thread.
void IgnoreBrokenPipes();

}  // namespace orvik
