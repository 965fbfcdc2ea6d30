#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace Qel::Check {

/// One thing in a content folder that the engine would read wrongly, or not at all.
struct Problem {
    /// Below the content folder, with '/': "Scenes/MainMenu.json".
    std::string file;
    /// JSON path from the document root ("Scene.gameObjects[3].components[1].mass"); empty when
    /// the problem is the file's as a whole.
    std::string path;
    /// What is wrong and what was expected.
    std::string text;
};

/// The line qelcheck prints for a problem: "file: path: text".
std::string formatProblem(const Problem& problem);

struct Report {
    std::vector<Problem> problems;
    size_t filesChecked = 0;
};

/// Reads every content file below `folder` (an "Assets" folder) with the engine's own readers,
/// as the game would, and reports what they could not take and every name that points at an
/// asset the folder does not have. Makes the engine managers it needs that do not exist yet and
/// removes them afterwards; what the engine prints while reading is kept off standard output.
Report checkContent(const std::filesystem::path& folder);

} // namespace Qel::Check
