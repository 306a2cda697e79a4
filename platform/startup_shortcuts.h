#pragma once

#include <optional>
#include <string>
#include <vector>

namespace kvtx::platform {

// How making a shell link ended; each failure names the step that refused.
enum class LinkCreation {
    Created,
    NoLinkObject,    // the shell's link object could not be made
    NoFileInterface, // the link object would not be saved as a file
    NotSaved,        // the target was refused or the file could not be written
};

// The current user's start-up folder and the shell links in it. Every call does its whole work
// and gives back what it took (COM, shell objects, enumerations) before it returns.
class StartupShortcuts {
public:
    virtual ~StartupShortcuts() = default;

    // The full path of the running executable.
    virtual std::u16string ProgramPath() const = 0;
    // nullopt when the shell names no such folder.
    virtual std::optional<std::u16string> Folder() const = 0;
    // The names of the files in the folder, without "." and ".." and without subfolders; empty
    // when it cannot be listed.
    virtual std::vector<std::u16string> FileNames(const std::u16string& folder) const = 0;
    // The target of the shell link at path; nullopt when the file cannot be loaded as one.
    virtual std::optional<std::u16string> LinkTarget(const std::u16string& path) const = 0;
    // Writes a shell link to target with this description at path, over any file there.
    virtual LinkCreation CreateLink(const std::u16string& path, const std::u16string& target,
                                    const std::u16string& description) = 0;
    // False when the file is still there.
    virtual bool Remove(const std::u16string& path) = 0;
};

} // namespace kvtx::platform
