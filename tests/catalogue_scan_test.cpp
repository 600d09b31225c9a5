// The scan's console report, clears included, as a terminal sees it, and
// loading a library's nine sample paths into keys.
#include <string>

#include "catalogue_fixture.hpp"
#include "support/pty.hpp"

namespace {

const std::string PROGRESS = "Initializing:|Finding Libraries|Loading Libraries|Closing Stream";

std::string missing(const std::string& name) {
    return "Error...\n\nThe library: " + name + " cannot be found...\n\n";
}

TEST_F(CatalogueTest, FindReportsAnEmptyCatalogue) {
    writeFile("tvlibs.dll", " 0\n");
    EXPECT_EQ(captureOnPty(find), PROGRESS + CLEAR + "Validating Libraries: OK\n\n" + CLEAR + BANNER);
}

TEST_F(CatalogueTest, FindReportsEveryLibraryFound) {
    writeFile("tvlibs.dll", layout({"A", "B"}, {"libs/a", "libs/b"}));
    writeFile("libs/a", "");
    writeFile("libs/b", "");
    EXPECT_EQ(captureOnPty(find), PROGRESS + CLEAR + "Validating Libraries: OK\n\n" + CLEAR + BANNER);
}

TEST_F(CatalogueTest, FindReportsMissingLibrariesInOrder) {
    writeFile("tvlibs.dll", layout({"A", "B", "C", "D"}, {"libs/a", "libs/b", "libs/c", "libs/d"}));
    writeFile("libs/a", "");
    writeFile("libs/c", "");
    EXPECT_EQ(captureOnPty(find), PROGRESS + CLEAR + "Validating Libraries:" + missing("B") + missing("D") +
                                      " OK\n\n" + CLEAR + BANNER);
    EXPECT_EQ(libs, 2) << "the scan ran in a child; this process is untouched";
}

const char* const NINE = "s0.wav\ns1.wav\ns2.wav\ns3.wav\ns4.wav\ns5.wav\ns6.wav\ns7.wav\ns8.wav\n";

class Load : public CatalogueTest {
  protected:
    void SetUp() override {
        CatalogueTest::SetUp();
        writeFile("tvlibs.dll", layout({"Nine", "Five", "OneLine", "Eleven", "Gone", "Long", "Blank"},
                                       {"libs/nine", "libs/five", "libs/one", "libs/eleven", "libs/gone",
                                        "libs/long", ""}));
        writeFile("libs/nine", NINE);
        writeFile("libs/five", "f0 f1\n\n  f2\r\nf3 f4");
        writeFile("libs/one", "o0 o1 o2 o3 o4 o5 o6 o7 o8");
        writeFile("libs/eleven", "e0 e1 e2 e3 e4 e5 e6 e7 e8 e9 e10");
        writeFile("libs/long", std::string(40, 'w') + " short");
    }
    static void expectKeys(const std::vector<std::string>& want) {
        for (int i = 0; i < 9; ++i) EXPECT_EQ(keys[i], want[i]) << "key " << i;
        EXPECT_STREQ(keys[9], "") << "only slots 0 to 8 are used";
    }
};

TEST_F(Load, ReadsNineWordsAndKeepsSlotsAShortFileMisses) {
    quietly([] { load(0); });
    expectKeys({"s0.wav", "s1.wav", "s2.wav", "s3.wav", "s4.wav", "s5.wav", "s6.wav", "s7.wav", "s8.wav"});
    quietly([] { load(1); });
    expectKeys({"f0", "f1", "f2", "f3", "f4", "s5.wav", "s6.wav", "s7.wav", "s8.wav"});
    quietly([] { load(2); });
    expectKeys({"o0", "o1", "o2", "o3", "o4", "o5", "o6", "o7", "o8"});
    quietly([] { load(3); });
    expectKeys({"e0", "e1", "e2", "e3", "e4", "e5", "e6", "e7", "e8"});
    quietly([] { load(5); });
    expectKeys({std::string(31, 'w'), "short", "e2", "e3", "e4", "e5", "e6", "e7", "e8"});
    EXPECT_EQ(libs, 7);
}

TEST_F(Load, ReportsTheProgressAndEndsOnTheBanner) {
    std::string out = captureOnPty(+[] { load(0); });
    std::string tail = "\nLoading Library: Nine|Reading File|Loading Information|Loading Complete|\n\n";
    EXPECT_EQ(out.substr(out.size() - tail.size() - CLEAR.size() - std::string(BANNER).size()),
              tail + CLEAR + BANNER);
}

// A library that will not open keeps keys as they were, and says so below
// the banner, where the message stays readable.
TEST_F(Load, UnopenableLibraryKeepsKeysAndSaysWhich) {
    struct Case {
        int row;
        std::string message;
    };
    const Case cases[] = {
        {4, "Error...\n\nThe library: Gone could not be opened...\n\n"},
        {6, "Error...\n\nThe library: Blank could not be opened...\n\n"},
        {12, "Error...\n\nNo library is registered at index 12...\n\n"},
        {-1, "Error...\n\nNo library is registered at index -1...\n\n"},
        {MAX_LIBS, "Error...\n\nNo library is registered at index 10000...\n\n"},
    };
    lib_name[12][0] = libraries[12][0] = '\0';  // a row below the last library, as at start
    for (const Case& c : cases) {
        SCOPED_TRACE(c.row);
        static int row;
        row = c.row;
        std::string out = captureOnPty(+[] { load(row); });
        std::string end = CLEAR + BANNER + c.message;
        ASSERT_GE(out.size(), end.size());
        EXPECT_EQ(out.substr(out.size() - end.size()), end);
        quietly([&] { load(c.row); });
        expectKeys({"k0", "k1", "k2", "k3", "k4", "k5", "k6", "k7", "k8"});
    }
}

TEST_F(Load, WithoutARegistrationFileUsesTheCatalogueInMemory) {
    std::remove("tvlibs.dll");
    std::snprintf(libraries[1], NAME_SLOT, "libs/five");
    quietly([] { load(1); });
    expectKeys({"f0", "f1", "f2", "f3", "f4", "k5", "k6", "k7", "k8"});
}

}  // namespace
