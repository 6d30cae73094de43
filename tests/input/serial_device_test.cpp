#include "input/serial_device.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace brisomar {
namespace {

namespace fs = std::filesystem;

// A process table and a lock folder of the test's own: each process a folder with its name and
// its descriptors as links.
class ProcessTable : public ::testing::Test {
protected:
    ProcessTable() {
        std::ofstream(device).put('\n');
        std::ofstream(otherDevice).put('\n');
        fs::create_symlink(device, link);
        fs::create_directories(sources.proc);
        fs::create_directories(sources.lockFolders[0]);
    }

    void runs(const std::string& process, const std::string& name) {
        fs::create_directories(sources.proc / process / "fd");
        std::ofstream(sources.proc / process / "comm") << name << '\n';
    }

    void opens(const std::string& process, const std::string& file, int descriptor = 3) {
        fs::create_directories(sources.proc / process / "fd");
        fs::create_symlink(file, sources.proc / process / "fd" / std::to_string(descriptor));
    }

    std::vector<int> holding(const std::string& path) const {
        std::vector<int> processes;
        for (const DeviceHolder& holder : processesHolding(path, 100, sources))
            processes.push_back(holder.process);
        return processes;
    }

    testing::TempDir dir;
    const std::string device = dir.file("ttyUSB0");
    const std::string otherDevice = dir.file("ttyUSB1");
    const std::string link = dir.file("gps");
    const HolderSources sources{dir.path() / "proc", {dir.path() / "lock"}};
};

TEST_F(ProcessTable, OnlyAnotherProcessHoldingTheDeviceCounts) {
    EXPECT_EQ(holding(device), std::vector<int>{});
    opens("100", device); // this process
    opens("self", device);
    opens("200", otherDevice);
    fs::create_directories(sources.proc / "300"); // its descriptors hidden from us
    EXPECT_EQ(holding(device), std::vector<int>{});
    EXPECT_EQ(holding(otherDevice), std::vector<int>{200});
    opens("400", device, 7);
    opens("40", device);
    EXPECT_EQ(holding(device), (std::vector<int>{40, 400}));
    EXPECT_EQ(holding(link), (std::vector<int>{40, 400})); // the device a link leads to
    EXPECT_EQ(holding(dir.file("missing")), std::vector<int>{});
}

TEST_F(ProcessTable, TheHolderIsNamedFromItsLockFileOrItsDescriptors) {
    runs("812", "gpsd");
    runs("900", "socat");
    struct Case {
        const char* path;
        const char* lockFile; // empty: none
        std::string lock;
        const char* holder;
    };
    const Case cases[] = {
        {"/dev/ttyUSB9", "LCK..ttyUSB9", "812\ngpsd\nboat\n", "gpsd (process 812)"},
        {"/dev/pts/7", "LCK..pts_7", "       812\n", "gpsd (process 812)"},
        {"/dev/ttyUSB9", "LCK..ttyUSB9", "999\n", "another program"}, // stale
        {"/dev/ttyUSB9", "LCK..ttyUSB9", std::string("\x2c\x03\0\0", 4), "another program"},
        {"/dev/ttyUSB9", "LCK..ttyUSB8", "812\n", "another program"},
        {"", "", "", "gpsd (process 812), socat (process 900)"}, // the device below
    };
    opens("900", device);
    opens("812", device, 4);
    for (const Case& c : cases) {
        fs::remove_all(sources.lockFolders[0]);
        fs::create_directories(sources.lockFolders[0]);
        if (*c.lockFile)
            std::ofstream(sources.lockFolders[0] / c.lockFile, std::ios::binary) << c.lock;
        const std::string path = *c.path ? c.path : link;
        EXPECT_EQ(holderText(path, 100, sources), c.holder) << c.path << " " << c.lockFile;
    }
}

// socat holds both ends of its pair: named only when nobody else holds the device.
TEST_F(ProcessTable, TheFarEndOfAPseudoTerminalIsNamedOnlyAlone) {
    fs::create_directories(dir.path() / "pts");
    const std::string slave = dir.file("pts/7");
    std::ofstream(slave).put('\n');
    runs("900", "socat");
    opens("900", slave, 6);
    opens("900", "/dev/ptmx", 5);
    fs::create_directories(sources.proc / "900" / "fdinfo");
    std::ofstream(sources.proc / "900" / "fdinfo" / "5") << "pos:\t0\nflags:\t02\ntty-index:\t7\n";
    EXPECT_EQ(holderText(slave, 100, sources), "socat (process 900)");
    runs("812", "gpslogger");
    opens("812", slave);
    EXPECT_EQ(holderText(slave, 100, sources), "gpslogger (process 812)");
    std::ofstream(sources.proc / "900" / "fdinfo" / "5") << "tty-index:\t8\n"; // another pair's
    EXPECT_EQ(holderText(slave, 100, sources), "gpslogger (process 812), socat (process 900)");
}

TEST(SerialDeviceTexts, TheDefaultDeviceAndTheReasonsShown) {
    EXPECT_EQ(defaultDevicePath(2, nullptr), "/dev/ttyS1");
    EXPECT_EQ(defaultDevicePath(1, ""), "/dev/ttyS0");
    EXPECT_EQ(defaultDevicePath(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(inUseDetail("/dev/ttyUSB0", "port 1"), "Device /dev/ttyUSB0 is in use by port 1");
    EXPECT_EQ(openFailureDetail("/dev/ttyS0", "Permission denied", false),
              "Device /dev/ttyS0: Permission denied");
}

TEST(SerialDeviceTexts, ThePortsWaitingSinceTheStartSayWhy) {
    EXPECT_EQ(portsWaitingNotice({}, 5), "");
    EXPECT_EQ(
        portsWaitingNotice({{1, "/dev/ttyUSB0", inUseDetail("/dev/ttyUSB0", "gpsd (process 812)")},
                            {2, "tcp://10.0.0.1:10110", ""}},
                           5),
        "COM1: Device /dev/ttyUSB0 is in use by gpsd (process 812). Tried every 5 s. "
        "COM2: tcp://10.0.0.1:10110 not open. Tried every 5 s. ");
    EXPECT_EQ(
        portsWaitingNotice(
            {{1, "/dev/ttyS0", openFailureDetail("/dev/ttyS0", "Permission denied", true)}}, 5),
        "COM1: Device /dev/ttyS0: Permission denied. Tried every 5 s. ");
}

} // namespace
} // namespace brisomar
