#include "toollibrary/tool_library.h"

#include "platform/errors.h"
#include "platform/message_sink.h"
#include "platform/text_file.h"
#include "toollibrary/item_names.h"

#include <algorithm>
#include <system_error>

namespace torvex {

namespace fs = std::filesystem;

struct ToolLibrary::ItemKind {
    const char* Noun;
    const char* Folder;
    const char* Extension;
    const char* IndexFile;
    // The list cells of an item from its file lines (name, type, comments or name, comments).
    std::vector<size_t> CellLines;
    // Whether the cells end in the nose radius its contour gives a knife.
    bool NoseCell = false;
};

namespace {

const ToolLibrary::ItemKind Knife{"knife", "Knives", ".knf", "knives.dat", {0, 2, 1}, true};
const ToolLibrary::ItemKind Support{"support", "Tails", ".tai", "tails.dat", {0, 1}};

std::vector<std::string> CellsOf(const ToolLibrary::ItemKind& kind,
                                 const std::vector<std::string>& fileLines) {
    std::vector<std::string> cells;
    for (size_t line : kind.CellLines)
        cells.push_back(line < fileLines.size() ? fileLines[line] : std::string());
    if (kind.NoseCell)
        cells.push_back(NoseRadiusText(ReadKnifeFields(fileLines).Contour));
    return cells;
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The index lines; none when the index does not exist yet.
std::vector<std::string> ReadIndex(const fs::path& index) {
    std::error_code error;
    if (!fs::exists(index, error) && !error)
        return {};
    return ReadTextLines(index);
}

void ReportSkipped(const std::vector<std::string>& skipped, MessageSink& messages) {
    if (skipped.empty())
        return;
    std::string text = "These tool library files could not be read and are not listed:";
    for (const std::string& file : skipped)
        text += "\n" + file;
    messages.ShowMessage(text);
}

void CreateFolder(const fs::path& folder) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error)
        throw FileError("Cannot create folder \"" + folder.string() + "\": " + error.message());
}

} // namespace

ToolLibrary::ToolLibrary(fs::path startupDirectory)
    : Startup(std::move(startupDirectory)), KnifeList({"Name", "Type", "Comments", "Nose radius"}),
      SupportList({"Name", "Comments"}) {}

fs::path ToolLibrary::KnifeIndexFile() const {
    return Startup / Knife.IndexFile;
}

fs::path ToolLibrary::SupportIndexFile() const {
    return Startup / Support.IndexFile;
}

fs::path ToolLibrary::KnifeFile(const std::string& name) const {
    return ItemFile(Knife, name);
}

fs::path ToolLibrary::SupportFile(const std::string& name) const {
    return ItemFile(Support, name);
}

fs::path ToolLibrary::ItemFile(const ItemKind& kind, const std::string& name) const {
    CheckItemName(name, kind.Noun);
    return Startup / kind.Folder / (name + kind.Extension);
}

ToolList& ToolLibrary::ListOf(const ItemKind& kind) {
    return &kind == &Knife ? KnifeList : SupportList;
}

void ToolLibrary::LoadToolLists(MessageSink& messages) {
    std::vector<std::string> skipped = RebuildList(Knife);
    std::vector<std::string> supports = RebuildList(Support);
    skipped.insert(skipped.end(), supports.begin(), supports.end());
    ReportSkipped(skipped, messages);
}

void ToolLibrary::RebuildKnifeList(MessageSink& messages) {
    ReportSkipped(RebuildList(Knife), messages);
}

void ToolLibrary::RebuildSupportList(MessageSink& messages) {
    ReportSkipped(RebuildList(Support), messages);
}

