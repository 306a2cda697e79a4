// Throughput of kvtx regex and kvtx apply against perl and sed on the same text and patterns,
// and of template expansion with a large "%original". Each command runs a few times over the same
// file and the fastest run counts, so that a busy machine disturbs the ratios as little as it can.
// Usage: kvtx_bench KVTX [RUNS]
#include "platform/file_system.h"
#include "platform/utf.h"
#include "store/fields.h"
#include "store/item_content.h"
#include "store/phrase_store.h"
#include "store/step_text.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Substitution {
    const char* name;
    const char* pattern; // PCRE and perl
    const char* replacement;
    const char* sedPattern; // POSIX extended
    const char* sedReplacement;
};

// Every pattern means the same in all three dialects, so the outputs can be compared.
const Substitution kSubstitutions[] = {
    {"literal", "確認", "承認", "確認", "承認"},
    {"\\d+", "\\d+", "#", "[0-9]+", "#"},
    {"capture", "([A-Za-z]+)_([0-9]+)", "$2-$1", "([A-Za-z]+)_([0-9]+)", "\\2-\\1"},
};

// Lines of Japanese and ASCII with numbers, words with underscores and the literal, varied by
// a fixed sequence so that every run sees the same text.
std::string MixedText(std::size_t bytes) {
    static const char* const kWords[] = {
        "注文番号",       "の確認", "Order",    "confirmed", "user_",
        "日本語テキスト", "item_",  "発送済み", "at",        "合計"};
    std::string text;
    unsigned state = 12345;
    while (text.size() < bytes) {
        for (int word = 0; word < 12; ++word) {
            state = state * 1103515245u + 12345u;
            text += kWords[(state >> 16) % std::size(kWords)];
            text += std::to_string((state >> 8) % 100000);
            text += ' ';
        }
        text += '\n';
    }
    return text;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

struct Timing {
    double wall = 1e300;
    double cpu = 1e300; // user and system time of the command and its children
};

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The fastest of `runs` runs; nullopt if the command failed. CPU time is kept beside wall time
// because on a shared machine the wall clock mostly measures the other users.
std::optional<Timing> Time(const std::string& command, int runs) {
    Timing best;
    for (int run = 0; run < runs; ++run) {
        const double cpuBefore = ChildrenCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            return std::nullopt;
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best.wall = std::min(best.wall, took.count());
        best.cpu = std::min(best.cpu, ChildrenCpuSeconds() - cpuBefore);
    }
    return best;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

kvtx::ConversionStep RegexStep(const Substitution& substitution) {
    return *kvtx::PackStep(static_cast<std::uint16_t>(kvtx::StepKind::RegexReplace),
                           {kvtx::platform::Utf8ToUtf16(substitution.pattern),
                            kvtx::platform::Utf8ToUtf16(substitution.replacement), u""});
}

// Category A: one conversion item per substitution (a, b, c), then the template item d.
void WriteStore(const fs::path& folder, const std::u16string& templateText) {
    kvtx::PhraseStore store(kvtx::platform::NativeFileSystem(),
                            kvtx::platform::Utf8ToUtf16(folder.string() + "/"));
    store.Index() = {};
    store.Index().categoryCount = 1;
    kvtx::SetFieldText(store.Index().categories[0].name, u"bench");
    kvtx::SetFieldText(store.Index().categories[0].fileName, u"kvtx_00001.dat");
    store.Loaded() = {};
    kvtx::CategoryImage& category = store.Loaded();
    int item = 0;
    for (const Substitution& substitution : kSubstitutions) {
        category.header.items[item].kind =
            static_cast<std::int32_t>(kvtx::ItemKind::TextConversion);
        kvtx::SetStepAt(category.contents[item], 0, RegexStep(substitution));
        kvtx::SetStepCount(category.contents[item], 1);
        category.header.items[item].contentLength =
            kvtx::ContentLengthFor(kvtx::ItemKind::TextConversion, category.contents[item]);
        ++item;
    }
    category.header.items[item].kind = static_cast<std::int32_t>(kvtx::ItemKind::TextInsertion);
    kvtx::SetContentText(category.contents[item], templateText);
    category.header.items[item].contentLength =
        kvtx::ContentLengthFor(kvtx::ItemKind::TextInsertion, category.contents[item]);
    category.header.itemCount = item + 1;
    if (!store.SaveCategory(0) || !store.SaveIndex()) {
        std::cerr << "bench: cannot write the store in " << folder << '\n';
        std::exit(1);
    }
}

class Table {
public:
    Table(double megabytes, int runs) : megabytes_(megabytes), runs_(runs) {}

    // Times each command; the first one is the reference for the ratios. A command whose output
    // differs from the reference's is marked, since a fast wrong answer measures nothing.
    void Row(const std::string& what, const std::vector<std::pair<std::string, std::string>>& tools,
             const fs::path& work) {
        std::optional<Timing> reference;
        std::string referenceOutput;
        for (std::size_t i = 0; i < tools.size(); ++i) {
            const auto& [tool, command] = tools[i];
            const fs::path output = work / ("out" + std::to_string(i));
            const fs::path errors = work / "errors";
            const auto timing =
                Time(command + " >" + output.string() + " 2>" + errors.string(), runs_);
            std::printf("  %-9s %-10s", what.c_str(), tool.c_str());
            if (!timing) {
                const std::string message = ReadAll(errors);
                std::printf(" failed: %s\n", message.substr(0, message.find('\n')).c_str());
                continue;
            }
            const std::string produced = ReadAll(output);
            std::printf(" %7.3f s %7.1f MB/s %7.3f s cpu", timing->wall, megabytes_ / timing->wall,
                        timing->cpu);
            if (i == 0) {
                reference = timing;
                referenceOutput = produced;
                std::printf("\n");
                continue;
            }
            std::printf("  %5.2f x %s (cpu %5.2f x)%s\n", timing->wall / reference->wall,
                        tools[0].first.c_str(), timing->cpu / reference->cpu,
                        produced == referenceOutput ? "" : "  (output differs)");
        }
    }

private:
    double megabytes_;
    int runs_;
};

bool HasRegexCommand(const std::string& kvtx) {
    return std::system(("echo | " + kvtx + " regex a b >/dev/null 2>&1").c_str()) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: kvtx_bench KVTX [RUNS]\n";
        return 2;
    }
    const std::string kvtx = fs::absolute(argv[1]).string();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const fs::path work = fs::temp_directory_path() / ("kvtx_bench_" + std::to_string(getpid()));
    fs::create_directories(work);
    WriteStore(work, u"前 %original 後");
    const bool regexCommand = HasRegexCommand(kvtx);
    if (!regexCommand) {
        std::printf("kvtx regex is not in this build: its rows are left out\n");
    }

    for (const std::size_t megabytes : {1u, 5u}) {
        const fs::path input = work / ("input" + std::to_string(megabytes));
        WriteAll(input, MixedText(megabytes << 20));
        const std::string from = " <" + input.string();
        std::printf("%zu MB of mixed Japanese and ASCII text (wall time, throughput, CPU time, "
                    "ratios to perl)\n",
                    megabytes);
        Table table(static_cast<double>(megabytes), runs);
        char item = 'a';
        for (const Substitution& s : kSubstitutions) {
            std::vector<std::pair<std::string, std::string>> tools = {
                {"perl", "perl -pe " +
                             Quoted(std::string("s/") + s.pattern + "/" + s.replacement + "/g") +
                             from},
                {"sed",
                 "LC_ALL=C sed -E " +
                     Quoted(std::string("s/") + s.sedPattern + "/" + s.sedReplacement + "/g") +
                     from},
                {"apply", kvtx + " --dir " + work.string() + " apply A " + item + from}};
            if (regexCommand) {
                tools.push_back({"regex", kvtx + " regex " + Quoted(s.pattern) + " " +
                                              Quoted(s.replacement) + from});
            }
            table.Row(s.name, tools, work);
            ++item;
        }
        table.Row("template",
                  {{"perl", "perl -0777 -pe " + Quoted("$_ = \"前 $_ 後\"") + from},
                   {"sed", "LC_ALL=C sed -z 's/^/前 /; s/$/ 後/'" + from},
                   {"apply", kvtx + " --dir " + work.string() + " apply A d" + from}},
                  work);
    }
    fs::remove_all(work);
    return 0;
}
