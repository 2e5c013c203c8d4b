#include "platform/BrokenPipes.h"

#include <csignal>

namespace orvik {

void IgnoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace orvik
