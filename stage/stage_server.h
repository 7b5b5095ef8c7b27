#pragma once
// The stage view's small web server: the page, the state as JSON, a stream of
// states as server-sent events, and control requests. It runs on threads of
// its own and reads only what the refresh publishes (stage_state.h), so the
// user-interface thread never waits on the network.
#include <string>

struct StageServerConfig {
    bool lan = false;  // every interface, not only the loopback address
    int port = 8740;   // 0: any free port (tests)
    std::string viewToken;
    std::string controlToken;
};

enum class StageServerStatus { Off, Running, PortInUse };

// Limits against hostile clients.
constexpr int StageMaxConnections = 64;  // the 65th is answered 503 and closed
constexpr int StageMaxHeaders = 40;
constexpr int StageMaxLine = 2048;       // request line and each header line, in bytes
constexpr int StageMaxBody = 256;        // a control request's body, in bytes

// Stops a running server first. Binds at once; the answer says whether it listens.
StageServerStatus StartStageServer(const StageServerConfig& config);
// Returns at once: the listening socket is closed, the threads end by themselves.
void StopStageServer();
// Waits until every thread of every stopped server has ended.
void WaitForStageServersEnded();
StageServerStatus CurrentStageServerStatus();
// The port the running server listens on; 0 when none runs.
int StageServerPort();
