#pragma once
// A port "another program" holds: a listening socket on the loopback
// interface, on a free port, closed when the holder goes.
namespace fake {

class LoopbackHolder {
public:
    LoopbackHolder();
    ~LoopbackHolder();
    LoopbackHolder(const LoopbackHolder&) = delete;
    LoopbackHolder& operator=(const LoopbackHolder&) = delete;
    int port() const { return port_; }  // 0 when no socket could listen
    void Close();

private:
    int socket_ = -1;
    int port_ = 0;
};

}  // namespace fake
