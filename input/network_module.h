#pragma once

#include "input/serial_device.h"

#include <QString>

#include <memory>

namespace brisomar {

// The network module's entry: makes a network device the caller owns.
inline constexpr const char* networkDeviceMaker = "brisomar_make_network_device";
using NetworkDeviceMaker = SerialDevice* (*)();

// A network device from the module in `folder`. When the module cannot be loaded the device
// refuses to open and says why, so the port reports it as it reports any device that fails.
std::unique_ptr<SerialDevice> loadNetworkDevice(const QString& folder);

} // namespace brisomar
