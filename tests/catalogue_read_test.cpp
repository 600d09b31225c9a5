// Reading the registration file into the catalogue and the selection list:
// hand-written layouts read like the program's own, and odd counts, short
// files and overlong words never put a word out of its place or past its
// slot.
#include <string>
#include <vector>

#include "catalogue_fixture.hpp"
#include "support/pty.hpp"

namespace {

struct ReadCase {
    const char* label;
    std::string file;
    int libs;                        // count afterwards
    std::vector<std::string> names;  // lib_name from slot 0
    std::vector<std::string> paths;  // libraries from slot 0
};

const std::string LONG40 = "abcdefghijklmnopqrstuvwxyz0123456789WXYZ";
const std::string LONG31 = LONG40.substr(0, 31);

const std::vector<std::string> AB = {"A", "B", "n2"};
const std::vector<std::string> AB_PATHS = {"libs/a", "libs/b", "p2"};

const ReadCase READ_CASES[] = {
    {"program layout", " 2\n A\n B\n libs/a\n libs/b\n", 2, AB, AB_PATHS},
    {"no leading spaces, words shared lines, empty lines", "2\nA B\n\n\nlibs/a\tlibs/b", 2, AB, AB_PATHS},
    {"CRLF line ends", " 2\r\n A\r\n B\r\n libs/a\r\n libs/b\r\n", 2, AB, AB_PATHS},
    {"vertical tab and form feed are blanks", "2\vA\fB libs/a libs/b", 2, AB, AB_PATHS},
    {"words after the last path are ignored", " 2\n A\n B\n libs/a\n libs/b\n extra\n", 2, AB, AB_PATHS},
    {"count 0", " 0\n A\n B\n", 0, {"n0", "n1"}, {"p0", "p1"}},
    {"negative count", " -3\n A\n B\n", 0, {"n0", "n1"}, {"p0", "p1"}},
    {"explicit plus sign", "+2 A B libs/a libs/b", 2, AB, AB_PATHS},
    {"first word not a number", "X Y Z W", 2, {"X", "Y", "n2"}, {"Z", "W", "p2"}},
    {"sign without digits starts a name", "-x Y Z W", 2, {"-x", "Y"}, {"Z", "W"}},
    {"digits run into a word", " 1abc def", 1, {"abc", "n1"}, {"def", "p1"}},
    {"fewer words than the count", " 3\n A\n B\n C\n libs/a\n", 3, {"A", "B", "C"}, {"libs/a", "p1", "p2"}},
    {"overlong words keep the rest in step",
     " 2\n " + LONG40 + "\n B\n " + LONG40 + "x\n libs/b\n",
     2,
     {LONG31, "B"},
     {LONG31, "libs/b"}},
    {"empty file", "", 2, {"n0", "n1", "n2"}, {"p0", "p1", "p2"}},
    {"blanks only", " \n\r\n\t", 2, {"n0", "n1", "n2"}, {"p0", "p1", "p2"}},
};

class Read : public CatalogueTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(Read, FindFillsTheCatalogue) {
    const ReadCase& c = GetParam();
    SCOPED_TRACE(c.label);
    writeFile("tvlibs.dll", c.file);
    quietly(find);
    EXPECT_EQ(libs, c.libs);
    for (size_t i = 0; i < c.names.size(); ++i) EXPECT_EQ(lib_name[i], c.names[i]) << "name " << i;
    for (size_t i = 0; i < c.paths.size(); ++i) EXPECT_EQ(libraries[i], c.paths[i]) << "path " << i;
}

TEST_P(Read, FindGlutReadsTheSameNames) {
    const ReadCase& c = GetParam();
    SCOPED_TRACE(c.label);
    writeFile("tvlibs.dll", c.file);
    findGLUT();
    EXPECT_EQ(libs2, c.libs);
    for (size_t i = 0; i < c.names.size(); ++i) {
        // Rows the file did not reach keep their earlier "r<i>".
        std::string index = std::to_string(i);
        std::string expected = c.names[i] == "n" + index ? "r" + index : c.names[i];
        EXPECT_EQ(librarSelect[i], expected) << "row " << i;
    }
    EXPECT_EQ(std::string(lib_name[0]), "n0") << "findGLUT touched the catalogue";
}

INSTANTIATE_TEST_SUITE_P(Catalogue, Read, ::testing::ValuesIn(READ_CASES),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(CatalogueTest, MissingFileChangesAndPrintsNothing) {
    std::string out = captureOnPty(+[] {
        find();
        findGLUT();
    });
    EXPECT_EQ(out, "");
    EXPECT_EQ(libs, 2);
    EXPECT_EQ(libs2, 2);
    EXPECT_STREQ(lib_name[0], "n0");
    EXPECT_STREQ(librarSelect[0], "r0");
}

std::string entries(int n, const char* name, const char* path) {
    std::string s = std::to_string(n) + "\n";
    for (int i = 0; i < n; ++i) s += std::string(name) + std::to_string(i) + "\n";
    for (int i = 0; i < n; ++i) s += std::string(path) + std::to_string(i) + "\n";
    return s;
}

TEST_F(CatalogueTest, TwentyEntries) {
    writeFile("tvlibs.dll", entries(20, "N", "P"));
    quietly(find);
    findGLUT();
    EXPECT_EQ(libs, 20);
    EXPECT_STREQ(lib_name[19], "N19");
    EXPECT_STREQ(libraries[0], "P0");
    EXPECT_STREQ(libraries[19], "P19");
    EXPECT_EQ(libs2, 20);
    EXPECT_STREQ(librarSelect[12], "N12");
}

TEST_F(CatalogueTest, CountAboveTheCatalogueKeepsPathsInStep) {
    writeFile("tvlibs.dll", entries(MAX_LIBS + 3, "N", "P"));
    quietly(find);
    EXPECT_EQ(libs, MAX_LIBS);
    EXPECT_STREQ(lib_name[MAX_LIBS - 1], "N9999");
    EXPECT_STREQ(libraries[0], "P0");
    EXPECT_STREQ(libraries[MAX_LIBS - 1], "P9999");

    // A count far past int: as many names as there are, nothing wraps.
    writeFile("tvlibs.dll", "99999999999999999999999 A B");
    quietly(find);
    EXPECT_EQ(libs, MAX_LIBS);
    EXPECT_STREQ(lib_name[0], "A");
    EXPECT_STREQ(lib_name[2], "N2");
    EXPECT_STREQ(libraries[0], "P0");
}

TEST_F(CatalogueTest, SelectionListKeepsRowsTheFileNoLongerReaches) {
    writeFile("tvlibs.dll", layout({"A", "B", "C", "D", "E"}, {"a", "b", "c", "d", "e"}));
    findGLUT();
    writeFile("tvlibs.dll", layout({"X", "Y", "Z"}, {"x", "y", "z"}));
    findGLUT();
    EXPECT_EQ(libs2, 3);
    EXPECT_STREQ(librarSelect[2], "Z");
    EXPECT_STREQ(librarSelect[3], "D");
    EXPECT_STREQ(librarSelect[4], "E");
    EXPECT_STREQ(librarSelect[5], "r5");
}

}  // namespace
