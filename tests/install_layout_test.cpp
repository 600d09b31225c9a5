// An installed Tonvask: `cmake --install` into a temporary prefix puts the
// program, its launcher, the demo folder, the README, a valid desktop entry
// and the icon in place; the launcher gives the user a working folder of
// their own once and never copies over it again; the Debian package
// declares what the program needs.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "shell/banner.hpp"
#include "support/program.hpp"
#include "support/pty.hpp"
#include "support/tempdir.hpp"

namespace {

const std::string BUILD = TONVASK_BUILD_DIR;
const char REGISTRATION[] = " 3\n Sine\n Strings\n Drums\n libs/sine\n libs/strings\n libs/drums\n";

bool executable(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && (st.st_mode & S_IXUSR);
}

int shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

class Installed : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        prefix = runPath("tonvask-install-test");
        installed = shell("cmake --install '" + BUILD + "' --prefix '" + prefix + "'") == 0;
    }
    void SetUp() override { ASSERT_TRUE(installed); }
    static std::string prefix;
    static bool installed;
};
std::string Installed::prefix;
bool Installed::installed = false;

TEST_F(Installed, ProgramDemoReadmeDesktopEntryAndIcon) {
    EXPECT_TRUE(executable(prefix + "/bin/tonvask"));
    EXPECT_TRUE(executable(prefix + "/bin/tonvask-launch"));
    EXPECT_EQ(readFile(prefix + "/share/tonvask/demo/tvlibs.dll"), REGISTRATION);
    for (const char* f : {"libs/sine", "libs/strings", "libs/drums", "samples/sine/c4.wav",
                          "samples/strings/d5.wav", "samples/drums/cowbell.wav"})
        EXPECT_TRUE(fileExists(prefix + "/share/tonvask/demo/" + f)) << f;
    // The build's bookkeeping of the demo folder stays in the build.
    EXPECT_FALSE(fileExists(prefix + "/share/tonvask/demo/.tvlibs.dll.generated"));
    EXPECT_EQ(readFile(prefix + "/share/doc/tonvask/README.md"),
              readFile(std::string(TONVASK_SOURCE_DIR) + "/README.md"));
    std::string entry = prefix + "/share/applications/tonvask.desktop";
    ASSERT_TRUE(fileExists(entry));
    EXPECT_EQ(runCommand("desktop-file-validate '" + entry + "' 2>&1; echo rc=$?"), "rc=0\n");
    EXPECT_NE(readFile(entry).find("\nExec=tonvask-launch\n"), std::string::npos);
    EXPECT_NE(readFile(entry).find("\nIcon=tonvask\n"), std::string::npos);
    EXPECT_TRUE(fileExists(prefix + "/share/icons/hicolor/scalable/apps/tonvask.svg"));
}

TEST_F(Installed, LauncherCopiesTheDemoOnceAndKeepsTheUsersFolder) {
    TempDir dir;
    std::string xdg = "XDG_DATA_HOME=" + dir.path + "/data";
    std::string home = dir.path + "/data/tonvask";

    // First start: the demo is copied and the real program comes up in it.
    PtyRun first = runOnPty({prefix + "/bin/tonvask-launch"}, dir.path, {xdg}, "Copyright", 20);
    EXPECT_NE(first.output.find("Copyright"), std::string::npos) << first.output;
    EXPECT_NE(first.output.find("your Tonvask folder is " + home), std::string::npos);
    EXPECT_EQ(readFile(home + "/tvlibs.dll"), REGISTRATION);
    EXPECT_EQ(readFile(home + "/samples/drums/kick.wav"),
              readFile(prefix + "/share/tonvask/demo/samples/drums/kick.wav"));

    // The user adds a library and drops a demo sample.
    const std::string mine =
        " 4\n Sine\n Strings\n Drums\n Mine\n libs/sine\n libs/strings\n libs/drums\n libs/mine\n";
    writeFile(home + "/tvlibs.dll", mine);
    writeFile(home + "/libs/mine", "mine/a.wav\n");
    std::remove((home + "/samples/sine/c4.wav").c_str());

    // Second start, with a stand-in program that shows where it was started
    // and with what: nothing is copied over the user's folder.
    std::string stub = dir.path + "/bin/tonvask";
    writeFile(dir.path + "/bin/tonvask-launch", readFile(prefix + "/bin/tonvask-launch"));
    writeFile(stub, "#!/bin/sh\necho \"cwd=$(pwd) args=$*\"\n");
    ASSERT_EQ(shell("chmod +x '" + stub + "' '" + dir.path + "/bin/tonvask-launch'"), 0);
    ASSERT_EQ(shell("cp -R '" + prefix + "/share' '" + dir.path + "/share'"), 0);
    PtyRun second = runOnPty({dir.path + "/bin/tonvask-launch", "-x"}, "/", {xdg}, "args=", 20);
    EXPECT_NE(second.output.find("cwd=" + home + " args=-x"), std::string::npos) << second.output;
    EXPECT_EQ(second.output.find("your Tonvask folder"), std::string::npos);
    EXPECT_EQ(readFile(home + "/tvlibs.dll"), mine);
    EXPECT_EQ(readFile(home + "/libs/mine"), "mine/a.wav\n");
    EXPECT_FALSE(fileExists(home + "/samples/sine/c4.wav"));
}

TEST(Package, DebDeclaresItsDependencies) {
    TempDir dir;
    ASSERT_EQ(shell("cpack -G DEB --config '" + BUILD + "/CPackConfig.cmake' -B '" + dir.path + "'"), 0);
    std::string deb = runCommand("ls '" + dir.path + "'/*.deb");
    ASSERT_FALSE(deb.empty());
    deb = deb.substr(0, deb.find('\n'));
    std::string depends = runCommand("dpkg-deb -f '" + deb + "' Depends");
    for (const char* lib : {"libopenal", "libalut", "libglut", "libglu"})
        EXPECT_NE(depends.find(lib), std::string::npos) << lib << " in " << depends;
    std::string files = runCommand("dpkg-deb -c '" + deb + "'");
    // The package installs under the build's prefix, so the manual the About
    // panel names is where the package puts it.
    const std::string root = std::string(".") + TONVASK_INSTALL_PREFIX;
    const std::string manual = std::string(".") + (TONVASK_MANUAL_URL + std::strlen("file://"));
    for (const std::string& f :
         {root + "/bin/tonvask", root + "/bin/tonvask-launch", root + "/share/tonvask/demo/tvlibs.dll",
          root + "/share/applications/tonvask.desktop", manual})
        EXPECT_NE(files.find(f + "\n"), std::string::npos) << f;
}

}  // namespace
