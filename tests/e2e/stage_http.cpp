#include "tests/e2e/stage_http.h"

#include <winsock2.h>

#include <cstdlib>

#include "tests/e2e/driver_support.h"

namespace e2e {
namespace {

struct WinsockStart {
    WinsockStart() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
} winsockStart;

SOCKET Connect(int port) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<u_short>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    DWORD timeout = 20000;
    setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
    return s;
}

bool SendAll(SOCKET s, const std::string& bytes) {
    return send(s, bytes.data(), static_cast<int>(bytes.size()), 0) == static_cast<int>(bytes.size());
}

std::string Encoded(const std::string& text) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
            out += static_cast<char>(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

HttpAnswer Http(int port, const std::string& method, const std::string& path, const std::string& body) {
    HttpAnswer answer;
    const SOCKET s = Connect(port);
    if (s == INVALID_SOCKET) return answer;
    std::string request = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n";
    if (method == "POST") request += "Content-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
    if (SendAll(s, request + "\r\n" + body)) {
        std::string received;
        char buf[4096];
        for (int n; (n = recv(s, buf, sizeof buf, 0)) > 0;) received.append(buf, static_cast<std::size_t>(n));
        if (received.rfind("HTTP/1.", 0) == 0) answer.status = std::atoi(received.c_str() + 9);
        const std::size_t end = received.find("\r\n\r\n");
        if (end != std::string::npos) answer.body = received.substr(end + 4);
    }
    closesocket(s);
    return answer;
}

HttpStream::HttpStream(int port, const std::string& path) : socket_(Connect(port)) {
    if (socket_ != INVALID_SOCKET) SendAll(socket_, "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
}

HttpStream::~HttpStream() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
}

bool HttpStream::Read(int timeoutMs) {
    if (socket_ == INVALID_SOCKET) return false;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (select(0, &readable, nullptr, nullptr, &tv) <= 0) return false;
    char buf[8192];
    const int n = recv(socket_, buf, sizeof buf, 0);
    if (n <= 0) return false;
    received_.append(buf, static_cast<std::size_t>(n));
    return true;
}

std::string Browser(const std::string& command, const std::string& argumentName, const std::string& argument) {
    const int port = std::atoi(EnvironmentValue("HORAVEL_BROWSER_PORT").c_str());
    if (port <= 0) return "no browser: HORAVEL_BROWSER_PORT is not set";
    const HttpAnswer a = Http(port, "GET", "/" + command + "?" + argumentName + "=" + Encoded(argument));
    return a.status == 200 ? a.body : "browser error " + std::to_string(a.status) + ": " + a.body;
}

}  // namespace e2e
