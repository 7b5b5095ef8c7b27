// The stage view's server on the loopback interface: who may see and control
// the timer, what the routes answer, and the limits against hostile clients.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/timer_engine.h"
#include "stage/stage_commands.h"
#include "stage/stage_server.h"
#include "stage/stage_state.h"
#include "tests/support/fake_main_window.h"
#include "tests/support/fake_platform.h"
#include "tests/support/loopback_holder.h"

namespace {

using namespace std::chrono_literals;

const std::string View = "0123456789abcdef0123456789abcdef";
const std::string Control = "fedcba9876543210fedcba9876543210";

// A socket of its own, to send exactly the bytes a test wants.
class RawClient {
public:
    explicit RawClient(int port) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(static_cast<std::uint16_t>(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        timeval tv{10, 0};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawClient() { close(fd_); }
    bool Send(const std::string& bytes) {
        return connected_ && send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    }
    // Reads until the text appears, the peer closes or ten seconds pass.
    std::string ReadUntil(const std::string& text) {
        char buf[4096];
        while (received_.find(text) == std::string::npos) {
            const ssize_t n = recv(fd_, buf, sizeof buf, 0);
            if (n <= 0) break;
            received_.append(buf, static_cast<std::size_t>(n));
        }
        return received_;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
    std::string received_;
};

StageSnapshot Shown(const std::string& text) {
    StageSnapshot s;
    s.mode = "countdown";
    s.phase = "running";
    s.text = text;
    return s;
}

class StageServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::OpenReadoutWindow(300, 348);
        PublishStageState(Shown("05:00"), 1000);
        ASSERT_EQ(StartStageServer({false, 0, View, Control}), StageServerStatus::Running);
        port_ = StageServerPort();
        ASSERT_GT(port_, 0);
    }
    void TearDown() override {
        StopStageServer();
        WaitForStageServersEnded();
    }
    httplib::Client Client() {
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(10, 0);
        return c;
    }
    int port_ = 0;
};

TEST_F(StageServerTest, OnlyTheRightTokenOpensEachRoute) {
    struct Case {
        const char* method;
        const char* path;
        std::string token;
        int status;
    };
    const Case cases[] = {
        {"GET", "/", View, 200},        {"GET", "/", Control, 200},       {"GET", "/", "", 403},
        {"GET", "/", View + "0", 403},  {"GET", "/state", View, 200},     {"GET", "/state", "nope", 403},
        {"GET", "/state", Control, 200}, {"POST", "/control", Control, 200}, {"POST", "/control", View, 403},
        {"POST", "/control", "", 403},  {"GET", "/other", View, 404},     {"GET", "/other", "", 403},
        {"GET", "/control", Control, 404},
    };
    for (const Case& c : cases) {
        httplib::Client client = Client();
        const std::string path = std::string(c.path) + (c.token.empty() ? "" : "?token=" + c.token);
        const auto res = std::string(c.method) == "GET" ? client.Get(path) : client.Post(path, "toggle", "text/plain");
        ASSERT_TRUE(res) << path;
        EXPECT_EQ(res->status, c.status) << c.method << " " << path;
        // A refusal says nothing else.
        if (c.status == 403) {
            EXPECT_EQ(res->body, "") << path;
        }
    }
    // The accepted control requests queued their commands.
    RunStageCommands();
}

TEST_F(StageServerTest, ThePageAndTheStateAreServed) {
    httplib::Client client = Client();
    const auto page = client.Get("/?token=" + View);
    ASSERT_TRUE(page);
    EXPECT_EQ(page->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(page->body.find("EventSource"), std::string::npos);
    EXPECT_EQ(page->get_header_value("Referrer-Policy"), "no-referrer");

    PublishStageState(Shown("04:59"), 2000);
    const auto state = client.Get("/state?token=" + View);
    ASSERT_TRUE(state);
    EXPECT_EQ(state->get_header_value("Content-Type"), "application/json");
    EXPECT_NE(state->body.find("\"text\":\"04:59\""), std::string::npos) << state->body;
    EXPECT_EQ(state->get_header_value("X-Stage-Control"), "");
    const auto controlState = client.Get("/state?token=" + Control);
    ASSERT_TRUE(controlState);
    EXPECT_EQ(controlState->get_header_value("X-Stage-Control"), "1");
}

TEST_F(StageServerTest, TheEventStreamSendsTheStateAndEveryChange) {
    PublishStageState(Shown("03:00"), 3000);
    RawClient stream(port_);
    ASSERT_TRUE(stream.Send("GET /events?token=" + View + " HTTP/1.1\r\nHost: x\r\n\r\n"));
    EXPECT_NE(stream.ReadUntil("03:00").find("\"text\":\"03:00\""), std::string::npos);
    // The same look again is no news; a new text is.
    PublishStageState(Shown("03:00"), 3100);
    PublishStageState(Shown("02:59"), 4000);
    const std::string received = stream.ReadUntil("02:59");
    EXPECT_NE(received.find("\"text\":\"02:59\""), std::string::npos);
    EXPECT_EQ(received.find("\"tick\":3100"), std::string::npos);
    // Changes that come faster than the stream is written all arrive, in order.
    for (int i = 0; i < 20; ++i) PublishStageState(Shown("burst " + std::to_string(i)), 5000 + i);
    const std::string burst = stream.ReadUntil("burst 19");
    std::size_t at = 0;
    for (int i = 0; i < 20; ++i) {
        at = burst.find("\"text\":\"burst " + std::to_string(i) + "\"", at);
        ASSERT_NE(at, std::string::npos) << i;
    }
}

TEST_F(StageServerTest, AControlRequestRunsOnTheMainLoopAndWakesIt) {
    SetCountDown(300000);
    const int wakes = fake::wakeCount;
    httplib::Client client = Client();
    const auto bad = client.Post("/control?token=" + Control, "explode", "text/plain");
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);
    const auto res = client.Post("/control?token=" + Control, "add 1m", "text/plain");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(fake::wakeCount, wakes + 1);
    // Nothing changes until the main loop runs the queue.
    EXPECT_EQ(timerState.durationMs, 300000);
    RunStageCommands();
    EXPECT_EQ(timerState.durationMs, 360000);
}

TEST_F(StageServerTest, OversizedRequestsAreRefused) {
    struct Case {
        std::string request;
        const char* statusLine;
    };
    std::string manyHeaders = "GET /state?token=" + View + " HTTP/1.1\r\n";
    for (int i = 0; i <= StageMaxHeaders; ++i) manyHeaders += "X-" + std::to_string(i) + ": 1\r\n";
    const Case cases[] = {
        {"GET /state?token=" + View + "&x=" + std::string(StageMaxLine, 'a') + " HTTP/1.1\r\n\r\n",
         "HTTP/1.1 414"},
        {"GET /state?token=" + View + " HTTP/1.1\r\nX-Long: " + std::string(StageMaxLine, 'a') + "\r\n\r\n",
         "HTTP/1.1 400"},
        {manyHeaders + "\r\n", "HTTP/1.1 431"},
        {"POST /control?token=" + Control + " HTTP/1.1\r\nContent-Length: " + std::to_string(StageMaxBody + 1) +
             "\r\n\r\n" + std::string(StageMaxBody + 1, 'a'),
         "HTTP/1.1 413"},
    };
    for (const Case& c : cases) {
        RawClient raw(port_);
        ASSERT_TRUE(raw.Send(c.request));
        EXPECT_EQ(raw.ReadUntil("\r\n").substr(0, 12), c.statusLine) << c.request.substr(0, 40);
    }
}

TEST_F(StageServerTest, ALineWithoutEndIsNotReadOnWithoutEnd) {
    // A client that sends one endless request line: the server stops reading
    // at the limit and closes, so the client's sending soon fails, long
    // before the server could have stored it all.
    RawClient raw(port_);
    const std::string chunk(64 * 1024, 'a');
    bool sending = raw.Send("GET /?token=" + View);
    int sent = 0;
    for (; sent < 256 && sending; ++sent) sending = raw.Send(chunk);
    EXPECT_FALSE(sending) << sent << " chunks of 64 KiB taken";
}

TEST_F(StageServerTest, The65thConnectionIsRefusedAndAFreedPlaceServesAgain) {
    std::vector<std::unique_ptr<RawClient>> streams;
    for (int i = 0; i < StageMaxConnections; ++i) {
        streams.push_back(std::make_unique<RawClient>(port_));
        ASSERT_TRUE(streams.back()->Send("GET /events?token=" + View + " HTTP/1.1\r\nHost: x\r\n\r\n"));
        // Each holds its place once it has its first state.
        ASSERT_NE(streams.back()->ReadUntil("\"text\"").find("\"text\""), std::string::npos) << i;
    }
    {
        RawClient extra(port_);
        ASSERT_TRUE(extra.Send("GET /state?token=" + View + " HTTP/1.1\r\n\r\n"));
        EXPECT_EQ(extra.ReadUntil("\r\n").substr(0, 12), "HTTP/1.1 503");
    }
    streams.pop_back();
    // The server notices the closed stream at its next write: a change.
    PublishStageState(Shown("01:00"), 5000);
    int status = 0;
    for (int attempt = 0; attempt < 100 && status != 200; ++attempt) {
        RawClient again(port_);
        again.Send("GET /state?token=" + View + " HTTP/1.1\r\n\r\n");
        status = again.ReadUntil("\r\n").substr(0, 12) == "HTTP/1.1 200" ? 200 : 503;
        if (status != 200) std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(status, 200);
}

TEST(StageServerPort, APortAnotherProgramHoldsIsReported) {
    fake::LoopbackHolder holder;
    const int port = holder.port();
    ASSERT_GT(port, 0);
    EXPECT_EQ(StartStageServer({false, port, View, Control}), StageServerStatus::PortInUse);
    EXPECT_EQ(CurrentStageServerStatus(), StageServerStatus::PortInUse);
    EXPECT_EQ(StageServerPort(), 0);
    holder.Close();
    EXPECT_EQ(StartStageServer({false, port, View, Control}), StageServerStatus::Running);
    StopStageServer();
    WaitForStageServersEnded();
    EXPECT_EQ(CurrentStageServerStatus(), StageServerStatus::Off);
}

}  // namespace
