#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace Qel {

/// A script asset: the file's text with one newline put in front, so Lua's line numbers are one
/// higher than the file's. Registered under the name hash of its path below the scripts folder,
/// without the extension.
struct LuaScriptStringWrapper {
    std::string text;
};

/// Loads every ".lua" and ".LUA" file below folder into the script registry, then runs each in a
/// fresh validation state and removes (logged) those that fail. Returns how many scripts remain.
size_t loadScripts(const std::filesystem::path& folder = "../Assets/Scripts");

/// The script loading worker of the first loading phase: loadScripts() and its count line.
void loadScriptsTask(void* unused);

} // namespace Qel
