#include <gtest/gtest.h>

#include "db/db_address.h"

namespace {

struct AddressCase {
    const char* address;
    const char* server;
    const char* path;
};

class DbAddressTest : public ::testing::TestWithParam<AddressCase> {};

TEST_P(DbAddressTest, SplitsServerAndPath) {
    const AddressCase& c = GetParam();
    const DbAddress parsed = ParseDbAddress(QString::fromUtf8(c.address));
    EXPECT_EQ(parsed.server.toStdString(), c.server);
    EXPECT_EQ(parsed.path.toStdString(), c.path);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, DbAddressTest,
    ::testing::Values(AddressCase{"C:\\X\\A.GDB", "", "C:\\X\\A.GDB"},
                      AddressCase{"SRV:C:\\X\\A.GDB", "SRV", "C:\\X\\A.GDB"},
                      AddressCase{"10.0.0.5:/data/a.gdb", "10.0.0.5", "/data/a.gdb"},
                      // a letter first and one colon: a local path, whole
                      AddressCase{"SRV:/data/a.gdb", "", "SRV:/data/a.gdb"},
                      AddressCase{"/var/db/a.gdb", "", "/var/db/a.gdb"},
                      AddressCase{"\\\\NAS\\konyv\\a.gdb", "", "\\\\NAS\\konyv\\a.gdb"},
                      AddressCase{"192.168.1.10:D:\\DB\\TARVEDOSYS.GDB", "192.168.1.10", "D:\\DB\\TARVEDOSYS.GDB"},
                      AddressCase{"", "", ""}));

TEST(DbAddress, ConnectionParamsOfLocalAndRemote) {
    EXPECT_EQ(ConnectionParams({}, QStringLiteral("C:\\X\\A.GDB"), QStringLiteral("SYSDBA"), QStringLiteral("pw")),
              QStringList({"DriverID=IB", "Database=C:\\X\\A.GDB", "User_Name=SYSDBA", "Password=pw",
                           "Server=localhost"}));
    EXPECT_EQ(ConnectionParams({}, QStringLiteral("SRV:C:\\X\\A.GDB"), QStringLiteral("SYSDBA"), QStringLiteral("pw")),
              QStringList({"DriverID=IB", "Database=C:\\X\\A.GDB", "User_Name=SYSDBA", "Password=pw", "Server=SRV",
                           "Port=3050", "Protocol=TCPIP"}));
}

TEST(DbAddress, BackslashFoldersReachTheEngineAsSlashes) {
    EXPECT_EQ(NativeDbPath(QStringLiteral("\\tmp\\konyv\\A.GDB")), QStringLiteral("/tmp/konyv/A.GDB"));
}

}  // namespace
