#pragma once

#include "ais/ais_traffic.h"
#include "base/clock.h"
#include "input/serial_device.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace brisomar {

// A boat sailing a closed route at a steady speed, told as NMEA sentences: a recommended
// minimum fix every second, and half a second later a depth and a true heading swinging about
// the course, as instruments would send them.
class NmeaSimulator {
public:
    struct Point {
        long double lat, lon; // degrees, north and west positive
    };
    static constexpr long double speedKnots = 6.0L;

    NmeaSimulator(); // the demo route
    explicit NmeaSimulator(std::vector<Point> route) : route_(std::move(route)) {}

    // Where the boat is after `seconds` of sailing, and its course.
    Point positionAt(long double seconds, long double* course = nullptr) const;

    // The sentences of half-second `slot` (even: the fix, odd: the depth and the heading) at
    // `time`.
    std::string sentenceFor(long long slot, const LocalDateTime& time) const;

    const std::vector<Point>& route() const { return route_; }

private:
    std::vector<Point> route_;
};

// "*hh\r\n" ending for a sentence "$...": the XOR of its characters after "$".
std::string withChecksum(const std::string& sentence);

// The simulator as a serial device: opening it starts the voyage, and each poll finds the
// sentences that fell due since the last one (at most a second's worth after a pause); the AIS
// traffic around the boat follows each depth, as from a multiplexer.
class SimulatorDevice : public SerialDevice {
public:
    static constexpr const char* deviceName = "Simulator";

    explicit SimulatorDevice(const Clock& clock) : clock_(clock) {}

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    std::size_t bytesWaiting() override;
    std::string read(std::size_t count) override;
    void purge() override { waiting_.clear(); }

private:
    long double secondsSinceOpen() const;

    const Clock& clock_;
    NmeaSimulator simulator_;
    DemoTraffic traffic_{[this](long double seconds, long double* course) {
        const NmeaSimulator::Point p = simulator_.positionAt(seconds, course);
        return GeoPoint{Real48(p.lat), Real48(p.lon)};
    }};
    bool open_ = false;
    double openedAt_ = 0;
    long long nextSlot_ = 0;
    std::string waiting_;
};

// A port's device: the simulator when "Simulator" is chosen, the network device for a network
// address (tcp://, udp://, gpsd://), else the serial device. The network device is made when a
// network address is first chosen: most boats never use one, and it costs memory from the start.
class ChoosingSerialDevice : public SerialDevice {
public:
    using DeviceMaker = std::function<std::unique_ptr<SerialDevice>()>;
    ChoosingSerialDevice(std::unique_ptr<SerialDevice> serial, DeviceMaker makeNetwork,
                         const Clock& clock)
        : serial_(std::move(serial)), makeNetwork_(std::move(makeNetwork)), simulator_(clock) {}

    bool open(const std::string& path, const LineSettings& settings, std::string& reason) override;
    void close() override { current_->close(); }
    bool isOpen() const override { return current_->isOpen(); }
    std::size_t bytesWaiting() override { return current_->bytesWaiting(); }
    std::string read(std::size_t count) override { return current_->read(count); }
    void purge() override { current_->purge(); }
    void write(std::string_view bytes) override { current_->write(bytes); }

private:
    SerialDevice& deviceFor(const std::string& path);

    std::unique_ptr<SerialDevice> serial_;
    DeviceMaker makeNetwork_;
    std::unique_ptr<SerialDevice> network_;
    SimulatorDevice simulator_;
    SerialDevice* current_ = serial_.get();
};

} // namespace brisomar
