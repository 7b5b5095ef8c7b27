#include "stage/stage_server.h"

#include <httplib.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "resources/embedded.h"
#include "stage/stage_commands.h"
#include "stage/stage_request.h"
#include "stage/stage_state.h"
#include "stage/stage_tokens.h"
#include "stage/stage_view.h"

static_assert(StageMaxLine == CPPHTTPLIB_HEADER_MAX_LENGTH && StageMaxLine == CPPHTTPLIB_REQUEST_URI_MAX_LENGTH);

namespace {

using namespace std::chrono_literals;
constexpr auto HeartbeatInterval = 15s;
constexpr int TimeoutSeconds = 5;
// The library's own headers that every request carries besides the client's.
constexpr std::size_t AddedHeaders = 4;

// A connection that finds every place taken is answered on the accepting
// thread itself, marked by this flag.
thread_local bool refusing = false;

// The library serves each connection as one task: a pool that grows to one
// thread per connection up to the limit, and past it refuses instead of queuing.
class ConnectionPool : public httplib::TaskQueue {
public:
    void enqueue(std::function<void()> task) override {
        std::unique_lock<std::mutex> hold(lock_);
        if (busy_ + tasks_.size() >= static_cast<std::size_t>(StageMaxConnections)) {
            hold.unlock();
            refusing = true;
            task();
            refusing = false;
            return;
        }
        tasks_.push_back(std::move(task));
        if (idle_ < tasks_.size()) {
            ++idle_;
            threads_.emplace_back([this] { Work(); });
        }
        hold.unlock();
        ready_.notify_one();
    }

