// Loading the HID-to-UART library: the file missing, a file that is no library, and a
// library that lacks an entry point.
#include "LinkProbe.h"
#include "ScriptedControl.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

using Strings = std::vector<std::string>;

// Whatever library it was, the component works as one without library.
void expectWithoutLibrary(TestLink& t) {
    EXPECT_FALSE(t.link->libraryLoaded());
    EXPECT_FALSE(t.watcher->registered());
    EXPECT_TRUE(t.link->DeviceList().isEmpty());
    t.link->setDeviceName("A1");
    EXPECT_FALSE(t.link->Connect());
    EXPECT_FALSE(t.link->Disconnect());
    t.watcher->arrive("/dev/hidraw1"); // not registered: nothing arrives
    EXPECT_EQ(t.probe.log, (Strings{"Error 101", "Disconnect"}));
}

} // namespace

TEST(LinkLibrary, MissingFileIsReportedOnceAndLeavesTheLinkWithoutLibrary) {
    TestLink t("libno-such-hiduart.so");
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_EQ(t.messages[0], "DLL File is not Exists!");
    EXPECT_TRUE(t.link->libraryPath().endsWith("/libno-such-hiduart.so"));
    EXPECT_TRUE(QFileInfo(t.link->libraryPath()).isAbsolute());
    expectWithoutLibrary(t);
    EXPECT_EQ(t.messages.size(), 1u);
}

TEST(LinkLibrary, AFileThatIsNoLibraryIsReportedAndNotUsed) {
    const QString junk = HidUartLoader::pathNextToExecutable("libvelor-junk-hiduart.so");
    {
        QFile f(junk);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("not a shared library\n");
    }
    TestLink t("libvelor-junk-hiduart.so");
    QFile::remove(junk);
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_TRUE(t.messages[0].startsWith("Cannot load ")) << qPrintable(t.messages[0]);
    expectWithoutLibrary(t);
}

TEST(LinkLibrary, ALibraryLackingAnEntryPointIsNeverCalled) {
    ScriptedControl noWrite(ScriptedControl::noWriteFileName);
    noWrite.addDevice("A1", "/dev/hidraw1");
    TestLink t(ScriptedControl::noWriteFileName);
    ASSERT_EQ(t.messages.size(), 1u);
    EXPECT_TRUE(t.messages[0].contains("HidUart_Write")) << qPrintable(t.messages[0]);
    expectWithoutLibrary(t);
    EXPECT_EQ(noWrite.callLog(), "");
}

TEST(LinkLibrary, TheCompleteLibraryRaisesOnCreateAfterTheEnumeration) {
    ScriptedControl script;
    script.addDevice("A1", "/dev/hidraw1");
    TCP2110::Options options;
    options.libraryFileName = QString::fromLatin1(ScriptedControl::fileName);
    options.watcher = std::make_unique<ManualDeviceWatcher>();
    int created = 0;
    QString nameAtCreate;
    TCP2110* self = nullptr;
    options.onCreate = [&](QObject* sender) {
        ++created;
        self = qobject_cast<TCP2110*>(sender);
        nameAtCreate = self ? self->DeviceName() : QString();
    };
    TCP2110 link(nullptr, std::move(options));
    EXPECT_EQ(created, 1);
    EXPECT_EQ(self, &link);
    EXPECT_EQ(nameAtCreate, "A1");
    ASSERT_TRUE(link.Connect());
    const std::uint8_t bytes[3] = {1, 2, 3};
    script.queueRead(HID_UART_SUCCESS, bytes, 3, 3);
    EXPECT_TRUE(pumpUntil([&] { return script.queuedReads() == 0; }));
    EXPECT_TRUE(link.Disconnect());
    // Nothing is written to the meter, nor asked that the link does not need.
    const std::string log = script.callLog();
    for (const char* never : {"Write", "IsOpened", "ReadLatch"}) {
        EXPECT_EQ(log.find(never), std::string::npos) << never;
    }
}
