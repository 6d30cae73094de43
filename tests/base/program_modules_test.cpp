#include "base/install_paths.h"
#include "base/program_modules.h"
#include "charts/chart_import_menu.h"
#include "charts/chart_printer.h"
#include "input/network_module.h"
#include "tests/temp_dir.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>

#include <gtest/gtest.h>

namespace brisomar {
namespace {

const QString builtModules = QStringLiteral(BRISOMAR_MODULE_FOLDER);
const QString noModules = QStringLiteral("no-such-folder");

TEST(ProgramModules, TheNetworkDeviceComesFromItsModule) {
    QTcpServer server; // a port where nobody listens once the server is gone
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const QString address = QStringLiteral("tcp://127.0.0.1:%1").arg(server.serverPort());
    server.close();

    const auto device = loadNetworkDevice(builtModules);
    std::string reason;
    EXPECT_FALSE(device->open(address.toStdString(), {}, reason));
    EXPECT_NE(reason.find("Connection refused"), std::string::npos) << reason;
}

TEST(ProgramModules, WithoutItsModuleANetworkDeviceRefusesToOpenAndSaysWhy) {
    const auto device = loadNetworkDevice(noModules);
    std::string reason;
    EXPECT_FALSE(device->open("tcp://127.0.0.1:10110", {}, reason));
    EXPECT_EQ(reason.rfind("Network inputs are not available: ", 0), 0u) << reason;
    EXPECT_NE(reason.find(networkModuleName), std::string::npos) << reason;
    EXPECT_FALSE(device->isOpen());
    EXPECT_EQ(device->bytesWaiting(), 0u);
}

TEST(ProgramModules, TheNetworkOutputComesFromItsModuleOrTheReasonItCannot) {
    std::string reason;
    const auto output = loadNetworkOutput(builtModules, reason);
    ASSERT_NE(output, nullptr) << reason;
    EXPECT_EQ(output->apply({false, {}, true, "127.0.0.1:10110"}), "");
    EXPECT_EQ(loadNetworkOutput(noModules, reason), nullptr);
    EXPECT_NE(reason.find(networkModuleName), std::string::npos) << reason;
}

TEST(ProgramModules, TheChartPrinterComesFromItsModuleOrTheReasonItCannot) {
    QString reason;
    EXPECT_NE(loadChartPrinter(builtModules, reason), nullptr) << reason.toStdString();
    EXPECT_EQ(loadChartPrinter(noModules, reason), nullptr);
    EXPECT_TRUE(reason.contains(QString::fromLatin1(printModuleName))) << reason.toStdString();
}

TEST(ProgramModules, TheRasterLibraryComesFromItsModuleOrTheReasonItCannot) {
    QString reason;
    EXPECT_NE(loadRasterLibrary(builtModules, reason), nullptr) << reason.toStdString();
    EXPECT_EQ(loadRasterLibrary(noModules, reason), nullptr);
    EXPECT_TRUE(reason.contains(QString::fromLatin1(chartImportModuleName)))
        << reason.toStdString();
}

TEST(ProgramModules, AModuleWithoutTheFunctionAskedForIsReported) {
    QString reason;
    EXPECT_EQ(moduleFunction(builtModules, printModuleName, "no_such_function", reason), nullptr);
    EXPECT_FALSE(reason.isEmpty());
}

// Installed, the modules are in the library folder the build names relative to the programs';
// in the build folder they stand beside the programs.
TEST(ProgramModules, AnInstalledProgramFindsItsModulesWhereTheTreeIsInstalled) {
    testing::TempDir tree;
    const QString programs = QString::fromStdString(tree.file("usr/bin"));
    ASSERT_TRUE(QDir().mkpath(programs));
    EXPECT_EQ(moduleFolderFor(programs), programs);

    const QString installed =
        QDir::cleanPath(programs + QStringLiteral("/" BRISOMAR_MODULES_FROM_PROGRAMS));
    ASSERT_TRUE(QDir().mkpath(installed));
    const QString module = QStringLiteral("/lib%1.so").arg(QString::fromLatin1(printModuleName));
    ASSERT_TRUE(QFile::copy(builtModules + module, installed + module));
    QString reason;
    EXPECT_NE(loadChartPrinter(moduleFolderFor(programs), reason), nullptr) << reason.toStdString();
}

} // namespace
} // namespace brisomar
