#include "input/serial_device.h"

#include <array>

namespace brisomar {

int bitsPerSecond(TBaudRate rate) {
    static constexpr std::array<int, 15> rates = {110,   300,   600,    1200,   2400,
                                                  4800,  9600,  14400,  19200,  38400,
                                                  56000, 57600, 115200, 128000, 256000};
    return rates[static_cast<std::size_t>(rate)];
}

std::string defaultDevicePath(int port, const char* environmentValue) {
    if (environmentValue && *environmentValue)
        return environmentValue;
    return "/dev/ttyS" + std::to_string(port - 1);
}

std::string openFailureDetail(const std::string& path, const std::string& reason,
                              bool permissionDenied) {
    std::string detail = "Device " + path + ": " + reason;
    if (permissionDenied)
        detail += "\nThe serial devices belong to the group \"dialout\": join it with "
                  "\"sudo adduser $USER dialout\", then log out and in again.";
    return detail;
}

} // namespace brisomar
