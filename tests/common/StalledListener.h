#pragma once

#include <QHostAddress>
#include <QRandomGenerator>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// A listening socket on a loopback address whose accept queue is full (backlog 0, one
// connection waiting that nobody accepts): the kernel leaves further handshakes
// unanswered, like an address where nothing answers.
class StalledListener
{
public:
    StalledListener() = default;
    ~StalledListener()
    {
        for (int fd : {_filler, _listener}) {
            if (fd >= 0)
                ::close(fd);
        }
    }
    StalledListener(const StalledListener &) = delete;
    StalledListener &operator=(const StalledListener &) = delete;

    // Listens on a random 127.x.y.z address, on `port` (0: any free port).
    bool open(quint16 port = 0)
    {
        for (int attempt = 0; attempt < 20 && _listener < 0; ++attempt) {
            const quint32 host = (127u << 24) | (QRandomGenerator::global()->bounded(1u, 250u) << 16) |
                                 (QRandomGenerator::global()->bounded(0u, 250u) << 8) |
                                 QRandomGenerator::global()->bounded(2u, 250u);
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(host);
            a.sin_port = htons(port);
            if (::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 && ::listen(fd, 0) == 0) {
                socklen_t len = sizeof a;
                ::getsockname(fd, reinterpret_cast<sockaddr *>(&a), &len);
                _listener = fd;
                _address = QHostAddress(host);
                _port = ntohs(a.sin_port);
                // The one connection the queue takes.
                _filler = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
                if (::connect(_filler, reinterpret_cast<sockaddr *>(&a), sizeof a) != 0)
                    return false;
            } else {
                ::close(fd);
            }
        }
        return _listener >= 0;
    }

    QHostAddress address() const { return _address; }
    quint16 port() const { return _port; }

private:
    int _listener = -1;
    int _filler = -1;
    QHostAddress _address;
    quint16 _port = 0;
};
