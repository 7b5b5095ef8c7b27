#pragma once
// Plain HTTP over the loopback interface for the stage-view cases: requests
// to the program's server, and to the headless browser of the run
// (tests/e2e/browser_agent.py, its port in HORAVEL_BROWSER_PORT).
#include <string>

namespace e2e {

struct HttpAnswer {
    int status = 0;  // 0: no answer
    std::string body;
};
// Sends the request (a method, a path, a body) and reads the answer to its end.
HttpAnswer Http(int port, const std::string& method, const std::string& path, const std::string& body = "");

// An open request that goes on answering: an event stream.
class HttpStream {
public:
    HttpStream(int port, const std::string& path);
    ~HttpStream();
    HttpStream(const HttpStream&) = delete;
    HttpStream& operator=(const HttpStream&) = delete;
    // Reads what came; false when the stream ended or nothing came for timeoutMs.
    bool Read(int timeoutMs);
    const std::string& received() const { return received_; }

private:
    unsigned long long socket_;
    std::string received_;
};

// What the browser answers: "ok", or the value of an expression as JSON.
std::string Browser(const std::string& command, const std::string& argumentName, const std::string& argument);

}  // namespace e2e
