#include "input/nmea_simulator.h"

#include "fake_clock.h"
#include "input/reception.h"
#include "navcalc/navigation_math.h"

#include <gtest/gtest.h>

namespace brisomar {
namespace {

TEST(NmeaSimulator, SailsItsRouteAtSixKnots) {
    const NmeaSimulator simulator({{45.0L, 30.0L}, {45.1L, 30.0L}});
    EXPECT_EQ(simulator.positionAt(0).lat, 45.0L);
    // 6 nautical miles north take an hour: a tenth of a degree is 6.01 miles on this sphere.
    const auto hour = simulator.positionAt(3600);
    EXPECT_NEAR(static_cast<double>(hour.lat), 45.0 + 6.0 / 60.108, 1e-4);
    long double course = -1;
    simulator.positionAt(10, &course);
    EXPECT_EQ(course, 0);
    const long double lap =
        2 * DistanceNm(Real48(45.0L), Real48(30.0L), Real48(45.1L), Real48(30.0L)).value();
    EXPECT_NEAR(static_cast<double>(simulator.positionAt(lap / 6 * 3600).lat), 45.0, 1e-6);
}

TEST(NmeaSimulator, WritesSentencesTheReceptionReads) {
    const NmeaSimulator simulator;
    const LocalDateTime t{2026, 12, 7, 10, 30, 5, 0};
    const std::string fix = simulator.sentenceFor(0, t);
    EXPECT_EQ(fix.substr(0, 14), "$GPRMC,103005,");
    EXPECT_EQ(fix.substr(fix.size() - 5, 1), "*");
    EXPECT_EQ(fix.substr(fix.size() - 2), "\r\n");
    NavState nav;
    Reception reception;
    reception.deliver(1, fix);
    reception.tick(nav, {t});
    EXPECT_NEAR(static_cast<double>(nav.GpsLat.value()), 45.25, 1e-4);
    EXPECT_NEAR(static_cast<double>(nav.GpsLon.value()), 30.32, 1e-4);
    EXPECT_EQ(nav.GpsSpeed, Real48(6.0L));
    const std::string depthAndHeading = simulator.sentenceFor(1, t);
    const std::size_t heading = depthAndHeading.find("$HEHDT,");
    reception.deliver(2, depthAndHeading.substr(0, heading));
    reception.deliver(2, depthAndHeading.substr(heading, depthAndHeading.size() - heading - 2));
    reception.tick(nav, {t});
    EXPECT_NEAR(static_cast<double>(nav.ExtendedValue.value()), 12.0, 6.0);
    EXPECT_NEAR(static_cast<double>(nav.Heading.value()), 83.3, 7.0); // the first leg's course
    // The checksum of the well-known example sentence of the RMC format.
    const std::string example = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W";
    EXPECT_EQ(withChecksum(example), example + "*6A\r\n");
}

TEST(SimulatorDevice, DeliversTheSentencesThatFellDue) {
    FakeClock clock;
    SimulatorDevice device(clock);
    std::string reason;
    ASSERT_TRUE(device.open("Simulator", LineSettings{}, reason));
    const std::size_t first = device.bytesWaiting();
    EXPECT_EQ(device.read(first).substr(0, 7), "$GPRMC,");
    clock.time.millisecond = 600;
    EXPECT_EQ(device.read(device.bytesWaiting()).substr(0, 7), "$PTTKD,");
    clock.time.second = 30; // a long pause: only the latest second comes
    const std::string late = device.read(device.bytesWaiting());
    EXPECT_EQ(late.find("$GPRMC"), late.rfind("$GPRMC"));
    device.purge();
    EXPECT_EQ(device.read(100), "");
    device.close();
    EXPECT_EQ(device.bytesWaiting(), 0u);
}

// A device that records the paths it was opened with.
class RecordingDevice : public SerialDevice {
public:
    explicit RecordingDevice(std::vector<std::string>& opened) : opened_(opened) {}
    bool open(const std::string& path, const LineSettings&, std::string&) override {
        opened_.push_back(path);
        return open_ = true;
    }
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() override { return 0; }
    std::string read(std::size_t) override { return {}; }
    void purge() override {}

private:
    std::vector<std::string>& opened_;
    bool open_ = false;
};

TEST(ChoosingSerialDevice, PicksTheDeviceByWhatThePortNames) {
    FakeClock clock;
    std::vector<std::string> serialOpens, networkOpens;
    int networkDevicesMade = 0;
    ChoosingSerialDevice device(
        std::make_unique<RecordingDevice>(serialOpens),
        [&] {
            ++networkDevicesMade;
            return std::make_unique<RecordingDevice>(networkOpens);
        },
        clock);
    std::string reason;
    ASSERT_TRUE(device.open("/dev/ttyUSB0", LineSettings{}, reason));
    EXPECT_EQ(networkDevicesMade, 0); // made only when a network address is chosen
    const std::string names[] = {"/dev/ttyUSB1", "tcp://10.0.0.1", "Simulator",
                                 "udp://:10110", "gpsd://",        "/dev/tcp"};
    for (const std::string& name : names)
        ASSERT_TRUE(device.open(name, LineSettings{}, reason));
    EXPECT_EQ(serialOpens, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyUSB1", "/dev/tcp"}));
    EXPECT_EQ(networkDevicesMade, 1);
    EXPECT_EQ(networkOpens,
              (std::vector<std::string>{"tcp://10.0.0.1", "udp://:10110", "gpsd://"}));
    ASSERT_TRUE(device.open("Simulator", LineSettings{}, reason));
    EXPECT_GT(device.bytesWaiting(), 0u); // the simulator's first fix
}

} // namespace
} // namespace brisomar
