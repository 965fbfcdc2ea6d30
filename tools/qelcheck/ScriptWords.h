#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Qel::Check {

/// A name in Lua source that is not reached through '.' or ':': a global, unless a local of that
/// name is in scope.
struct ScriptWord {
    std::string name;
    /// Line in the file, from 1.
    int line = 0;
    /// Named by "function", "local" or "for", or a function's parameter: the script defines it.
    bool defined = false;
    /// Followed by a call: '(', a string or a table constructor.
    bool called = false;
    /// The call's first argument when it is a quoted string, e.g. "Player/Footstep" in
    /// playSFX("Player/Footstep"); empty otherwise.
    std::string firstString;
};

/// The free names of `code`, in order; comments, strings, numbers and keywords are skipped.
std::vector<ScriptWord> scriptWords(std::string_view code);

} // namespace Qel::Check
