#pragma once

#include "platform/startup_shortcuts.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace kvtx::testing {

// A start-up folder in memory: each file is a shell link with a target, or a file that does not
// load as one. Creation can fail at any of its steps, removal can be refused per file.
class FakeStartupShortcuts final : public platform::StartupShortcuts {
public:
    struct Link {
        std::u16string target;
        std::u16string description;
    };
    // A file that is not a shell link.
    static constexpr char16_t kNotALink[] = u"\x1(not a link)";

    std::u16string ProgramPath() const override { return programPath; }
    std::optional<std::u16string> Folder() const override { return folder; }

    std::vector<std::u16string> FileNames(const std::u16string& listed) const override {
        std::vector<std::u16string> names;
        if (folder && listed == *folder) {
            for (const auto& [name, link] : files) {
                names.push_back(name);
            }
        }
        return names;
    }

    std::optional<std::u16string> LinkTarget(const std::u16string& path) const override {
        const auto found = files.find(NameOf(path));
        if (found == files.end() || found->second.target == kNotALink) {
            return std::nullopt;
        }
        return found->second.target;
    }

    platform::LinkCreation CreateLink(const std::u16string& path, const std::u16string& target,
                                      const std::u16string& description) override {
        createdAt.push_back(path);
        if (creation == platform::LinkCreation::Created) {
            files[NameOf(path)] = {target, description};
        }
        return creation;
    }

    bool Remove(const std::u16string& path) override {
        removed.push_back(path);
        const std::u16string name = NameOf(path);
        return !undeletable.contains(name) && files.erase(name) > 0;
    }

    // The name of a path in the folder; paths elsewhere get a name no file has.
    std::u16string NameOf(const std::u16string& path) const {
        const std::u16string prefix = folder.value_or(u"") + u"\\";
        return folder && path.starts_with(prefix) ? path.substr(prefix.size()) : u"\\" + path;
    }

    std::u16string programPath = u"C:\\Program Files\\Korvatex\\korvatex.exe";
    std::optional<std::u16string> folder =
        u"C:\\Users\\user\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup";
    std::map<std::u16string, Link> files;
    std::set<std::u16string> undeletable;
    platform::LinkCreation creation = platform::LinkCreation::Created;
    std::vector<std::u16string> createdAt;
    std::vector<std::u16string> removed;
};

} // namespace kvtx::testing