    void shutdown() override {
        {
            const std::lock_guard<std::mutex> hold(lock_);
            ending_ = true;
        }
        ready_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

private:
    void Work() {
        std::unique_lock<std::mutex> hold(lock_);
        for (;;) {
            ready_.wait(hold, [this] { return ending_ || !tasks_.empty(); });
            if (tasks_.empty()) return;
            std::function<void()> task = std::move(tasks_.front());
            tasks_.pop_front();
            --idle_;
            ++busy_;
            hold.unlock();
            task();
            hold.lock();
            --busy_;
            ++idle_;
        }
    }

    std::mutex lock_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
    std::vector<std::thread> threads_;
    std::size_t idle_ = 0, busy_ = 0;
    bool ending_ = false;
};

struct Instance {
    httplib::Server server;
    StageServerConfig config;
    std::atomic<bool> stopping{false};
    std::thread listener;
    int port = 0;
};

std::shared_ptr<Instance> running;
StageServerStatus status = StageServerStatus::Off;

std::mutex endedLock;
std::condition_variable endedChanged;
int ending = 0;  // stopped servers whose threads still run

// Another program holding the port is an error here, not a port to share.
void ExclusiveAddress(socket_t sock) {
    int yes = 1;
#ifdef _WIN32
    setsockopt(sock, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<char*>(&yes), sizeof yes);
#else
    setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
#endif
}

bool ViewAllowed(const Instance& in, const std::string& token) {
    return TokenMatches(token, in.config.viewToken) || TokenMatches(token, in.config.controlToken);
}

// Every answer keeps the token out of other sites' hands and out of caches.
void CommonHeaders(httplib::Response& res) {
    res.set_header("Cache-Control", "no-store");
    res.set_header("Referrer-Policy", "no-referrer");
    res.set_header("X-Content-Type-Options", "nosniff");
}

httplib::Server::HandlerResponse Screen(Instance& in, const httplib::Request& req, httplib::Response& res) {
    CommonHeaders(res);
    if (refusing) {
        res.status = 503;
        res.set_header("Retry-After", "5");
        return httplib::Server::HandlerResponse::Handled;
    }
    if (req.headers.size() > StageMaxHeaders + AddedHeaders) {
        res.status = 431;
        return httplib::Server::HandlerResponse::Handled;
    }
    const std::string token = QueryToken(req.target);
    const bool allowed = req.path == "/control" ? TokenMatches(token, in.config.controlToken) : ViewAllowed(in, token);
    if (!allowed) {
        res.status = 403;
        return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

void ServePage(const httplib::Request&, httplib::Response& res) {
    const auto page = FindEmbeddedResource("resources/stage/page.html");
    res.set_header("Content-Security-Policy",
                   "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; connect-src 'self'");
    res.set_content(std::string(page.begin(), page.end()), "text/html; charset=utf-8");
}

void ServeState(const Instance& in, const httplib::Request& req, httplib::Response& res) {
    if (TokenMatches(QueryToken(req.target), in.config.controlToken)) res.set_header("X-Stage-Control", "1");
    res.set_content(CurrentStageState().json, "application/json");
}

// One state at once, then one at every change of what is shown, and a
// comment line when nothing changed for a while so that both ends notice a
// dead connection.
void ServeEvents(const std::shared_ptr<Instance>& in, httplib::Response& res) {
    res.set_chunked_content_provider(
        "text/event-stream", [in, seen = std::uint64_t{0}, first = true](std::size_t, httplib::DataSink& sink) mutable {
            // A new stream starts with the latest state only.
            if (first) seen = std::max<std::uint64_t>(CurrentStageState().version, 1) - 1;
            const std::vector<PublishedStageState> changes = WaitForStageChanges(seen, HeartbeatInterval, in->stopping);
            if (in->stopping) {
                sink.done();
                return true;
            }
            std::string chunk = first ? "retry: 1000\n\n" : "";
            first = false;
            for (const PublishedStageState& state : changes) chunk += "data: " + state.json + "\n\n";
            if (changes.empty())
                chunk += "event: beat\ndata: 1\n\n";
            else
                seen = changes.back().version;
            return sink.write(chunk.data(), chunk.size());
        });
}

void ServeControl(const httplib::Request& req, httplib::Response& res) {
    const std::optional<CopyRequest> request = ParseStageCommand(req.body);
    if (!request) {
        res.status = 400;
        return;
    }
    QueueStageCommand(*request);
    res.set_content("ok\n", "text/plain");
}

void Configure(const std::shared_ptr<Instance>& in) {
    httplib::Server& s = in->server;
    s.new_task_queue = [] { return new ConnectionPool; };
    s.set_socket_options(ExclusiveAddress);
    s.set_keep_alive_max_count(1);
    s.set_read_timeout(TimeoutSeconds, 0);
    s.set_write_timeout(TimeoutSeconds, 0);
    s.set_payload_max_length(StageMaxBody);
#ifdef _WIN32
    // The accepting thread waits in select() for this long at a time; a
    // shorter wait would wake an idle program for nothing.
    s.set_idle_interval(TimeoutSeconds, 0);
#endif
    Instance* raw = in.get();
    s.set_pre_routing_handler([raw](const httplib::Request& req, httplib::Response& res) {
        return Screen(*raw, req, res);
    });
    s.Get("/", ServePage);
    s.Get("/state", [raw](const httplib::Request& req, httplib::Response& res) { ServeState(*raw, req, res); });
    s.Get("/events", [weak = std::weak_ptr<Instance>(in)](const httplib::Request&, httplib::Response& res) {
        if (const auto in = weak.lock()) ServeEvents(in, res);
    });
    s.Post("/control", ServeControl);
}

}  // namespace

StageServerStatus StartStageServer(const StageServerConfig& config) {
    StopStageServer();
    auto in = std::make_shared<Instance>();
    in->config = config;
    Configure(in);
    const char* host = config.lan ? "0.0.0.0" : "127.0.0.1";
    if (config.port == 0) {
        in->port = in->server.bind_to_any_port(host);
    } else if (in->server.bind_to_port(host, config.port)) {
        in->port = config.port;
    }
    if (in->port <= 0) {
        status = StageServerStatus::PortInUse;
        return status;
    }
    in->listener = std::thread([raw = in.get()] { raw->server.listen_after_bind(); });
    // Until the accepting loop runs, stop() would not reach it.
    while (!in->server.is_running()) std::this_thread::yield();
    running = std::move(in);
    status = StageServerStatus::Running;
    return status;
}

void StopStageServer() {
    status = StageServerStatus::Off;
    std::shared_ptr<Instance> in = std::move(running);
    running.reset();
    if (!in) return;
    in->stopping = true;
    in->server.stop();
    WakeStageWaiters();
    {
        const std::lock_guard<std::mutex> hold(endedLock);
        ++ending;
    }
    // A slow client can hold its thread until the write times out: the
    // threads are joined on a thread of their own, never by the caller.
    std::thread([in] {
        in->listener.join();
        {
            const std::lock_guard<std::mutex> hold(endedLock);
            --ending;
        }
        endedChanged.notify_all();
    }).detach();
}

void WaitForStageServersEnded() {
    std::unique_lock<std::mutex> hold(endedLock);
    endedChanged.wait(hold, [] { return ending == 0; });
}

StageServerStatus CurrentStageServerStatus() { return status; }

int StageServerPort() { return running ? running->port : 0; }

std::string LocalNetworkAddress() {
    httplib::detail::start_winsock();  // the address may be asked for before the server first starts
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) return "127.0.0.1";
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name, nullptr, &hints, &found) != 0) return "127.0.0.1";
    std::string address = "127.0.0.1";
    for (const addrinfo* a = found; a; a = a->ai_next) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ai_addr);
        const auto bytes = reinterpret_cast<const unsigned char*>(&in->sin_addr);
        if (bytes[0] == 127) continue;
        address = std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
                  std::to_string(bytes[3]);
        break;
    }
    freeaddrinfo(found);
    return address;
}
