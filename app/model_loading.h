#pragma once

#include <filesystem>
#include <string>

namespace torvex {

class MessageSink;
class Workspace;

// The model's name as the "loaded" message shows it: the file name without its folder, cut before
// the first ".mdl" (exactly so, in lower case), ASCII letters upper-cased. A name without ".mdl"
// gives the empty text.
std::string ModelDisplayName(const std::filesystem::path& modelFile);
std::string ModelLoadedMessage(const std::filesystem::path& modelFile);

// Whether the current job's toolpaths may go: yes without any, else the user's answer to "Discard
// the 2 toolpaths of the current job?" (or "the toolpath" for one).
bool MayDiscardToolpaths(const Workspace& workspace, MessageSink& messages);

// Starts a new workspace from a model file: every toolpath dropped, the part loaded, the scene
// scale set to its length and both stock shafts loaded from the stock companion. A file that cannot
// be read shows the loader's message once and leaves what was read; the simulation's stock is the
// stock just read, so a missing companion is reported once, not once per stock shaft.
void LoadModel(Workspace& workspace, const std::filesystem::path& modelFile, MessageSink& messages);

// Reads the simulation's stock afresh from the stock companion of the model last loaded, so that a
// stock file saved over it since is the material a new simulation starts from. A file that cannot
// be read shows the loader's message and leaves what was read. Without a model, nothing changes.
void ReloadSimulationStock(Workspace& workspace, MessageSink& messages);

} // namespace torvex
