// Releasing the pages of read-only file mappings: the mapping's resident pages go, its contents
// stay the file's, and a mapping that may hold written pages is never touched.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/files/mapped_pages.h"

namespace fs = std::filesystem;
using namespace zorvan;

namespace {

// The resident kilobytes of the mapping that starts at `at`, from /proc/self/smaps; -1 if none.
long residentKb(const void* at) {
    char head[32];
    std::snprintf(head, sizeof head, "%lx-", reinterpret_cast<unsigned long>(at));
    std::ifstream smaps("/proc/self/smaps");
    bool inIt = false;
    for (std::string line; std::getline(smaps, line);) {
        if (line.rfind(head, 0) == 0) inIt = true;
        else if (inIt && line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
    }
    return -1;
}

class MappedPages : public ::testing::Test {
protected:
    void SetUp() override {
        path = fs::temp_directory_path() /
               ("zorvan-mapped-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ttc");
        bytes.resize(64 * 4096);
        for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7 + i / 4096);
        std::ofstream(path, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        fd = ::open(path.c_str(), O_RDONLY);
        ASSERT_GE(fd, 0);
    }
    void TearDown() override {
        if (fd >= 0) ::close(fd);
        fs::remove(path);
    }
    bool isOurs(std::string_view p) const { return p == path.string(); }

    fs::path path;
    std::vector<char> bytes;
    int fd = -1;
};

}  // namespace

TEST_F(MappedPages, ResidentPagesGoAndTheContentsStayTheFiles) {
    void* map = ::mmap(nullptr, bytes.size(), PROT_READ, MAP_PRIVATE, fd, 0);
    ASSERT_NE(map, MAP_FAILED);
    const char* p = static_cast<const char*>(map);
    for (std::size_t i = 0; i < bytes.size(); i += 4096) {
        volatile char touch = p[i];
        (void)touch;
    }
    ASSERT_GT(residentKb(map), 0);

    EXPECT_EQ(releaseMappedFilePages([this](std::string_view q) { return isOurs(q); }),
              bytes.size());
    EXPECT_EQ(residentKb(map), 0);
    EXPECT_EQ(std::memcmp(p, bytes.data(), bytes.size()), 0);
    ::munmap(map, bytes.size());
}

TEST_F(MappedPages, AWritableMappingKeepsWhatWasWrittenAndOthersAreLeftAlone) {
    void* written = ::mmap(nullptr, bytes.size(), PROT_READ | PROT_WRITE, MAP_PRIVATE, fd, 0);
    void* other = ::mmap(nullptr, bytes.size(), PROT_READ, MAP_PRIVATE, fd, 0);
    ASSERT_NE(written, MAP_FAILED);
    ASSERT_NE(other, MAP_FAILED);
    std::memset(written, 'x', 4096);
    volatile char touch = static_cast<const char*>(other)[0];
    (void)touch;

    // Only the read-only mapping of the file counts, and only when the path is wanted.
    EXPECT_EQ(releaseMappedFilePages([](std::string_view) { return false; }), 0u);
    EXPECT_GT(residentKb(other), 0);
    EXPECT_EQ(releaseMappedFilePages([this](std::string_view q) { return isOurs(q); }),
              bytes.size());
    EXPECT_EQ(static_cast<const char*>(written)[0], 'x');
    EXPECT_EQ(static_cast<const char*>(written)[4095], 'x');
    EXPECT_EQ(std::memcmp(static_cast<const char*>(written) + 4096, bytes.data() + 4096,
                          bytes.size() - 4096),
              0);
    ::munmap(written, bytes.size());
    ::munmap(other, bytes.size());
}

TEST(FontFiles, AreKnownByTheirEndingInAnyCase) {
    EXPECT_TRUE(isFontFile("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"));
    EXPECT_TRUE(isFontFile("/x/DejaVuSans.TTF"));
    EXPECT_TRUE(isFontFile("/x/a.otf"));
    EXPECT_TRUE(isFontFile("/x/a.otc"));
    EXPECT_FALSE(isFontFile("/x/a.ttf.bak"));
    EXPECT_FALSE(isFontFile("/var/cache/fontconfig/9b89-le64.cache-8"));
    EXPECT_FALSE(isFontFile("ttf"));
}
