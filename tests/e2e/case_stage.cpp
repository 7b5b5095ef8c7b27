// The stage view: the program's page read by a headless Chromium, and many
// event streams at once.
#include <algorithm>
#include <climits>
#include <memory>
#include <thread>
#include <vector>

#include "tests/e2e/case_support.h"
#include "tests/e2e/stage_http.h"

namespace {

constexpr int Port = 8740;
const std::string View = "00112233445566778899aabbccddeeff";
const std::string Control = "ffeeddccbbaa99887766554433221100";

bool WriteStageSettings() {
    CreateDirectoryW(e2e::Widen(e2e::SettingsFolder()).c_str(), nullptr);
    return e2e::WriteFileBytes(e2e::SettingsFolder() + "HV_Settings.ini",
                               "[Horavel]\r\nStartupLocation = 3\r\nStageView = 1\r\nStageViewToken = " + View +
                                   "\r\nStageControlToken = " + Control + "\r\n");
}

// A field of a JSON object as written (a text keeps its quotes).
std::string Field(const std::string& json, const std::string& name) {
    const std::string key = "\"" + name + "\":";
    const std::size_t at = json.find(key);
    if (at == std::string::npos) return "";
    const std::size_t begin = at + key.size();
    const std::size_t end = json[begin] == '"' ? json.find('"', begin + 1) + 1 : json.find_first_of(",}", begin);
    return json.substr(begin, end - begin);
}

std::string State() { return e2e::Http(Port, "GET", "/state?token=" + View).body; }

bool WaitForState(const std::string& field, const std::string& value, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 50) {
        if (Field(State(), field) == value) return true;
        if (waited >= timeoutMs) return false;
        e2e::Pause(50);
    }
}

std::string PageText() { return e2e::Browser("eval", "expr", "document.getElementById('text').textContent"); }

// Polls the page until its text is not this one (and not empty); the new text.
std::string WaitForPageTextOtherThan(const std::string& old, DWORD timeoutMs) {
    for (DWORD waited = 0;; waited += 100) {
        const std::string text = PageText();
        if (text != old && text != "\"\"" && text.rfind("\"", 0) == 0) return text;
        if (waited >= timeoutMs) return "";
        e2e::Pause(100);
    }
}

long long WallClockMs() {
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    const long long t = (static_cast<long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return (t - 116444736000000000LL) / 10000;
}

}  // namespace

E2E_CASE(stage_view_follows_the_strip) {
    CHECK(WriteStageSettings(), "the settings file with the stage view on");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(WaitForState("mode", "\"countdown\"", 10000), "the server answers the state with the view token");
        // Without the right token: 403 and nothing else.
        const std::string refusedPaths[] = {"/", "/?token=" + Control.substr(1), "/state", "/events"};
        for (const std::string& path : refusedPaths) {
            const e2e::HttpAnswer refused = e2e::Http(Port, "GET", path);
            CHECK(refused.status == 403 && refused.body.empty(), path + " without the token: " +
                                                                     std::to_string(refused.status) + " " + refused.body);
        }
        CHECK(e2e::Http(Port, "POST", "/control?token=" + View, "start").status == 403,
              "the view token does not control the timer");
        CHECK(e2e::Browser("open", "url", "http://127.0.0.1:8740/?token=" + View) == "ok", "the page opens");
        const std::string paused = WaitForPageTextOtherThan("", 10000);
        CHECK(!paused.empty(), "the page shows the paused timer");

        // A one-minute count-down shows its seconds.
        e2e::PressGadget(window, 38);
        const std::string minute = WaitForPageTextOtherThan(paused, 5000);
        CHECK(!minute.empty(), "the page shows the new length: " + paused + " then " + minute);
        e2e::PressGadget(window, 37);
        CHECK(e2e::WaitForCaption(window, 37, "||", 2000), "the timer runs");
        const std::string running = WaitForPageTextOtherThan(minute, 5000);
        CHECK(!running.empty(), "the page counts down with the strip: " + minute + " then " + running);
        e2e::Browser("shot", "name", "stage_page");

        e2e::PressGadget(window, 37);
        CHECK(WaitForState("phase", "\"paused\"", 3000), "paused again");
        // The page notes when its text changes; the strip's preset is clicked.
        const std::string armed = e2e::Browser(
            "eval", "expr",
            "window.changedAt = 0; const t = document.getElementById('text'); const old = t.textContent;"
            "new MutationObserver(() => { if (!window.changedAt && t.textContent !== old) "
            "window.changedAt = Date.now(); }).observe(t, {childList: true, characterData: true, subtree: true});"
            "old");
        const POINT at = e2e::Centre(e2e::FindChild(window, 39).rect);  // 5 minutes
        e2e::MoveMouse(at.x, at.y);
        e2e::Pause(150);
        e2e::MouseDown();
        e2e::Pause(150);
        const long long clicked = WallClockMs();
        e2e::MouseUp();
        long long changed = 0;
        for (int i = 0; i < 60 && changed == 0; ++i) {
            changed = std::atoll(e2e::Browser("eval", "expr", "window.changedAt").c_str());
            if (changed == 0) e2e::Pause(50);
        }
        CHECK(changed != 0, "the page's text changed after the preset click (it read " + armed + ")");
        const long long latency = changed - clicked;
        e2e::Log("the page showed the new time " + std::to_string(latency) + " ms after the click");
        CHECK(latency <= 250, "the page follows the strip within 250 ms: " + std::to_string(latency) + " ms");
        CHECK(PageText() == Field(State(), "text"), "the page shows the strip's text " + Field(State(), "text"));
    }
    e2e::StopProgram(program);
    return e2e::Result();
}

