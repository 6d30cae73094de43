#pragma once

#include "input/network_output.h"
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

inline constexpr const char* networkOutputMaker = "brisomar_make_network_output";
using NetworkOutputMaker = NetworkOutput* (*)();

// The network output from the module in `folder`; null, with the reason in `reason`, when the
// module cannot be loaded.
std::unique_ptr<NetworkOutput> loadNetworkOutput(const QString& folder, std::string& reason);

} // namespace brisomar
