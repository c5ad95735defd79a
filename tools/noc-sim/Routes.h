#pragma once
// The simulator's HTTP routes. Every request is recorded in the log before it is answered.
#include "RequestLog.h"
#include "SimData.h"

#include <atomic>

namespace httplib {
class Server;
}

namespace nocsim {

struct World {
    SimData data;
    RequestLog log;
    std::atomic<int> nextMessageId{100001};
    explicit World(QString logFile) : log(std::move(logFile)) {}
};

// Registers every route of the simulated services on the server.
void installRoutes(httplib::Server& server, World& world);

} // namespace nocsim
