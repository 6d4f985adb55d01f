#include "platform/shellexec/DesktopShell.h"

#include "tests/support/TempDir.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QObject>
#include <QUrl>

#include <gtest/gtest.h>

using platform::shellexec::DesktopShell;
using testing_support::TempDir;

namespace {

QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "test_platform_shellexec";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

} // namespace

// Stands in for the desktop's browser, mail program and file viewer.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<std::string> urls;
public slots:
    void handle(const QUrl& url) { urls.push_back(url.toString().toStdString()); }
};

class ShellOpenTest : public ::testing::Test {
protected:
    void SetUp() override {
        application();
        for (const char* scheme : {"http", "https", "mailto", "file"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "handle");
    }
    void TearDown() override {
        for (const char* scheme : {"http", "https", "mailto", "file"}) QDesktopServices::unsetUrlHandler(scheme);
    }
    UrlCatcher catcher;
};

TEST_F(ShellOpenTest, WebAddressGoesToTheBrowserAsGiven) {
    DesktopShell shell("/opt/tessarine");
    EXPECT_TRUE(shell.open("http://127.0.0.1/Tessarine/index.html"));
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0], "http://127.0.0.1/Tessarine/index.html");
}

TEST_F(ShellOpenTest, AddressStartingWithWwwIsAWebAddress) {
    DesktopShell shell("/opt/tessarine");
    EXPECT_TRUE(shell.open("www.example.org/tessarine"));
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0], "http://www.example.org/tessarine");
}

TEST_F(ShellOpenTest, MailAddressGoesToTheMailProgram) {
    DesktopShell shell("/opt/tessarine");
    EXPECT_TRUE(shell.open("mailto:support@example.org"));
    EXPECT_TRUE(shell.open("players@example.org"));
    ASSERT_EQ(catcher.urls.size(), 2u);
    EXPECT_EQ(catcher.urls[0], "mailto:support@example.org");
    EXPECT_EQ(catcher.urls[1], "mailto:players@example.org");
}

TEST_F(ShellOpenTest, RelativeFileIsFoundInTheProgramFolder) {
    TempDir dir;
    dir.write("readme.txt", "Tessarine");
    DesktopShell shell(dir.path().string());
    EXPECT_TRUE(shell.open("readme.txt"));
    ASSERT_EQ(catcher.urls.size(), 1u);
    EXPECT_EQ(catcher.urls[0], "file://" + (dir / "readme.txt").string());
}

TEST_F(ShellOpenTest, MissingFileIsReportedAndNothingOpens) {
    TempDir dir;
    DesktopShell shell(dir.path().string());
    EXPECT_FALSE(shell.open("TESSARINE.HLP"));
    EXPECT_FALSE(shell.open("   "));
    EXPECT_TRUE(catcher.urls.empty());
}

TEST(ShellStart, ProgramThatExistsStarts) {
    application();
    DesktopShell shell("/opt/tessarine");
    EXPECT_TRUE(shell.startProgram("/bin/true"));
}

TEST(ShellStart, MissingProgramIsReported) {
    application();
    TempDir dir;
    DesktopShell shell(dir.path().string());
    EXPECT_FALSE(shell.startProgram("tsrupdate.exe"));
    EXPECT_FALSE(shell.startProgram(""));
}

#include "DesktopShellTest.moc"
