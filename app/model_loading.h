#pragma once

#include <cstdint>
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

// What came of loading a model.
enum class ModelLoad : uint8_t { Loaded, LoadedWithoutStock, NotLoaded };
// What the user is told of it: "Model 'NAME' loaded", or what was and was not loaded and kept.
std::string ModelLoadMessage(const std::filesystem::path& modelFile, ModelLoad outcome);

// "the toolpath", or "the 2 toolpaths": the job's toolpaths as a question names them.
std::string JobToolpathsText(const Workspace& workspace);

// Whether the current job's toolpaths may go: yes without any, else the user's answer to "Discard
// the 2 toolpaths of the current job?" (or "the toolpath" for one).
bool MayDiscardToolpaths(const Workspace& workspace, MessageSink& messages);

// Starts a new workspace from a model file: every toolpath dropped, the part loaded, the scene
// scale set to its length and both stock shafts loaded from the stock companion. A part that
// cannot be read whole (the loader says why) changes nothing: half a profile is no part to
// program. A stock that cannot be read leaves the stock empty; the simulation's stock is the
// stock just read, so a missing companion is reported once, not once per stock shaft.
ModelLoad LoadModel(Workspace& workspace, const std::filesystem::path& modelFile,
                    MessageSink& messages);

// Reads the simulation's stock afresh from the stock companion of the model last loaded, so that a
// stock file saved over it since is the material a new simulation starts from. A file that cannot
// be read shows the loader's message and leaves what was read. Without a model, nothing changes.
void ReloadSimulationStock(Workspace& workspace, MessageSink& messages);

// Mirrors the part and its stock end for end in place of the job's toolpaths, which were made for
// the other end. The model's files hold the part the other way round: the workspace no longer
// names them, and its model is called "NAME-flipped".
void FlipWorkspacePart(Workspace& workspace);

} // namespace torvex
