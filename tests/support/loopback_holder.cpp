#include "tests/support/loopback_holder.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace fake {

LoopbackHolder::LoopbackHolder() {
    socket_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 && listen(socket_, 1) == 0 &&
        getsockname(socket_, reinterpret_cast<sockaddr*>(&a), &length) == 0)
        port_ = ntohs(a.sin_port);
}

LoopbackHolder::~LoopbackHolder() { Close(); }

void LoopbackHolder::Close() {
    if (socket_ >= 0) close(socket_);
    socket_ = -1;
}

}  // namespace fake
