// The network module: the network device and the network library it needs, loaded the first
// time a port is given a network address.
#include "input/network_device.h"
#include "input/network_module.h"

extern "C" Q_DECL_EXPORT brisomar::SerialDevice* brisomar_make_network_device() {
    return new brisomar::NetworkDevice();
}