E2E_CASE(stage_view_keeps_fifty_streams) {
    CHECK(WriteStageSettings(), "the settings file with the stage view on");
    e2e::Process program;
    HWND window = e2e::StartAndFind(exePath, program);
    if (window) {
        CHECK(WaitForState("mode", "\"countdown\"", 10000), "the server answers");
        constexpr int Clients = 50;
        std::vector<std::unique_ptr<e2e::HttpStream>> streams;
        int opened = 0;
        for (int i = 0; i < Clients; ++i) {
            streams.push_back(std::make_unique<e2e::HttpStream>(Port, "/events?token=" + View));
            // Each starts with the state of the moment: all of them this one.
            while (streams.back()->received().find("data: {") == std::string::npos && streams.back()->Read(5000)) {
            }
            opened += streams.back()->received().find("data: {") != std::string::npos ? 1 : 0;
        }
        CHECK(opened == Clients, std::to_string(opened) + " of 50 streams opened");
        // A one-minute count-down, run to its end and a little past it: the
        // seconds, the warning's blinking, the tenths and the finish. Started
        // by the page's control request, while the fifty streams are open.
        CHECK(e2e::Http(Port, "POST", "/control?token=" + Control, "start 1m").status == 200,
              "the control request is taken");
        CHECK(e2e::WaitForCaption(window, 37, "||", 5000), "the timer runs");
        std::vector<std::thread> readers;
        const DWORD start = GetTickCount();
        for (auto& s : streams)
            readers.emplace_back([&s, start] {
                while (GetTickCount() - start < 62000) s->Read(1000);
            });
        for (std::thread& t : readers) t.join();

        // Every stream got the same states, in the same order.
        auto ticks = [](const std::string& received) {
            std::vector<long long> found;
            for (std::size_t at = 0; (at = received.find("data: {", at)) != std::string::npos; ++at)
                found.push_back(std::atoll(Field(received.substr(at, received.find('\n', at) - at), "tick").c_str()));
            return found;
        };
        // The readers stopped at about the same time: up to the last state all have.
        long long end = LLONG_MAX;
        for (auto& s : streams) {
            const std::vector<long long> t = ticks(s->received());
            end = std::min(end, t.empty() ? 0 : t.back());
        }
        auto until = [&](const std::string& received) {
            std::vector<long long> t = ticks(received);
            t.erase(std::upper_bound(t.begin(), t.end(), end), t.end());
            return t;
        };
        const std::vector<long long> first = until(streams[0]->received());
        CHECK(first.size() > 60, "the first stream saw " + std::to_string(first.size()) + " states");
        int same = 0;
        for (auto& s : streams) same += until(s->received()) == first ? 1 : 0;
        CHECK(same == Clients, std::to_string(same) + " of 50 streams saw every state");
        // The strip refreshed on time all along: no gap between two states of
        // more than a second and a half while the seconds ran.
        long long longest = 0;
        for (std::size_t i = 2; i < first.size(); ++i) longest = std::max(longest, first[i] - first[i - 1]);
        e2e::Log("50 streams, " + std::to_string(first.size()) + " states each; the longest gap " +
                 std::to_string(longest) + " ms");
        CHECK(longest <= 1500, "the longest gap between two states: " + std::to_string(longest) + " ms");
    }
    e2e::StopProgram(program);
    return e2e::Result();
}
