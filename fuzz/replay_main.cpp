// Runs a fuzz harness over the files of its corpus folders (or single files) given on the command
// line, as the libFuzzer program would replay them; built with any compiler, so the corpora are
// checked by every test run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool runFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return false;
    }
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int files = 0;
    bool ok = true;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path arg(argv[i]);
        std::vector<std::filesystem::path> paths;
        if (std::filesystem::is_directory(arg)) {
            for (const auto& entry : std::filesystem::directory_iterator(arg))
                if (entry.is_regular_file()) paths.push_back(entry.path());
            std::sort(paths.begin(), paths.end());
        } else {
            paths.push_back(arg);
        }
        for (const auto& p : paths) {
            ok = runFile(p) && ok;
            ++files;
        }
    }
    std::printf("%d inputs replayed\n", files);
    // An empty corpus is a mistake in the build, not a pass.
    return ok && files > 0 ? 0 : 1;
}
