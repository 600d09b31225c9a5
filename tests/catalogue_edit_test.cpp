// Adding and removing libraries: the rewritten registration file byte for
// byte, input the format cannot hold refused, and a rewrite that cannot be
// completed leaving the old file and the catalogue as they were.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "catalogue_fixture.hpp"
#include "support/pty.hpp"

namespace fs = std::filesystem;

namespace {

const std::string AB = layout({"A", "B"}, {"libs/a", "libs/b"});
const std::string ABC = layout({"A", "B", "C"}, {"libs/a", "libs/b", "libs/c"});

int filesInFolder(const std::string& folder = ".") {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) n += e.is_regular_file() ? 1 : 0;
    return n;
}

TEST_F(CatalogueTest, AddAppendsInTheProgramsLayout) {
    writeFile("tvlibs.dll", AB);
    chmod("tvlibs.dll", 0640);
    quietly([] { add_Lib("C", "c"); });
    EXPECT_EQ(readFile("tvlibs.dll"), ABC);
    EXPECT_EQ(libs, 3);
    EXPECT_STREQ(lib_name[2], "n2") << "the new entry goes to the file only";
    struct stat st;
    ASSERT_EQ(stat("tvlibs.dll", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u) << "the rewrite keeps the file's permissions";
    EXPECT_EQ(filesInFolder(), 1) << "no temporary file is left behind";

    quietly([] { add_Lib("D", "libs/d"); });
    EXPECT_EQ(readFile("tvlibs.dll"),
              layout({"A", "B", "C", "D"}, {"libs/a", "libs/b", "libs/c", "libs/libs/d"}));
}

TEST_F(CatalogueTest, ARegistrationFileKeptElsewhereStaysLinked) {
    writeFile("kept/tvlibs.dll", AB);
    ASSERT_EQ(symlink("kept/tvlibs.dll", "tvlibs.dll"), 0);
    quietly([] { add_Lib("C", "c"); });
    EXPECT_TRUE(fs::is_symlink("tvlibs.dll"));
    EXPECT_EQ(readFile("kept/tvlibs.dll"), ABC);
    EXPECT_EQ(filesInFolder("kept"), 1);
}

TEST_F(CatalogueTest, FirstAddOnAFreshStartCreatesTheFile) {
    clearCatalogue();
    quietly([] { add_Lib("Piano", "piano"); });
    EXPECT_EQ(readFile("tvlibs.dll"), " 1\n Piano\n libs/piano\n");
    quietly([] { add_Lib("Drums", "drums"); });
    EXPECT_EQ(readFile("tvlibs.dll"), " 2\n Piano\n Drums\n libs/piano\n libs/drums\n");
}

TEST_F(CatalogueTest, AddAcceptsTheLongestWordsThatFit) {
    writeFile("tvlibs.dll", AB);
    const std::string name(31, 'N'), file(26, 'f');
    static const std::string* args[2];
    args[0] = &name, args[1] = &file;
    quietly([] { add_Lib(args[0]->c_str(), args[1]->c_str()); });
    EXPECT_EQ(readFile("tvlibs.dll"), layout({"A", "B", name}, {"libs/a", "libs/b", "libs/" + file}));
    quietly(find);
    EXPECT_EQ(lib_name[2], name);
    EXPECT_EQ(libraries[2], "libs/" + file);
}

TEST_F(CatalogueTest, RemoveRewritesTheRest) {
    const std::vector<std::string> abc = {"A", "B", "C"};
    struct Case {
        const char* label;
        std::string before;
        int index;
        std::vector<std::string> names;  // remaining, in memory and in the file
    };
    const Case cases[] = {
        {"first", ABC, 0, {"B", "C"}},
        {"last", ABC, 2, {"A", "B"}},
        {"middle", ABC, 1, {"A", "C"}},
        {"the only one", layout({"A"}, {"libs/a"}), 0, {}},
        {"no entry behind the row", ABC, 3, abc},
        {"a row far below", ABC, 12, abc},
        {"a negative index", ABC, -1, abc},
        {"words after the last path are dropped", ABC + " junk\n", 2, {"A", "B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        fillEarlier();
        writeFile("tvlibs.dll", c.before);
        static int index;
        index = c.index;
        quietly([] { rev_lib(index); });
        std::vector<std::string> paths;
        for (const auto& n : c.names) paths.push_back("libs/" + std::string(1, char(n[0] - 'A' + 'a')));
        bool removed = c.names.size() < 3 || c.before != ABC;
        EXPECT_EQ(readFile("tvlibs.dll"), removed ? layout(c.names, paths) : c.before);
        ASSERT_EQ(libs, int(c.names.size()));
        for (int i = 0; i < libs; ++i) {
            EXPECT_EQ(lib_name[i], c.names[i]);
            EXPECT_EQ(libraries[i], paths[i]);
        }
        if (removed) {
            EXPECT_STREQ(lib_name[libs], "") << "the freed slot is emptied";
            EXPECT_STREQ(libraries[libs], "");
        }
    }
}

TEST_F(CatalogueTest, RemoveOnAFreshStartWritesNothing) {
    clearCatalogue();
    quietly([] { rev_lib(0); });
    EXPECT_FALSE(fileExists("tvlibs.dll"));
}

struct Refused {
    const char* label;
    std::string name, file;
    const char* why;
};

const Refused REFUSED[] = {
    {"empty mask name", "", "c", "the mask name is empty"},
    {"blank in the mask name", "C D", "c", "the mask name holds a blank or a control character"},
    {"tab in the mask name", "C\t", "c", "the mask name holds a blank or a control character"},
    {"escape in the mask name", "C\033", "c", "the mask name holds a blank or a control character"},
    {"mask name of 32", std::string(32, 'N'), "c", "the mask name is longer than 31 characters"},
    {"empty file name", "C", "", "the file name is empty"},
    {"blank in the file name", "C", "c d", "the file name holds a blank or a control character"},
    {"line feed in the file name", "C", "c\nd", "the file name holds a blank or a control character"},
    {"delete in the file name", "C", "c\x7f", "the file name holds a blank or a control character"},
    {"file name of 27 behind libs/", "C", std::string(27, 'f'),
     "the file name is longer than 31 characters with libs/"},
};

TEST_F(CatalogueTest, AddRefusesWhatTheFormatCannotHold) {
    for (const Refused& r : REFUSED) {
        SCOPED_TRACE(r.label);
        writeFile("tvlibs.dll", AB);
        libs = 5;
        static const Refused* current;
        current = &r;
        std::string out = captureOnPty(+[] { add_Lib(current->name.c_str(), current->file.c_str()); });
        std::string end = BANNER + std::string("Error...\n\nThe library was not added: ") + r.why + "...\n\n";
        ASSERT_GE(out.size(), end.size());
        EXPECT_EQ(out.substr(out.size() - end.size()), end);
        quietly([&] { add_Lib(r.name.c_str(), r.file.c_str()); });
        EXPECT_EQ(readFile("tvlibs.dll"), AB);
        EXPECT_EQ(libs, 2);
    }
}

TEST_F(CatalogueTest, AddRefusesAFullCatalogue) {
    std::string names, paths;
    for (int i = 0; i < MAX_LIBS; ++i) {
        names += " N" + std::to_string(i) + "\n";
        paths += " P" + std::to_string(i) + "\n";
    }
    const std::string full = " " + std::to_string(MAX_LIBS) + "\n" + names + paths;
    writeFile("tvlibs.dll", full);
    std::string out = captureOnPty(+[] { add_Lib("C", "c"); });
    EXPECT_NE(out.find(BANNER + std::string("Error...\n\nThe library was not added: the catalogue already "
                                            "holds 10000 libraries...\n\n")),
              std::string::npos);
    quietly([] { add_Lib("C", "c"); });
    EXPECT_EQ(readFile("tvlibs.dll"), full);
    EXPECT_EQ(libs, MAX_LIBS);
}

// Runs body in a child and expects it to exit with status 0; the child
// reports what went wrong on standard error.
void inChild(void (*body)()) {
    std::fflush(nullptr);
    pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

std::string bigFile() {
    std::vector<std::string> names, paths;
    for (int i = 0; i < 50; ++i) {
        names.push_back("Name" + std::to_string(i));
        paths.push_back("libs/name" + std::to_string(i));
    }
    return layout(names, paths);
}

// A file-size limit makes the write fail partway: neither operation may
// lose the old file or change the catalogue.
TEST_F(CatalogueTest, AWriteFailingMidwayKeepsTheOldFileAndTheCatalogue) {
    writeFile("tvlibs.dll", bigFile());
    inChild([] {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit{200, 200};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        std::string out = captureOnPty(+[] { add_Lib("C", "c"); });
        EXPECT_NE(out.find(BANNER + std::string("Error...\n\nCannot save tvlibs.dll: the new file cannot be "
                                                "written (File too large); it is left as it was...\n\n")),
                  std::string::npos)
            << out;
        quietly([] { add_Lib("C", "c"); });
        EXPECT_EQ(libs, 50);
        quietly([] { rev_lib(0); });
        EXPECT_EQ(libs, 50);
        EXPECT_STREQ(lib_name[0], "Name0");
        EXPECT_STREQ(libraries[49], "libs/name49");
        EXPECT_EQ(readFile("tvlibs.dll"), bigFile());
        EXPECT_EQ(filesInFolder(), 1);
    });
}

// A registration file that may not be written is never replaced, though
// the folder would let a rename do it. Root may write any file, so as root
// the check runs as an unprivileged user in a folder open to everyone.
TEST_F(CatalogueTest, AFileThatMayNotBeWrittenIsNotReplaced) {
    static std::string folder;
    folder = dir.path;
    if (geteuid() == 0) {
        char pattern[] = "/tmp/tonvask-catalogue.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        chmod(folder.c_str(), 0777);
    }
    writeFile(folder + "/tvlibs.dll", AB);
    chmod((folder + "/tvlibs.dll").c_str(), 0444);
    inChild([] {
        if (geteuid() == 0) {
            ASSERT_EQ(setgid(65534), 0);
            ASSERT_EQ(setuid(65534), 0);
        }
        ASSERT_EQ(chdir(folder.c_str()), 0);
        // The folder itself is writable: a rename could replace the file.
        ASSERT_EQ(access(".", W_OK), 0);
        std::string out = captureOnPty(+[] { add_Lib("C", "c"); });
        EXPECT_NE(out.find("Cannot save tvlibs.dll: it may not be written"), std::string::npos) << out;
        quietly([] { add_Lib("C", "c"); });
        EXPECT_EQ(libs, 2);
        quietly([] { rev_lib(0); });
        EXPECT_EQ(libs, 2);
        EXPECT_STREQ(lib_name[0], "A");
        EXPECT_EQ(readFile("tvlibs.dll"), AB);
        EXPECT_EQ(filesInFolder(), 1);
    });
    if (folder != dir.path) fs::remove_all(folder);
}

}  // namespace
