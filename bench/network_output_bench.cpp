// The network output under load, for scripts/bench: 20 TCP clients reading the route sentences
// once a second and 50 forwarded sentences a second, and one client that never reads, for
// SECONDS (default 60). Prints the CPU the navigator's thread spent as a share of one core and the
// growth of the resident memory from the 5th second to the end.
#include "input/nmea_output.h"
#include "input/qt_network_output.h"

#include <QCoreApplication>
#include <QTcpServer>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace brisomar;

constexpr int readingClients = 20;
constexpr int forwardedPerSecond = 50;

int connectTo(quint16 port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_port = htons(port);
    server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd, reinterpret_cast<sockaddr*>(&server), sizeof server);
    return fd;
}

// The clients read on a thread of their own, so that only the navigator's work is timed.
void readAll(const std::vector<int>& fds, const std::atomic<bool>& running) {
    std::vector<pollfd> polled;
    for (const int fd : fds)
        polled.push_back({fd, POLLIN, 0});
    char buffer[65536];
    while (running) {
        if (::poll(polled.data(), polled.size(), 100) <= 0)
            continue;
        for (const pollfd& p : polled)
            if (p.revents & POLLIN)
                (void)::read(p.fd, buffer, sizeof buffer);
    }
}

double threadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

long residentBytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6)) * 1024;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::stoi(argv[1]) : 60;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();

    QtNetworkOutput network;
    const std::string failure = network.apply({true, "127.0.0.1:" + std::to_string(port)});
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        return 1;
    }
    std::vector<int> readers;
    for (int i = 0; i < readingClients; ++i)
        readers.push_back(connectTo(port));
    const int stalled = connectTo(port);
    const int smallest = 1;
    ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &smallest, sizeof smallest);
    std::atomic<bool> running = true;
    std::thread clients(readAll, std::cref(readers), std::cref(running));

    NavState nav;
    nav.GpsFixReceived = true;
    nav.Waypoint = {RouteProgress::Sailing, 3, 47, 2.41L, 85, 5.8L, 0.6L};
    SentenceOutput output;
    output.choices[SentenceOutput::networkOutput] = {true, true};
    const std::string forwarded =
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";
    const auto start = std::chrono::steady_clock::now();
    QTimer tick; // the communication window's timer, with the sentences received meanwhile
    tick.setInterval(200);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        for (int i = 0; i < forwardedPerSecond / 5; ++i)
            output.received(1, forwarded);
        const auto steady = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        network.send(output.tick(nav, steady)[SentenceOutput::networkOutput]);
    });
    tick.start();

    long rssAt5 = 0;
    double cpuAt5 = 0;
    QTimer::singleShot(5000, [&] {
        rssAt5 = residentBytes();
        cpuAt5 = threadCpuSeconds();
    });
    QTimer::singleShot(seconds * 1000, [&] {
        const double cpu = threadCpuSeconds() - cpuAt5;
        std::printf("output cpu: %.4f %% of one core over %d s, %zu clients left\n",
                    100 * cpu / (seconds - 5), seconds - 5, network.clientCount());
        std::printf("output memory growth: %ld bytes over %d s\n", residentBytes() - rssAt5,
                    seconds - 5);
        app.quit();
    });
    app.exec();
    running = false;
    clients.join();
    ::close(stalled);
    return 0;
}
