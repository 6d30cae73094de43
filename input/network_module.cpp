#include "input/network_module.h"

#include "base/program_modules.h"

namespace brisomar {

namespace {

class UnavailableDevice : public SerialDevice {
public:
    explicit UnavailableDevice(std::string why) : why_(std::move(why)) {}

    bool open(const std::string&, const LineSettings&, std::string& reason) override {
        reason = why_;
        return false;
    }
    void close() override {}
    bool isOpen() const override { return false; }
    std::size_t bytesWaiting() override { return 0; }
    std::string read(std::size_t) override { return {}; }
    void purge() override {}

private:
    std::string why_;
};

} // namespace

std::unique_ptr<NetworkOutput> loadNetworkOutput(const QString& folder, std::string& reason) {
    QString why;
    const auto make = reinterpret_cast<NetworkOutputMaker>(
        moduleFunction(folder, networkModuleName, networkOutputMaker, why));
    if (!make) {
        reason = "The network output is not available: " + why.toStdString();
        return nullptr;
    }
    return std::unique_ptr<NetworkOutput>(make());
}

std::unique_ptr<SerialDevice> loadNetworkDevice(const QString& folder) {
    QString reason;
    const auto make = reinterpret_cast<NetworkDeviceMaker>(
        moduleFunction(folder, networkModuleName, networkDeviceMaker, reason));
    if (!make)
        return std::make_unique<UnavailableDevice>("Network inputs are not available: " +
                                                   reason.toStdString());
    return std::unique_ptr<SerialDevice>(make());
}

} // namespace brisomar
