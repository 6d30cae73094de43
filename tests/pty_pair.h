#pragma once

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace brisomar::testing {

// A pseudo-terminal pair standing in for a GPS: the program opens the slave by its path as it
// would a USB receiver, the test writes NMEA on the master side.
class PtyPair {
public:
    PtyPair() {
        char name[256] = {};
        if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0)
            return;
        path_ = name;
        // Programs the test starts hold only the ends they are given.
        ::fcntl(master_, F_SETFD, FD_CLOEXEC);
        ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    }
    ~PtyPair() {
        closeMaster();
        if (slave_ >= 0)
            ::close(slave_);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool ok() const { return !path_.empty(); }
    const std::string& slavePath() const { return path_; }

    // The test's own slave handle is closed so that closing the master later looks to the
    // program exactly like an unplugged receiver.
    void releaseSlave() {
        ::close(slave_);
        slave_ = -1;
    }

    bool write(const std::string& bytes) {
        return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    }

    // Writes as much as the pseudo-terminal takes at once, without waiting for the program to
    // read; gives how many bytes that was.
    std::size_t writeWithoutWaiting(std::string_view bytes) {
        const int flags = ::fcntl(master_, F_GETFL);
        ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
        const ssize_t written = ::write(master_, bytes.data(), bytes.size());
        ::fcntl(master_, F_SETFL, flags);
        return written > 0 ? static_cast<std::size_t>(written) : 0;
    }

    // What the program wrote to the slave side and waits on the master side.
    std::string readWaiting() {
        const int flags = ::fcntl(master_, F_GETFL);
        ::fcntl(master_, F_SETFL, flags | O_NONBLOCK);
        char buffer[4096];
        const ssize_t count = ::read(master_, buffer, sizeof buffer);
        ::fcntl(master_, F_SETFL, flags);
        return count > 0 ? std::string(buffer, static_cast<std::size_t>(count)) : std::string();
    }

    void closeMaster() {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

} // namespace brisomar::testing
