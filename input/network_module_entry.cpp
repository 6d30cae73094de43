// The network module: the network device and output and the network library they need, loaded
// the first time a port is given a network address or the network output is switched on.
#include "input/network_device.h"
#include "input/network_module.h"
#include "input/qt_network_output.h"

extern "C" Q_DECL_EXPORT brisomar::SerialDevice* brisomar_make_network_device() {
    return new brisomar::NetworkDevice();
}

extern "C" Q_DECL_EXPORT brisomar::NetworkOutput* brisomar_make_network_output() {
    return new brisomar::QtNetworkOutput();
}