std::vector<std::string> ToolLibrary::RebuildList(const ItemKind& kind) {
    ToolList& list = ListOf(kind);
    list.Clear();
    std::vector<std::string> skipped;
    std::vector<std::string> index;
    try {
        index = ReadIndex(Startup / kind.IndexFile);
    } catch (const FileError&) {
        skipped.push_back(kind.IndexFile);
    }
    fs::path folder = Startup / kind.Folder;
    for (size_t i = 0; i < index.size(); ++i) {
        const std::string& entry = index[i];
        if (IsBlank(entry))
            continue;
        std::string shownName = std::string(kind.Folder) + "/" + entry;
        if (!IsItemFileName(entry)) {
            skipped.push_back(shownName);
            continue;
        }
        try {
            list.Insert({CellsOf(kind, ReadTextLines(folder / entry)), i, entry});
        } catch (const FileError&) {
            skipped.push_back(shownName);
        }
    }
    return skipped;
}

void ToolLibrary::SaveKnife(const KnifeDefinition& knife) {
    CheckItemName(knife.Name, Knife.Noun);
    CheckOneLineField(knife.Comments, "The comments");
    for (const std::string& line : knife.Contour)
        CheckOneLineField(line, "A contour line");
    Save(Knife, knife.Name, KnifeFileLines(knife));
}

void ToolLibrary::SaveSupport(const std::string& name, const std::string& comments) {
    CheckItemName(name, Support.Noun);
    CheckOneLineField(comments, "The comments");
    Save(Support, name, {name, comments});
}

void ToolLibrary::Save(const ItemKind& kind, const std::string& name,
                       const std::vector<std::string>& fileLines) {
    fs::path indexFile = Startup / kind.IndexFile;
    fs::path itemFile = ItemFile(kind, name);
    std::vector<std::string> index = ReadIndex(indexFile);
    std::string entry = name + kind.Extension;
    auto indexed = std::find(index.begin(), index.end(), entry);
    size_t indexLine = static_cast<size_t>(indexed - index.begin());

    CreateFolder(itemFile.parent_path());
    std::error_code error;
    bool existed = fs::exists(itemFile, error);
    WriteTextLinesAtomically(itemFile, fileLines);
    if (indexed == index.end()) {
        index.push_back(entry);
        try {
            WriteTextLinesAtomically(indexFile, index);
        } catch (const FileError&) {
            if (!existed)
                fs::remove(itemFile, error);
            throw;
        }
    }

    ToolList& list = ListOf(kind);
    std::vector<std::string> cells = CellsOf(kind, fileLines);
    if (auto row = list.Find(name))
        list.SetCells(*row, std::move(cells));
    else
        list.Insert({std::move(cells), indexLine, entry});
}

bool ToolLibrary::DeleteKnife(const std::string& name) {
    return Delete(Knife, name);
}

bool ToolLibrary::DeleteSupport(const std::string& name) {
    return Delete(Support, name);
}

bool ToolLibrary::Delete(const ItemKind& kind, const std::string& name) {
    fs::path indexFile = Startup / kind.IndexFile;
    fs::path itemFile = ItemFile(kind, name);
    std::vector<std::string> index = ReadIndex(indexFile);
    std::string entry = name + kind.Extension;
    auto indexed = std::find(index.begin(), index.end(), entry);
    std::optional<size_t> removedLine;
    if (indexed != index.end()) {
        removedLine = static_cast<size_t>(indexed - index.begin());
        index.erase(indexed);
        WriteTextLinesAtomically(indexFile, index);
    }
    std::error_code error;
    bool removedFile = fs::remove(itemFile, error);
    ListOf(kind).RemoveEntry(entry, removedLine);
    if (error)
        throw FileError("Cannot delete file \"" + itemFile.string() + "\": " + error.message());
    return removedFile || removedLine;
}

std::vector<std::string> ToolLibrary::ReadKnife(const std::string& name) const {
    return ReadTextLines(KnifeFile(name));
}

std::vector<std::string> ToolLibrary::ReadSupport(const std::string& name) const {
    return ReadTextLines(SupportFile(name));
}

} // namespace torvex
