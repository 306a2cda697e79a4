// Arbitrary bytes as the file given to "kvtx import", into a folder that already holds a store:
// the command must never crash; when it refuses, the folder must be exactly as it was; when it
// imports, "kvtx export" of the result must import again to the same files.
#include "cli/run.h"
#include "tests/fakes/fake_file_system.h"
#include "tests/fakes/test_store.h"

#include <cstdlib>
#include <sstream>

using namespace kvtx;

namespace {

constexpr char16_t kFolder[] = u"/store/";

int RunKvtx(testing::FakeFileSystem& files, std::vector<std::string> arguments,
            std::string* output = nullptr) {
    std::ostringstream out;
    std::ostringstream err;
    std::istringstream in;
    arguments.insert(arguments.begin(), {"kvtx", "--dir", "/store"});
    const int status = cli::Run(arguments, {files, u"/bin/", out, err, in});
    if (output != nullptr) {
        *output = out.str();
    }
    return status;
}

void PutText(testing::FakeFileSystem& files, const std::u16string& path, const std::string& text) {
    const auto* bytes = reinterpret_cast<const std::byte*>(text.data());
    files.Put(path, std::vector<std::byte>(bytes, bytes + text.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    testing::FakeFileSystem files;
    testing::WriteTestStore(files, kFolder,
                            {{u"挨拶", {{.name = u"朝", .text = u"おはよう %original"}}}});
    PutText(files, u"/in.json", std::string(reinterpret_cast<const char*>(data), size));
    const auto before = files.files;

    if (RunKvtx(files, {"import", "/in.json"}) != 0) {
        if (files.files != before) {
            std::abort();
        }
        return 0;
    }
    std::string exported;
    if (RunKvtx(files, {"export"}, &exported) != 0) {
        std::abort();
    }
    testing::FakeFileSystem again;
    PutText(again, u"/in.json", exported);
    if (RunKvtx(again, {"import", "/in.json"}) != 0) {
        std::abort();
    }
    for (const auto& [path, bytes] : again.files) {
        if (path != u"/in.json" && files.files.at(path) != bytes) {
            std::abort();
        }
    }
    return 0;
}
