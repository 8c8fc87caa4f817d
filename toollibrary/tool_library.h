#pragma once

#include "toollibrary/knife_file.h"
#include "toollibrary/tool_list.h"

#include <filesystem>
#include <string>
#include <vector>

namespace torvex {

class MessageSink;

// The knives and supports kept on disk below the start-up directory: item files in Knives/ and
// Tails/, indexes knives.dat and tails.dat in the order of first addition, one value a line, CR LF
// after every line. Every path is taken against the start-up directory; the process's current
// directory is never changed. The two lists show what the files hold.
class ToolLibrary {
public:
    explicit ToolLibrary(std::filesystem::path startupDirectory);

    const std::filesystem::path& StartupDirectory() const { return Startup; }
    const ToolList& Knives() const { return KnifeList; }
    const ToolList& Supports() const { return SupportList; }

    // Fills both lists from the indexes. A missing index is an empty list; a blank index line is
    // passed over; an index line whose file cannot be read is left out, and one message names
    // every file left out.
    void LoadToolLists(MessageSink& messages);
    void RebuildKnifeList(MessageSink& messages);
    void RebuildSupportList(MessageSink& messages);

    // Writes the item file, then (for a name not yet indexed) the index, each whole or not at all,
    // and only then shows the item in its list: a listed name has its row overwritten, a new one
    // is added at the end. Throws LibraryError for a name or field the files cannot hold and
    // FileError for a failed write; either way the list and the index stay as they were.
    void SaveKnife(const KnifeDefinition& knife);
    void SaveSupport(const std::string& name, const std::string& comments);

    // Removes the item's first index line and its file, and its row from the list. Returns false
    // when there was neither. Throws LibraryError for a name that is no item file name.
    bool DeleteKnife(const std::string& name);
    bool DeleteSupport(const std::string& name);

    // The lines of the item file of a listed name. Throws FileError when it cannot be read.
    std::vector<std::string> ReadKnife(const std::string& name) const;
    std::vector<std::string> ReadSupport(const std::string& name) const;

    std::filesystem::path KnifeIndexFile() const;
    std::filesystem::path SupportIndexFile() const;
    // Throw LibraryError for a name that is no item file name.
    std::filesystem::path KnifeFile(const std::string& name) const;
    std::filesystem::path SupportFile(const std::string& name) const;

    struct ItemKind;

private:
    std::vector<std::string> RebuildList(const ItemKind& kind);
    void Save(const ItemKind& kind, const std::string& name,
              const std::vector<std::string>& fileLines);
    bool Delete(const ItemKind& kind, const std::string& name);
    std::filesystem::path ItemFile(const ItemKind& kind, const std::string& name) const;
    ToolList& ListOf(const ItemKind& kind);

    std::filesystem::path Startup;
    ToolList KnifeList;
    ToolList SupportList;
};

} // namespace torvex
