// The installed game's folder of its own: the program's options, where the folder is, and
// entering it.
#include "platform/files/user_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace zorvan {
namespace {

TEST(StartOptions, WhatTheArgumentsAskFor) {
    struct Case {
        std::vector<std::string> args;
        bool userFolder, help, error;
        std::string language = {};
    };
    const Case cases[] = {
        {{}, false, false, false},
        {{"--user-folder"}, true, false, false},
        {{"--help"}, false, true, false},
        {{"-h", "--user-folder"}, true, true, false},
        {{"--user-folder", "ZORVAN.ini"}, true, false, true},
        {{"--user-folder=/tmp"}, false, false, true},
        {{"-user-folder"}, false, false, true},
        {{"-platform", "offscreen", "--help"}, false, true, true},  // Qt's options not yet taken
        {{"--lang", "en"}, false, false, false, "en"},
        {{"--lang=ja", "--user-folder"}, true, false, false, "ja"},
        {{"--lang", "xx"}, false, false, true},
        {{"--lang"}, false, false, true},
        {{"--lang", "--user-folder"}, false, false, true},
        {{"--lang="}, false, false, true},
    };
    for (const Case& c : cases) {
        const StartOptions o = parseStartOptions(c.args);
        const std::string what = c.args.empty() ? "(none)" : c.args.back();
        EXPECT_EQ(o.userFolder, c.userFolder) << what;
        EXPECT_EQ(o.help, c.help) << what;
        EXPECT_EQ(!o.error.empty(), c.error) << what;
        EXPECT_EQ(o.language, c.language) << what;
    }
}

TEST(UserFolder, FollowsXdgDataHomeElseTheHomeFolder) {
    struct Case {
        const char* xdgDataHome;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"/data/me", "/home/me", "/data/me/zorvan"},
        {nullptr, "/home/me", "/home/me/.local/share/zorvan"},
        {"", "/home/me", "/home/me/.local/share/zorvan"},
        {"relative/data", "/home/me", "/home/me/.local/share/zorvan"},  // ignored
        {"/data/me", nullptr, "/data/me/zorvan"},
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {"here", "home/me", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(userFolder(c.xdgDataHome, c.home).string(), c.folder)
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << " " << (c.home ? c.home : "(unset)");
}

class EnterFolder : public testing::Test {
protected:
    void SetUp() override {
        m_before = std::filesystem::current_path();
        char stem[] = "/tmp/zorvan_user_folder_XXXXXX";
        ASSERT_NE(mkdtemp(stem), nullptr);
        m_root = stem;
    }
    void TearDown() override {
        std::filesystem::current_path(m_before);
        std::filesystem::remove_all(m_root);
    }
    static unsigned mode(const std::filesystem::path& p) {
        struct stat st {};
        return stat(p.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
    }
    std::filesystem::path m_before, m_root;
};

TEST_F(EnterFolder, CreatesMissingFoldersPrivatelyAndEntersThem) {
    const auto home = m_root / "home";
    std::filesystem::create_directory(home);
    std::filesystem::permissions(home, std::filesystem::perms(0755));
    const auto folder = userFolder(nullptr, home.c_str());

    EXPECT_EQ(enterFolder(folder), "");
    EXPECT_EQ(std::filesystem::current_path(), folder);
    for (const auto& made : {home / ".local", home / ".local/share", folder})
        EXPECT_EQ(mode(made), 0700u) << made;
    EXPECT_EQ(mode(home), 0755u);  // an existing folder is left as it is

    // The game's files now land there; a second start finds the folder and them.
    std::ofstream("ZORVAN.ini") << "x\r\n";
    std::filesystem::current_path(m_root);
    EXPECT_EQ(enterFolder(folder), "");
    EXPECT_TRUE(std::filesystem::exists("ZORVAN.ini"));
}

TEST_F(EnterFolder, RefusesWhatItCannotEnterAndStaysWhereItWas) {
    std::ofstream(m_root / "file") << "not a folder";
    std::filesystem::current_path(m_root);
    const std::filesystem::path cases[] = {m_root / "file", m_root / "file/zorvan", "", "relative"};
    for (const auto& folder : cases) {
        const std::string error = enterFolder(folder);
        EXPECT_FALSE(error.empty()) << folder;
        EXPECT_EQ(std::filesystem::current_path(), m_root) << folder;
    }
    EXPECT_NE(enterFolder(m_root / "file").find(m_root.string() + "/file"), std::string::npos);
}

}  // namespace
}  // namespace zorvan
