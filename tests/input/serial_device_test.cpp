#include "input/serial_device.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace brisomar {
namespace {

namespace fs = std::filesystem;

// A process table of the test's own: each process a folder of links named by descriptor.
class ProcessTable : public ::testing::Test {
protected:
    ProcessTable() {
        std::ofstream(device).put('\n');
        std::ofstream(otherDevice).put('\n');
        fs::create_symlink(device, link);
    }

    void opens(const std::string& process, const std::string& file, int descriptor = 3) {
        const fs::path fds = dir.path() / "proc" / process / "fd";
        fs::create_directories(fds);
        fs::create_symlink(file, fds / std::to_string(descriptor));
    }

    bool openedElsewhere(const std::string& path) const {
        return openedByAnotherProcess(path, 100, dir.path() / "proc");
    }

    testing::TempDir dir;
    const std::string device = dir.file("ttyUSB0");
    const std::string otherDevice = dir.file("ttyUSB1");
    const std::string link = dir.file("gps");
};

TEST_F(ProcessTable, OnlyAnotherProcessHoldingTheDeviceCounts) {
    fs::create_directories(dir.path() / "proc");
    EXPECT_FALSE(openedElsewhere(device));
    opens("100", device); // this process
    opens("self", device);
    opens("200", otherDevice);
    fs::create_directories(dir.path() / "proc" / "300"); // its descriptors hidden from us
    EXPECT_FALSE(openedElsewhere(device));
    EXPECT_TRUE(openedElsewhere(otherDevice));
    opens("400", device, 7);
    EXPECT_TRUE(openedElsewhere(device));
    EXPECT_TRUE(openedElsewhere(link)); // the device a link leads to
    EXPECT_FALSE(openedElsewhere(dir.file("missing")));
}

TEST(SerialDeviceTexts, TheDefaultDeviceAndTheReasonsShown) {
    EXPECT_EQ(defaultDevicePath(2, nullptr), "/dev/ttyS1");
    EXPECT_EQ(defaultDevicePath(1, ""), "/dev/ttyS0");
    EXPECT_EQ(defaultDevicePath(1, "/dev/ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(inUseDetail("/dev/ttyUSB0", "port 1"), "Device /dev/ttyUSB0 is in use by port 1");
    EXPECT_EQ(openFailureDetail("/dev/ttyS0", "Permission denied", false),
              "Device /dev/ttyS0: Permission denied");
}

TEST(SerialDeviceTexts, ThePortsWaitingSinceTheStart) {
    EXPECT_EQ(portsWaitingNotice({}, 5), "");
    EXPECT_EQ(portsWaitingNotice({{1, "/dev/ttyUSB0"}, {2, "tcp://10.0.0.1:10110"}}, 5),
              "COM1 not open, tried every 5 s: /dev/ttyUSB0. "
              "COM2 not open, tried every 5 s: tcp://10.0.0.1:10110. ");
}

} // namespace
} // namespace brisomar
